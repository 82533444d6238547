#include "prefs/Preferences.h"
#include "core/Error.h"
#include "prefs/DataFolder.h"
#include "prefs/LanguageCode.h"

#include "support/TempFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

using testing::ReadFile;
using testing::TTempFolders;

class PreferencesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folders.WriteProgramFile("Langs/ENG.ini",
                                 "[Info]\nLanguage=English\n[Main.Buttons]\nOK=OK\n"
                                 "[Main.Labels]\nBet.Hint=Coins bet on each hand\n");
        folders.WriteProgramFile("Langs/RUS.ini",
                                 "[Info]\nLanguage=Русский\n[Main.Buttons]\nOK=ОК\n");
        folders.WriteProgramFile("Help/DrawMentor_ENG/index.html", "<html></html>");
    }
    TTempFolders folders;
};

TEST_F(PreferencesTest, DefaultsWithoutAnySettingsFile) {
    TPreferences preferences;
    EXPECT_EQ(preferences.InterfaceLanguage, "ENG"); // whatever the system's language, ENG exists
    EXPECT_EQ(preferences.HelpLanguage, "ENG");
    EXPECT_EQ(preferences.DealSpeed, 100);
    EXPECT_EQ(preferences.AutoSave, unsigned{asCredits | asBalance | asValue});
    EXPECT_TRUE(preferences.SaveForNewGame);
    EXPECT_EQ(preferences.Texts().FontName, "DejaVu Sans");
    EXPECT_EQ(preferences.Texts().Translate("main.buttons", "ok"),
              "OK"); // sections and keys ignore case
    EXPECT_EQ(preferences.Texts().Translate("Main.Buttons", "Missing"), "");
    EXPECT_EQ(preferences.Texts().Translate("NoSuchSection", "OK"), "");
    EXPECT_EQ(preferences.Texts().TranslateHint("Main.Labels", "Bet"), "Coins bet on each hand");
}

TEST_F(PreferencesTest, LanguagesFallBackAndCarryTheHelpLanguage) {
    TPreferences preferences;
    preferences.SetInterfaceLanguage("ENU");
    EXPECT_EQ(preferences.InterfaceLanguage, "ENG");
    preferences.SetInterfaceLanguage("RUS");
    EXPECT_EQ(preferences.InterfaceLanguage, "RUS");
    EXPECT_EQ(preferences.HelpLanguage, "ENG"); // no Russian help installed
    EXPECT_EQ(preferences.Texts().Translate("Main.Buttons", "OK"), "ОК");
    folders.WriteProgramFile("Help/DrawMentor_RUS/index.html", "<html></html>");
    preferences.SetInterfaceLanguage("ENG");
    preferences.SetInterfaceLanguage("RUS");
    EXPECT_EQ(preferences.HelpLanguage, "RUS");
    preferences.SetHelpLanguage("ENG");
    EXPECT_EQ(preferences.HelpLanguage, "ENG");
    EXPECT_TRUE(preferences.HelpFileName().endsWith("Help/DrawMentor_ENG/index.html"));
}

