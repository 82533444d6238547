// Pictures of the main window for the README and for a person checking the
// layout: the table at a size, in a language, with a winning deal of a fixed
// seed on it, grabbed offscreen.
//   table_screenshot <program folder> <out.png> <size 0|1|2> <ENG|RUS> [WIDTHxHEIGHT]
//                    [deck=CODE] [hands=N] [width=N]
// width=N scales the picture down to at most N pixels wide, in 256 colours,
// for the documentation.
//   table_screenshot <program folder> --all <out folder>
// --all writes table-<size>-<language>-<hands>.png for every size (standard,
// large, fit at 1366x768, 1600x1000 and 3840x2160), both languages and 1, 3,
// 10 and 100 hands per deal.
#include "play/Dealer.h"
#include "play/Session.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"
#include "ui/app/Application.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TableSize.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

using namespace drawmentor;

struct TShot {
    TTableSize Size = TTableSize::Standard;
    QString Language;
    QSize At; // invalid: the size's own
    int Hands = 1;
    int Width = 0; // the picture's largest width; 0 keeps the window's
};

// Chooses as a player would from the menus, then deals until a deal wins.
bool Shoot(TMainWindow& window, TPreferences& preferences, const TShot& shot, const QString& path) {
    preferences.SetInterfaceLanguage(shot.Language);
    preferences.Apply();
    window.Session().ResetCounters(); // credits enough for a hundred hands each time
    window.SelectHandsPerDeal(shot.Hands);
    window.Sizer().SetSize(shot.Size, true);
    if (shot.At.isValid()) {
        window.showNormal(); // a maximised window keeps the screen's size
        window.resize(shot.At);
    }
    for (int hand = 0; hand < 200; ++hand) {
        window.DealOrDraw();
        window.Hint();
        window.DealOrDraw();
        if (window.Session().Hand().CurrentWin() > 0) break;
    }
    QApplication::processEvents();
    QImage image = window.grab().toImage();
    if (shot.Width > 0 && image.width() > shot.Width)
        image = image.scaledToWidth(shot.Width, Qt::SmoothTransformation);
    if (shot.Width > 0) image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    return image.save(path, "PNG", 0); // 0: the strongest compression
}

int ShootAll(TMainWindow& window, TPreferences& preferences, const QString& folder) {
    QDir().mkpath(folder);
    const std::pair<TTableSize, QSize> sizes[] = {{TTableSize::Standard, {}},
                                                  {TTableSize::Large, {}},
                                                  {TTableSize::Fit, {1366, 768}},
                                                  {TTableSize::Fit, {1600, 1000}},
                                                  {TTableSize::Fit, {3840, 2160}}};
    const char* names[] = {"standard", "large", "fit1366", "fit1600", "fit3840"};
    int failed = 0;
    for (const char* language : {"ENG", "RUS"})
        for (const int hands : {1, 3, 10, 100})
            for (size_t i = 0; i < std::size(sizes); ++i) {
                const QString path =
                    QStringLiteral("%1/table-%2-%3-%4.png")
                        .arg(folder, QString::fromLatin1(names[i]), QString::fromLatin1(language))
                        .arg(hands);
                const TShot shot{sizes[i].first, QString::fromLatin1(language), sizes[i].second,
                                 hands};
                if (!Shoot(window, preferences, shot, path)) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                    ++failed;
                }
            }
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool all = argc == 4 && QByteArray(argv[2]) == "--all";
    if (argc < 5 && !all) {
        std::fprintf(stderr,
                     "usage: %s PROGRAM_FOLDER OUT.png SIZE LANGUAGE [WIDTHxHEIGHT] [deck=CODE] "
                     "[hands=N] [width=N]\n       %s PROGRAM_FOLDER --all OUT_FOLDER\n",
                     argv[0], argv[0]);
        return 2;
    }
    TShot shot;
    QString deck;
    for (int i = 5; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option.startsWith(QLatin1String("deck=")))
            deck = option.mid(5);
        else if (option.startsWith(QLatin1String("hands=")))
            shot.Hands = option.mid(6).toInt();
        else if (option.startsWith(QLatin1String("width=")))
            shot.Width = option.mid(6).toInt();
        else if (const QStringList sides = option.split(QLatin1Char('x')); sides.size() == 2)
            shot.At = QSize(sides[0].toInt(), sides[1].toInt());
    }
    // A screen as large as the largest picture, so that fit-to-screen is
    // sized as on a real one.
    const QTemporaryDir data; // the picture shows a new player's counters
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString screen = data.filePath(QStringLiteral("screen.json"));
        QFile file(screen);
        const QSize size = all || !shot.At.isValid() ? QSize(3840, 2160) : shot.At;
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("{\"screens\": [{\"name\": \"Table\", \"x\": 0, \"y\": 0, "
                                      "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                                      "\"dpr\": 1}]}")
                           .arg(size.width())
                           .arg(size.height())
                           .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toLocal8Bit());
    }
    TApplication app(argc, argv);
    SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    SetDataFolder(data.path());
    // Seeds that deal a win within a few hands, so the picture shows one.
    TRandom::SetSeedSource([] { return 20261207u; });
    TPreferences preferences;
    preferences.DealSpeed = 0;
    preferences.Apply();
    if (!deck.isEmpty()) WriteSetting(preferences.SettingsFile(), TSetting::Deck, deck);
    auto window = std::make_unique<TMainWindow>(preferences);
    window->Session().SetOption(kShowWarnings, false);
    window->showNormal();
    int status = 0;
    if (all) {
        status = ShootAll(*window, preferences, QString::fromLocal8Bit(argv[3]));
    } else {
        shot.Size = static_cast<TTableSize>(QByteArray(argv[3]).toInt());
        shot.Language = QString::fromLatin1(argv[4]);
        status = Shoot(*window, preferences, shot, QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    window.reset();
    return status;
}
