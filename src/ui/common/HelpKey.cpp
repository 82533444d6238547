#include "HelpKey.h"

#include "HelpWindow.h"

#include <QShortcut>
#include <QWidget>

namespace drawmentor {

void InstallHelpKey(QWidget& window, int helpContext, const TPreferences& preferences) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setObjectName(QStringLiteral("HelpKey"));
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window, [&window, helpContext, &preferences] {
        ShowHelp(&window, helpContext, preferences);
    });
}

} // namespace drawmentor
