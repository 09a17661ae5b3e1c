#include "infodialog.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "speech.h"
#include "textpanel.h"
#include "zoom.h"
#include "zoomwidgets.h"

namespace vaultmoor {

namespace {

QRect ToQRect(const PixelRect& r) {
    return {r.left, r.top, r.width, r.height};
}

}  // namespace

InfoDialog::InfoDialog(DialogId id) : id_(id) {
    const DialogDesign& d = DesignOf(id);
    setObjectName(QString::fromUtf8(d.name.data(), static_cast<qsizetype>(d.name.size())));
    setWindowTitle(QString::fromUtf8(d.caption.data(), static_cast<qsizetype>(d.caption.size())));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    const QSize client(TwipsToPixels(d.widthTwips), TwipsToPixels(d.heightTwips));
    client_ = client;
    setFixedSize(client);
    InstallScreenReaderSupport();

    panel_ = new TextPanel(client, this);
    panel_->setObjectName(QStringLiteral("panel"));
    panel_->SetLabels(FaceLabels(d));
    // Read when the dialog opens.
    MarkAsReadText(panel_);
    panel_->setAccessibleName(QString::fromStdString(FaceText(d)));

    cmdClose_ = new ZoomButton(QString::fromUtf8(CloseCaption.data(), CloseCaption.size()), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->SetBaseGeometry(
        ToQRect(ToPixels(TwipRect{d.closeLeft, d.closeTop, CloseWidthTwips, CloseHeightTwips})));
    cmdClose_->setDefault(true);
    connect(cmdClose_, &QPushButton::clicked, this, &InfoDialog::cmdClose_Click);

    // Centred on the screen the first time; after that it keeps its place.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client,
                                        screen->availableGeometry()));
    }
}

QPushButton* InfoDialog::CloseButton() const {
    return cmdClose_;
}

void InfoDialog::SetZoom(int zoom, double scale) {
    const QSize logical(LogicalLength(0, client_.width() * zoom, scale),
                        LogicalLength(0, client_.height() * zoom, scale));
    panel_->SetZoom(zoom, logical);
    cmdClose_->SetZoom(zoom, scale);
    ResizeKeepingCentre(this, logical);
}

void InfoDialog::cmdClose_Click() {
    hide();
}

}  // namespace vaultmoor