TEST_F(PreferencesTest, SettingsRoundTripWithOtherSections) {
    const QByteArray original =
        "[MainWindow 1920#1080]\nLeft=10\nTop=20\n"
        "[Preferences]\nInterfaceLanguage=RUS\nHelpLanguage=ENG\nDealSpeed=40\n"
        "Autosave=6x1\nSaveForNewGame=0\n"
        "[Params]\nER1=12.5\nNote=\"quoted\" ; and a semicolon\n"
        "[Section Of A Later Version]\nKey=Значение\n";
    folders.WriteProgramFile("DrawMentor.ini", original);
    {
        TPreferences preferences;
        EXPECT_EQ(preferences.InterfaceLanguage, "RUS");
        EXPECT_EQ(preferences.HelpLanguage, "ENG");
        EXPECT_EQ(preferences.DealSpeed, 40);
        EXPECT_EQ(preferences.AutoSave, unsigned{asAccuracy | asCredits});
        EXPECT_FALSE(preferences.SaveForNewGame);
        EXPECT_EQ(preferences.SettingsFile().ReadString("MAINWINDOW 1920#1080", "left"), "10");
    }
    // Written to the user's data folder; the copy beside the program is untouched.
    EXPECT_EQ(ReadFile(folders.Program() + "DrawMentor.ini"), original);
    const QByteArray written = folders.ReadDataFile("DrawMentor.ini");
    EXPECT_TRUE(written.contains("[MainWindow 1920#1080]\nLeft=10\nTop=20\n"))
        << written.constData();
    EXPECT_TRUE(written.contains("Autosave=16\n"));
    EXPECT_TRUE(written.contains("Note=\"quoted\" ; and a semicolon\n"));
    EXPECT_TRUE(written.contains("[Section Of A Later Version]\nKey=Значение\n"));
    EXPECT_LT(written.indexOf("[MainWindow"), written.indexOf("[Preferences]")); // file order kept
    {
        TPreferences again; // now read from the data folder
        EXPECT_EQ(again.DealSpeed, 40);
    }
}

TEST(IniFile, ValuesKeepTheirBlanksAndNamesIgnoreCase) {
    TIniFile ini;
    ini.LoadData("; comment\nstray=line\n[MRU]\n0=  0 10\n1= 12  1 \r\n[Empty]\n[mru]\n2=x\nno "
                 "equals sign\n");
    EXPECT_EQ(ini.ReadString("MRU", "0"), "  0 10"); // a game key: its blanks matter
    EXPECT_EQ(ini.ReadString("mru", "1"), " 12  1 ");
    EXPECT_EQ(ini.ReadString("MRU", "2"), "x"); // a repeated section continues the first
    EXPECT_EQ(ini.Sections(), (QStringList{"MRU", "Empty"}));
    EXPECT_FALSE(ini.HasKey("", "stray"));
    ini.WriteString("New", "Key", "two\nlines");
    TIniFile again;
    again.LoadData(ini.Data());
    EXPECT_EQ(again.ReadString("MRU", "0"), "  0 10");
    EXPECT_EQ(again.ReadString("New", "Key"), "two lines");
    EXPECT_EQ(again.Data(), ini.Data());
    ini.EraseSection("mru");
    EXPECT_FALSE(ini.HasSection("MRU"));
}

TEST_F(PreferencesTest, OddValuesAreReadSafely) {
    folders.WriteProgramFile("DrawMentor.ini", "[Preferences]\nDealSpeed=500\nAutosave=\n");
    {
        TPreferences preferences;
        EXPECT_EQ(preferences.DealSpeed, 200);
        EXPECT_EQ(preferences.AutoSave, 0u);
    }
    EXPECT_TRUE(folders.ReadDataFile("DrawMentor.ini").contains("Autosave=\n"));
    folders.WriteDataFile("DrawMentor.ini", "[Preferences]\nDealSpeed=-3\n");
    EXPECT_EQ(TPreferences().DealSpeed, 0);
    folders.WriteDataFile("DrawMentor.ini",
                          "[Preferences]\nDealSpeed=fast\nInterfaceLanguage=XX\n");
    TPreferences odd;
    EXPECT_EQ(odd.DealSpeed, 100);
    EXPECT_EQ(odd.InterfaceLanguage, "ENG");
}

TEST_F(PreferencesTest, CorruptSettingsFileStillStarts) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 37) % 256);
    folders.WriteDataFile("DrawMentor.ini", garbage);
    TPreferences preferences;
    EXPECT_EQ(preferences.InterfaceLanguage, "ENG");
    EXPECT_GE(preferences.DealSpeed, 0);
    EXPECT_LE(preferences.DealSpeed, 200);
}

