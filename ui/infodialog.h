// One of the five information windows: fixed text on black and a Close button.
// Close and the window's close box only hide it; the next menu command shows it again.
#pragma once

#include <QDialog>

#include "dialogdesign.h"

class QPushButton;

namespace vaultmoor {

class TextPanel;
class ZoomButton;

class InfoDialog : public QDialog {
    Q_OBJECT
  public:
    explicit InfoDialog(DialogId id);

    DialogId Id() const { return id_; }
    TextPanel* Panel() const { return panel_; }
    QPushButton* CloseButton() const;

    // Every pixel of the window's face becomes a zoom x zoom block of device pixels at the
    // logical scale; its centre stays.
    void SetZoom(int zoom, double scale);

  public slots:
    void cmdClose_Click();

  private:
    DialogId id_;
    TextPanel* panel_;
    ZoomButton* cmdClose_;
    QSize client_;  // at zoom 1
};

}  // namespace vaultmoor
