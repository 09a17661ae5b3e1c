// The main window: the text screen painted from the game's window model, the command
// box, the Enter button and the menus.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "dialogdesign.h"
#include "game.h"
#include "menus.h"
#include "zoomwidgets.h"

class QLineEdit;
class QPushButton;

namespace vaultmoor {

class Announcer;
class InfoDialog;
class TextPanel;

class FrmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit FrmMain(QWidget* parent = nullptr);
    ~FrmMain() override;

    Game& TheGame() { return game_; }
    TextPanel* Screen() const { return screen_; }
    QLineEdit* TxtBox() const { return txtBox_; }
    QPushButton* CmdEnter() const { return cmdEnter_; }
    // A dialog once it has been opened; nullptr before, and after Exit.
    InfoDialog* Dialog(DialogId id) const;

  public slots:
    void mnuNewGame_Click();
    void mnuFileExit_Click();
    void mnuInstructions_Click();
    void mnuAboutGame_Click();
    void mnuAboutAuthor_Click();
    void mnuAboutOtherGames_Click();
    void mnuAboutVersion_Click();
    void cmdEnter_Click();

    // Repaints the window from the game's model of it.
    void Refresh();

  public:
    // The zoom: every pixel of the client area and the dialogs becomes an n x n block of
    // device pixels, whatever the desktop's scale.
    int Zoom() const { return zoom_; }
    int OpeningZoom() const { return openingZoom_; }
    int LargestZoom() const;  // the largest the screen has room for
    // Sets the zoom (kept between 1 and the largest); the window keeps its centre.
    void SetZoom(int zoom);
    // Takes up the zoom remembered from the last run, and remembers it from now on.
    void UseStoredZoom();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildMenus();
    // What a menu item does.
    void Act(MenuAction action);
    void ShowDialog(DialogId id);
    // The command box while it is shown, else the screen: never a hidden control.
    void FocusCommandBox();
    // Has the screen reader speak what is new since it last spoke.
    void TellListeners();
    // The model's txtBox.Text is what the player has typed so far.
    void TakeCommandFromBox();
    void SetUpZoom();
    void ZoomBy(int step);  // +1, -1, or 0 for the opening zoom

    Game game_;
    TextPanel* screen_;
    CommandBox* txtBox_;
    ZoomButton* cmdEnter_;
    Announcer* announcer_;
    MainWindow told_{};  // the screen as the listener last heard it
    std::array<std::unique_ptr<InfoDialog>, DialogCount> dialogs_;
    bool exiting_ = false;
    int zoom_ = 1;
    double scale_ = 1;  // device pixels per logical unit
    int openingZoom_ = 1;
    bool rememberZoom_ = false;
    bool watchingScreen_ = false;
};

}  // namespace vaultmoor