TEST_F(PreferencesTest, ASettingsFileThatCannotBeReadLeavesDefaultsAndStaysAsItIs) {
    QDir().mkpath(folders.Data() + "DrawMentor.ini"); // a folder where the file should be
    {
        TPreferences preferences;
        EXPECT_FALSE(preferences.ReadError().isEmpty());
        EXPECT_FALSE(preferences.WriteOnExit);
        EXPECT_EQ(preferences.DealSpeed, 100);
        preferences.DealSpeed = 7;
        preferences.WriteChangesSoon(0);
        preferences.Apply();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(QFileInfo(folders.Data() + "DrawMentor.ini").isDir()) << "never written over";
}

TEST_F(PreferencesTest, UnwritableDataFolderIsAClearError) {
    testing::WriteFile(folders.Data() + "../blocker", "a file where a folder must go");
    SetDataFolder(folders.Data() + "../blocker/DrawMentor");
    EXPECT_THROW(DataFileWritePath("DrawMentor.ini"), EDrawMentor);
    EXPECT_NO_THROW({ TPreferences preferences; }); // nothing is lost but this run's settings
}

// Installed, the program's files lie in <prefix>/share/drawmentor and the
// executables in <prefix>/bin; in the build tree they lie beside the executables.
TEST(ProgramFolderTest, InstalledFilesAreFoundFromTheExecutablesFolderElseBesideIt) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.path() + "/bin";
    QDir().mkpath(bin);
    EXPECT_EQ(ProgramFolderOf(bin), bin + "/");
    testing::WriteFile(prefix.path() + "/share/drawmentor", "a file, not the folder");
    EXPECT_EQ(ProgramFolderOf(bin), bin + "/");
    QFile::remove(prefix.path() + "/share/drawmentor");
    QDir().mkpath(prefix.path() + "/share/drawmentor");
    EXPECT_EQ(ProgramFolderOf(bin), prefix.path() + "/share/drawmentor/");
    EXPECT_EQ(ProgramFolderOf(bin + "/"), prefix.path() + "/share/drawmentor/");
}

TEST_F(PreferencesTest, ApplyReachesListenersInOrder) {
    TPreferences preferences;
    QStringList calls;
    QObject::connect(&preferences, &TPreferences::PreferencesChanged, [&] { calls << "first"; });
    QObject::connect(&preferences, &TPreferences::PreferencesChanged, [&] { calls << "second"; });
    preferences.Apply();
    EXPECT_EQ(calls, (QStringList{"first", "second"}));
}

TEST_F(PreferencesTest, ErrorSeverityThresholds) {
    TPreferences preferences;
    EXPECT_EQ(preferences.Severity.Of(0.2), esMedium);
    EXPECT_EQ(preferences.Severity.Of(0.2001), esSerious);
    EXPECT_EQ(preferences.Severity.Of(0.02), esMedium);
    EXPECT_EQ(preferences.Severity.Of(0.0199), esMinor);
    EXPECT_EQ(preferences.Severity.Of(0), esNone);
    EXPECT_EQ(preferences.Severity.Of(0.0000001), esNone);
}

TEST(AutoSaveDigits, ParseAndWriteInFixedOrder) {
    EXPECT_EQ(TPreferences::ParseAutoSave("6x1"), unsigned{asAccuracy | asCredits});
    EXPECT_EQ(TPreferences::AutoSaveDigits(asAccuracy | asCredits), "16");
    EXPECT_EQ(TPreferences::AutoSaveDigits(asCredits | asBalance | asValue | asAccuracy | asHands |
                                           asTime),
              "123456");
    EXPECT_EQ(TPreferences::ParseAutoSave("654321"), 63u);
    EXPECT_EQ(TPreferences::AutoSaveDigits(0), "");
}

TEST(LanguageCodes, AreTheThreeLetterCodesOfTheLanguageFiles) {
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::English, QLocale::UnitedStates)), "ENU");
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::English, QLocale::UnitedKingdom)), "ENG");
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::Russian, QLocale::Russia)), "RUS");
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::German, QLocale::Germany)), "DEU");
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::French, QLocale::France)), "FRA");
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::Portuguese, QLocale::Brazil)), "PTB");
    EXPECT_EQ(LanguageCodeOf(QLocale::c()), "ENG");
    EXPECT_EQ(LanguageCodeOf(QLocale(QLocale::Zulu)), "ENG");
}

