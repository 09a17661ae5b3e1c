#include "frmmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "infodialog.h"
#include "menus.h"
#include "news.h"
#include "screenfont.h"
#include "speech.h"
#include "textpanel.h"
#include "zoom.h"

namespace vaultmoor {

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QRect ToQRect(const TwipRect& t) {
    const PixelRect r = ToPixels(t);
    return {r.left, r.top, r.width, r.height};
}

}  // namespace

FrmMain::FrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Q(WindowCaption));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    const QSize client(TwipsToPixels(MainWidthTwips), TwipsToPixels(MainHeightTwips));
    InstallScreenReaderSupport();
    screen_ = new TextPanel(client, this);
    screen_->setObjectName(QStringLiteral("TextScreen"));
    screen_->setAccessibleName(QStringLiteral("Game screen"));
    setCentralWidget(screen_);
    announcer_ = new Announcer(screen_);

    txtBox_ = new CommandBox(screen_);
    txtBox_->setObjectName(QStringLiteral("txtBox"));
    txtBox_->setAccessibleName(QStringLiteral("Command"));
    txtBox_->SetBaseGeometry(ToQRect(TxtBoxRect));
    txtBox_->setFont(ScreenFont::Get().WidgetFont());
    QPalette pal = txtBox_->palette();
    const QColor grey(LightGrey.r, LightGrey.g, LightGrey.b);
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, grey);
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, grey);
    txtBox_->setPalette(pal);

    cmdEnter_ = new ZoomButton(Q(CmdEnterCaption), screen_);
    cmdEnter_->setObjectName(QStringLiteral("cmdEnter"));
    cmdEnter_->SetBaseGeometry(ToQRect(CmdEnterRect));
    cmdEnter_->setDefault(true);
    setTabOrder(txtBox_, cmdEnter_);

    // The Enter key in the command box clicks the default button.
    connect(txtBox_, &QLineEdit::returnPressed, cmdEnter_, &QPushButton::click);
    connect(cmdEnter_, &QPushButton::clicked, this, &FrmMain::cmdEnter_Click);

    BuildMenus();
    Refresh();
    SetUpZoom();
    TellListeners();  // the title screen is read with the screen, which has the focus

    // Fixed size: the menu bar above the client area, nothing to resize or maximize.
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), s->availableGeometry()));
    }
}

FrmMain::~FrmMain() = default;

void FrmMain::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);  // always in the window, above the text screen
    auto add = [this](QWidget* owner, std::string_view caption, std::string_view name,
                      MenuAction action) {
        auto* a = new QAction(Q(caption), owner);
        a->setObjectName(Q(name));
        owner->addAction(a);
        connect(a, &QAction::triggered, this, [this, action] { Act(action); });
    };
    for (const Menu& m : MenuBar()) {
        if (m.items.empty()) {  // a command on the bar itself
            add(bar, m.caption, m.name, m.action);
            continue;
        }
        QMenu* menu = bar->addMenu(Q(m.caption));
        menu->setObjectName(Q(m.name));
        for (const MenuItem& item : m.items) {
            if (item.Separator())
                menu->addSeparator()->setObjectName(Q(item.name));
            else
                add(menu, item.caption, item.name, item.action);
        }
    }
}

void FrmMain::Act(MenuAction action) {
    if (action == MenuAction::NewGame) mnuNewGame_Click();
    if (action == MenuAction::Exit) mnuFileExit_Click();
    if (const std::optional<DialogId> dialog = DialogFor(action)) ShowDialog(*dialog);
}

InfoDialog* FrmMain::Dialog(DialogId id) const {
    return dialogs_.at(static_cast<std::size_t>(id)).get();
}

void FrmMain::Refresh() {
    const MainWindow& m = game_.frmMain;
    screen_->SetLabels(ScreenLabels(m));
    // The painted text, for screen readers to review.
    screen_->setAccessibleDescription(Q(ScreenText(m, Voice::Speech)));

    if (!m.txtBox.Visible) FocusCommandBox();  // before the box goes, so no hidden control gets it
    const QString text = Q(m.txtBox.Text);
    if (txtBox_->text() != text) txtBox_->setText(text);
    txtBox_->setVisible(m.txtBox.Visible);
    cmdEnter_->setVisible(m.cmdEnter.Visible);
    FocusCommandBox();
}

void FrmMain::FocusCommandBox() {
    if (game_.frmMain.txtBox.Visible)
        txtBox_->setFocus(Qt::OtherFocusReason);
    else
        screen_->setFocus(Qt::OtherFocusReason);
}

void FrmMain::TellListeners() {
    announcer_->Say(Q(NewsToTell(told_, game_.frmMain)));
    told_ = game_.frmMain;
}

