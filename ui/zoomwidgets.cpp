#include "zoomwidgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "screenfont.h"
#include "textlayout.h"
#include "textpanel.h"

namespace vaultmoor {

namespace {

// A control's logical place on its panel at a zoom and scale: it holds the device pixels of
// its zoom-1 place blown up, from the panel's first whole device pixel, with one to spare.
QRect Zoomed(QRect base, int zoom, double scale) {
    const QRect device(base.topLeft() * zoom, base.size() * zoom);
    const QPoint from(static_cast<int>(device.left() / scale) - 1,
                      static_cast<int>(device.top() / scale) - 1);
    const QPoint to(static_cast<int>(std::ceil((device.right() + 2) / scale)) + 1,
                    static_cast<int>(std::ceil((device.bottom() + 2) / scale)) + 1);
    return {from, to};
}

// Paints the zoom-1 picture of `w` (at `base` on its panel) with `paint`, then draws it n
// times larger, each pixel an n x n block of device pixels; returns where it went.
QPointF PaintZoomed(QWidget* w, QRect base, int zoom,
                    const std::function<void(QPainter&, QRect)>& paint) {
    QImage picture(base.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setFont(w->font());
        p.setPen(w->palette().color(w->foregroundRole()));
        paint(p, QRect(QPoint(), base.size()));
    }
    QPainter p(w);
    return DrawOnDevicePixels(p, picture.scaled(picture.size() * zoom), -w->pos(),
                              base.topLeft() * zoom);
}

// Code points in the first `units` UTF-16 units of `s`, and back.
int Points(const QString& s, int units) {
    return static_cast<int>(s.left(units).toUcs4().size());
}
int Units(const QString& s, int points) {
    int u = 0;
    for (int p = 0; p < points && u < s.size(); ++p) {
        u += (s.at(u).isHighSurrogate() && u + 1 < s.size()) ? 2 : 1;
    }
    return u;
}

class ZoomKeys : public QObject {
  public:
    ZoomKeys(QWidget* window, std::function<void(int)> change)
        : QObject(window), window_(window), change_(std::move(change)) {
        const std::pair<const char*, int> keys[] = {
            {"Ctrl++", 1}, {"Ctrl+=", 1}, {"Ctrl+-", -1}, {"Ctrl+0", 0}};
        for (const auto& [sequence, step] : keys) {
            auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(sequence)), window);
            connect(shortcut, &QShortcut::activated, this, [this, step = step] { change_(step); });
        }
        // The wheel over any control of the window, before the control sees it.
        qApp->installEventFilter(this);
    }

  protected:
    // Ctrl+wheel: one step per notch, however finely the wheel reports.
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::Wheel || !receiver->isWidgetType()) return false;
        if (static_cast<QWidget*>(receiver)->window() != window_) return false;
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
        turned_ += wheel->angleDelta().y();
        for (; turned_ >= 120; turned_ -= 120) change_(1);
        for (; turned_ <= -120; turned_ += 120) change_(-1);
        return true;
    }

  private:
    QWidget* window_;
    std::function<void(int)> change_;
    int turned_ = 0;
};

const QString SettingsOrganization = QStringLiteral("Vaultmoor");
const QString SettingsApplication = QStringLiteral("vaultmoor");
const QString ZoomKey = QStringLiteral("zoom");

}  // namespace

ZoomButton::ZoomButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void ZoomButton::SetBaseGeometry(QRect rect) {
    base_ = rect;
    SetZoom(zoom_, scale_);
}

void ZoomButton::SetZoom(int zoom, double scale) {
    zoom_ = zoom;
    scale_ = scale;
    setGeometry(Zoomed(base_, zoom, scale));
}

void ZoomButton::paintEvent(QPaintEvent*) {
    QStyleOptionButton option;
    initStyleOption(&option);
    PaintZoomed(this, base_, zoom_, [&](QPainter& p, QRect box) {
        option.rect = box;
        style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
    });
}

CommandBox::CommandBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &CommandBox::RestartBlink);
    connect(this, &QLineEdit::cursorPositionChanged, this, &CommandBox::RestartBlink);
    connect(this, &QLineEdit::selectionChanged, this, &CommandBox::RestartBlink);
}

void CommandBox::SetBaseGeometry(QRect rect) {
    base_ = rect;
    SetZoom(zoom_, scale_);
}

void CommandBox::SetZoom(int zoom, double scale) {
    zoom_ = zoom;
    scale_ = scale;
    setGeometry(Zoomed(base_, zoom, scale));
    imageAt_ = QPointF(base_.topLeft() * zoom) / scale - QPointF(pos());  // till it is painted
    RestartBlink();
}

void CommandBox::AddToHistory() {
    history_.Add(text().toStdString());
}

QRect CommandBox::TextArea(QRect box) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    option.rect = box;
    // As a line edit lays out its text: inside the frame, two pixels in from each side.
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .marginsRemoved(textMargins())
        .adjusted(2, 0, -2, 0);
}

