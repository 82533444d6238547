#pragma once

#include <QMessageBox>

namespace drawmentor {

class TPreferences;

// Questions and notices in the interface language. Tests set the next answer
// instead of driving a modal box with timers.
class TMessageBox {
  public:
    // The button pressed; the box is named `name` for tests that look at it.
    static QMessageBox::StandardButton Ask(QWidget* parent, const QString& name,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           const TPreferences& preferences);
    static void Tell(QWidget* parent, const QString& name, const QString& title,
                     const QString& text, const TPreferences& preferences);
    // Answers the next Ask (or closes the next Tell) without showing it.
    static void SetNextAnswer(QMessageBox::StandardButton answer);
    // The text of the last box asked or told, shown or answered by a test.
    static QString LastText();
};

} // namespace drawmentor