void FrmMain::TakeCommandFromBox() {
    game_.frmMain.txtBox.Text = txtBox_->text().toStdString();
}

void FrmMain::mnuNewGame_Click() {
    TakeCommandFromBox();
    game_.mnuNewGame_Click();
    Refresh();
    TellListeners();
}

void FrmMain::cmdEnter_Click() {
    if (!game_.InputShown()) return;
    txtBox_->AddToHistory();
    TakeCommandFromBox();
    game_.cmdEnter_Click();
    Refresh();
    TellListeners();
}

void FrmMain::mnuFileExit_Click() {
    if (exiting_) return;
    exiting_ = true;
    game_.mnuFileExit_Click();
    for (auto& dialog : dialogs_) {
        if (dialog) dialog->hide();
        dialog.reset();
    }
    close();
    QCoreApplication::quit();
}

// On a screen of another scale the window keeps about its size: the zoom in device pixels
// follows the scale.
void FrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (watchingScreen_ || !windowHandle()) return;
    watchingScreen_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
        SetZoom(static_cast<int>(std::lround(zoom_ * devicePixelRatioF() / scale_)));
    });
}

void FrmMain::closeEvent(QCloseEvent* event) {
    // The close box does what File > Exit does.
    mnuFileExit_Click();
    event->accept();
}

void FrmMain::ShowDialog(DialogId id) {
    auto& dialog = dialogs_.at(static_cast<std::size_t>(id));
    if (!dialog) {
        dialog = std::make_unique<InfoDialog>(id);
        AttachZoomKeys(dialog.get(), [this](int step) { ZoomBy(step); });
    }
    dialog->SetZoom(zoom_, scale_);
    dialog->exec();
    // The dialog has no owner: take the focus back, so the player can type at once.
    activateWindow();
    FocusCommandBox();
}

// The zoom counts device pixels: at 125 % a zoom-2 screen is 1156 device pixels wide, 925
// logical units.
void FrmMain::SetUpZoom() {
    const QSize unit = screen_->Base();
    const QRect room = screen()->availableGeometry();
    openingZoom_ = OpeningZoomAt({unit.width(), unit.height()}, menuBar()->sizeHint().height(),
                                 {room.width(), room.height()}, devicePixelRatioF());
    zoom_ = 0;
    SetZoom(openingZoom_);
    AttachZoomKeys(this, [this](int step) { ZoomBy(step); });
}

int FrmMain::LargestZoom() const {
    const QSize unit = screen_->Base();
    const QRect room = screen()->availableGeometry();
    const double scale = devicePixelRatioF();
    // The frame is known once the window is shown.
    const QSize frame = frameGeometry().size() - geometry().size();
    return vaultmoor::LargestZoom(
        {unit.width(), unit.height()},
        {ToDevice(frame.width(), scale),
         FirstDevicePixel(frame.height() + menuBar()->sizeHint().height(), scale)},
        ToDevice(PixelSize{room.width(), room.height()}, scale));
}

void FrmMain::SetZoom(int zoom) {
    zoom = std::clamp(zoom, 1, LargestZoom());
    const double scale = devicePixelRatioF();
    if (zoom == zoom_ && scale == scale_) return;
    zoom_ = zoom;
    scale_ = scale;
    const QSize unit = screen_->Base();
    const ScaledWindow at =
        AtScale({unit.width(), unit.height()}, menuBar()->sizeHint().height(), zoom, scale);
    screen_->SetZoom(zoom, {at.logical.width, at.logical.height});
    txtBox_->SetZoom(zoom, scale);
    cmdEnter_->SetZoom(zoom, scale);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->invalidate();
    ResizeKeepingCentre(this, sizeHint());
    for (auto& dialog : dialogs_) {
        if (dialog) dialog->SetZoom(zoom, scale);
    }
    if (rememberZoom_) StoreZoom(zoom);
}

void FrmMain::ZoomBy(int step) {
    SetZoom(step == 0 ? openingZoom_ : zoom_ + step);
}

void FrmMain::UseStoredZoom() {
    SetZoom(RestoredZoom(ReadStoredZoom(), openingZoom_, LargestZoom()));
    rememberZoom_ = true;
}

void FrmMain::mnuInstructions_Click() {
    Act(MenuAction::Instructions);
}
void FrmMain::mnuAboutGame_Click() {
    Act(MenuAction::AboutGame);
}
void FrmMain::mnuAboutAuthor_Click() {
    Act(MenuAction::AboutAuthor);
}
void FrmMain::mnuAboutOtherGames_Click() {
    Act(MenuAction::AboutOther);
}
void FrmMain::mnuAboutVersion_Click() {
    Act(MenuAction::AboutVersion);
}

}  // namespace vaultmoor