void CommandBox::paintEvent(QPaintEvent*) {
    const QString text = displayText();
    const std::u32string line = text.toStdU32String();
    const int length = static_cast<int>(line.size());
    const int cursor = Points(text, cursorPosition());
    const QRect area = TextArea(QRect(QPoint(), base_.size()));
    // Scroll so that the cursor stays in the box, with no blank room left over.
    const int columns = std::max(1, area.width() / CellWidth);
    scroll_ = std::min(scroll_, std::max(0, length - columns + 1));
    scroll_ = std::clamp(scroll_, std::max(0, cursor - columns + 1), cursor);

    QStyleOptionFrame option;
    initStyleOption(&option);
    const QColor ink = palette().color(QPalette::Text);
    imageAt_ = PaintZoomed(this, base_, zoom_, [&](QPainter& p, QRect box) {
        option.rect = box;
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, this);
        p.setClipRect(area);
        const int top = area.top() + (area.height() - LinePitch) / 2;
        auto left = [&](int column) { return area.left() + (column - scroll_) * CellWidth; };
        const ScreenFont& font = ScreenFont::Get();
        font.DrawLine(p, {area.left(), top}, std::u32string_view(line).substr(scroll_), ink);
        if (hasSelectedText()) {
            const int from = Points(text, selectionStart());
            const int to = Points(text, selectionEnd());
            p.fillRect(QRect(left(from), top, (to - from) * CellWidth, LinePitch),
                       palette().color(QPalette::Highlight));
            font.DrawLine(p, {left(from), top}, std::u32string_view(line).substr(from, to - from),
                          palette().color(QPalette::HighlightedText));
        } else if (hasFocus() && cursorOn_) {
            p.fillRect(QRect(left(cursor), top, 1, LinePitch), ink);
        }
    });
}

void CommandBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        const std::optional<std::string> line =
            event->key() == Qt::Key_Up ? history_.Up(text().toStdString()) : history_.Down();
        if (line) setText(QString::fromStdString(*line));  // the cursor goes to the end
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

int CommandBox::PositionAt(QPoint point) {
    const QRect area = TextArea(QRect(QPoint(), base_.size()));
    const int x = static_cast<int>((point.x() - imageAt_.x()) * scale_) / zoom_ - area.left();
    const int column = scroll_ + std::max(0, (x + CellWidth / 2) / CellWidth);
    const QString text = displayText();
    return Units(text, std::min(column, Points(text, static_cast<int>(text.size()))));
}

void CommandBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLineEdit::mousePressEvent(event);
    const int position = PositionAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier) {
        setSelection(anchor_, position - anchor_);
    } else {
        anchor_ = position;
        setCursorPosition(position);
    }
}

void CommandBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const int position = PositionAt(event->position().toPoint());
        setSelection(anchor_, position - anchor_);
    }
}

void CommandBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The word under the pointer.
    const QString text = this->text();
    int from = PositionAt(event->position().toPoint());
    int to = from;
    while (from > 0 && !text.at(from - 1).isSpace()) --from;
    while (to < text.size() && !text.at(to).isSpace()) ++to;
    anchor_ = from;
    setSelection(from, to - from);
}

void CommandBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    RestartBlink();
}

void CommandBox::RestartBlink() {
    cursorOn_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash >= 2 && hasFocus())
        blink_.start(flash / 2, this);
    else
        blink_.stop();
    update();
}

void CommandBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) return QLineEdit::timerEvent(event);
    cursorOn_ = !cursorOn_ && hasFocus();
    if (!hasFocus()) blink_.stop();
    update();
}

void AttachZoomKeys(QWidget* window, std::function<void(int)> change) {
    new ZoomKeys(window, std::move(change));
}

void ResizeKeepingCentre(QWidget* window, QSize size) {
    const QRect old = window->geometry();
    const QRect outer = window->frameGeometry();
    const QMargins frame(old.left() - outer.left(), old.top() - outer.top(),
                         outer.right() - old.right(), outer.bottom() - old.bottom());
    window->setFixedSize(size);
    QRect placed = QRect(QPoint((2 * old.left() + old.width() - size.width()) / 2,
                                (2 * old.top() + old.height() - size.height()) / 2),
                         size)
                       .marginsAdded(frame);
    // Kept on the screen, the title bar first.
    if (const QScreen* screen = window->screen()) {
        const QRect room = screen->availableGeometry();
        placed.moveRight(std::min(placed.right(), room.right()));
        placed.moveBottom(std::min(placed.bottom(), room.bottom()));
        placed.moveLeft(std::max(placed.left(), room.left()));
        placed.moveTop(std::max(placed.top(), room.top()));
    }
    window->setGeometry(placed.marginsRemoved(frame));
}

std::optional<int> ReadStoredZoom() {
    const QSettings settings(SettingsOrganization, SettingsApplication);
    bool ok = false;
    const int zoom = settings.value(ZoomKey).toInt(&ok);
    return ok ? std::optional<int>(zoom) : std::nullopt;
}

void StoreZoom(int zoom) {
    QSettings(SettingsOrganization, SettingsApplication).setValue(ZoomKey, zoom);
}

}  // namespace vaultmoor
