// Pictures of the main window for the README: the table at a size, in a
// language, with a winning hand of a fixed deal on it, grabbed offscreen.
//   table_screenshot <program folder> <out.png> <size 0|1|2> <ENG|RUS> [WIDTHxHEIGHT] [deck=CODE]
#include "play/Dealer.h"
#include "play/Session.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"
#include "ui/app/Application.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TableSize.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    using namespace drawmentor;
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: %s PROGRAM_FOLDER OUT.png SIZE LANGUAGE [WIDTHxHEIGHT] [deck=CODE]\n",
                     argv[0]);
        return 2;
    }
    QSize size;
    QString deck;
    for (int i = 5; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option.startsWith(QLatin1String("deck=")))
            deck = option.mid(5);
        else if (const QStringList sides = option.split(QLatin1Char('x')); sides.size() == 2)
            size = QSize(sides[0].toInt(), sides[1].toInt());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const QTemporaryDir data; // the picture shows a new player's counters
    SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    SetDataFolder(data.path());
    // Seeds that deal a win within a few hands, so the picture shows one.
    TRandom::SetSeedSource([] { return 20261207u; });
    TPreferences preferences;
    preferences.DealSpeed = 0;
    preferences.SetInterfaceLanguage(QString::fromLatin1(argv[4]));
    preferences.Apply();
    if (!deck.isEmpty()) WriteSetting(preferences.SettingsFile(), TSetting::Deck, deck);
    auto window = std::make_unique<TMainWindow>(preferences);
    window->Session().SetOption(kShowWarnings, false);
    window->Sizer().SetSize(static_cast<TTableSize>(QByteArray(argv[3]).toInt()), true);
    window->showNormal();
    if (size.isValid()) window->resize(size);
    for (int hand = 0; hand < 200; ++hand) {
        window->DealOrDraw();
        window->Hint();
        window->DealOrDraw();
        if (window->Session().Hand().CurrentWin() > 0) break;
    }
    QApplication::processEvents();
    const bool saved = window->grab().save(QString::fromLocal8Bit(argv[2]));
    window.reset();
    return saved ? 0 : 1;
}
