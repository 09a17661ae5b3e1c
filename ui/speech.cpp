#include "speech.h"

#include <QAccessibleWidget>

namespace vaultmoor {

namespace {

constexpr const char* FaceProperty = "vaultmoorFace";

QAccessibleInterface* Accessible(const QString&, QObject* object) {
    if (auto* a = dynamic_cast<Announcer*>(object))
        return new QAccessibleWidget(a, QAccessible::Notification);
    // A dialog's face: its name is its text, read when the dialog opens.
    if (auto* face = qobject_cast<QWidget*>(object); face && face->property(FaceProperty).toBool())
        return new QAccessibleWidget(face, QAccessible::StaticText);
    return nullptr;
}

}  // namespace

void MarkAsReadText(QWidget* face) {
    face->setProperty(FaceProperty, true);
}

void InstallScreenReaderSupport() {
    static const bool installed = (QAccessible::installFactory(Accessible), true);
    (void)installed;
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("announcement"));
    setGeometry(0, 0, 1, 1);  // paints nothing: the screen shows through
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Announcer::Say(const QString& news) {
    hide();
    if (news.isEmpty()) return;
    setAccessibleName(news);
    show();  // showing it is what the screen reader speaks
}

}  // namespace vaultmoor