TEST_F(PreferencesTest, ALanguageIsACodeOfTheLanguageFolderNeverAPath) {
    folders.WriteProgramFile("evil.ini", "[Main.Buttons]\nOK=Evil\n");
    folders.WriteProgramFile("Help/evil/index.html", "<html></html>");
    folders.WriteDataFile("DrawMentor.ini",
                          "[Preferences]\nInterfaceLanguage=../evil\nHelpLanguage=../Help/evil\n");
    TPreferences preferences;
    EXPECT_EQ(preferences.InterfaceLanguage, "ENG");
    EXPECT_EQ(preferences.Texts().Translate("Main.Buttons", "OK"), "OK");
    EXPECT_EQ(preferences.HelpLanguage, "ENG");
    preferences.SetInterfaceLanguage("RUS"); // an installed one still counts
    EXPECT_EQ(preferences.InterfaceLanguage, "RUS");
}

TEST_F(PreferencesTest, AHugeTextIsCutAndWrappedWhole) {
    const QString hint = QString("a word ").repeated(150000) + QString("x").repeated(100000);
    folders.WriteProgramFile("Langs/ENG.ini", ("[Main.Labels]\nBet.Hint=" + hint).toUtf8());
    TPreferences preferences;
    const QString shown = preferences.Texts().TranslateHint("Main.Labels", "Bet");
    EXPECT_EQ(QString(shown).remove('\n'), hint.left(kMaxTextLength));
    const QString wrapped = WrapHint(hint); // the whole of it, in linear time
    EXPECT_EQ(QString(wrapped).remove('\n'), hint);
    const QStringList lines = wrapped.split('\n');
    EXPECT_GT(lines.size(), 150000 * 7 / 45);
    EXPECT_EQ(lines.back(), QString("x").repeated(100000)); // a word longer than the width
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) ASSERT_LE(lines[i].size(), 45) << i;
}

TEST_F(PreferencesTest, MissingTextsComeFromTheBuiltInEnglish) {
    for (const QByteArray& english : {QByteArray(), QByteArray("\0\x01[damaged", 10)}) {
        folders.WriteProgramFile("Langs/ENG.ini", english);
        TPreferences preferences;
        EXPECT_EQ(preferences.Texts().Translate("Main.Buttons", "Cancel"), "Cancel");
        EXPECT_EQ(preferences.Texts().Translate("Info", "Language"), "English");
    }
    TPreferences russian;
    russian.SetInterfaceLanguage("RUS");
    EXPECT_EQ(russian.Texts().Translate("Main.Buttons", "OK"), "ОК"); // its own text first
    EXPECT_EQ(russian.Texts().Translate("Main.Buttons", "Cancel"), "Cancel");
}

TEST(HintWrap, BreaksAfterBlanksAndHyphensOutsideQuotes) {
    EXPECT_EQ(WrapHint("short"), "short");
    const QString text = "Coins bet on each hand: click a column of the paytable or press + and -";
    const QStringList lines = WrapHint(text).split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_LE(lines[0].size(), 45);
    EXPECT_EQ(lines.join(""), text);
    EXPECT_EQ(WrapHint("well-known words", 6), "well-\nknown \nwords");
    // Never inside quotes; an apostrophe inside a word opens none.
    EXPECT_EQ(WrapHint("say \"a b c d\" now", 6), "say \n\"a b c d\" \nnow");
    EXPECT_EQ(WrapHint("don't stop", 6), "don't \nstop");
    EXPECT_EQ(WrapHint("first\nsecond line here", 8), "first\nsecond \nline \nhere");
    EXPECT_EQ(WrapHint("unbreakable", 4), "unbreakable");
}

} // namespace
} // namespace drawmentor
