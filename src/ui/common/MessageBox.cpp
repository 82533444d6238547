#include "MessageBox.h"

#include "prefs/Preferences.h"
#include "ui/common/TextSections.h"

#include <QAbstractButton>

#include <optional>

namespace drawmentor {

namespace {

std::optional<QMessageBox::StandardButton>& NextAnswer() {
    static std::optional<QMessageBox::StandardButton> answer;
    return answer;
}

QString& Last() {
    static QString text;
    return text;
}

} // namespace

QMessageBox::StandardButton TMessageBox::Ask(QWidget* parent, const QString& name,
                                             const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             const TPreferences& preferences) {
    Last() = text;
    if (const auto answer = NextAnswer()) {
        NextAnswer().reset();
        return *answer;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    box.setObjectName(name);
    const std::pair<QMessageBox::StandardButton, const char*> keys[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Cancel"},
        {QMessageBox::Yes, "Yes"},
        {QMessageBox::No, "No"}};
    for (const auto& [button, key] : keys) {
        const QString translated =
            preferences.Texts().Translate(kMainButtonsTexts, QString::fromLatin1(key));
        if (box.button(button) && !translated.isEmpty()) box.button(button)->setText(translated);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void TMessageBox::Tell(QWidget* parent, const QString& name, const QString& title,
                       const QString& text, const TPreferences& preferences) {
    Ask(parent, name, title, text, QMessageBox::Ok, preferences);
}

void TMessageBox::SetNextAnswer(QMessageBox::StandardButton answer) {
    NextAnswer() = answer;
}

QString TMessageBox::LastText() {
    return Last();
}

} // namespace drawmentor
