// What a screen reader hears: the news of each turn, spoken once, and the painted text
// screens as text.
#pragma once

#include <QWidget>

namespace vaultmoor {

// Gives the painted faces marked below the role of static text (their accessible name is
// the text a listener reads) and the announcer its role. Safe to call more than once.
void InstallScreenReaderSupport();

// A dialog's painted face, read as one text when the dialog opens.
void MarkAsReadText(QWidget* face);

// A never-painted child that a screen reader speaks each time it is shown: a notification
// whose name is the news.
class Announcer : public QWidget {
  public:
    explicit Announcer(QWidget* parent);
    // Speaks `news` once, even when it is the same as the last; nothing when empty.
    void Say(const QString& news);
};

}  // namespace vaultmoor
