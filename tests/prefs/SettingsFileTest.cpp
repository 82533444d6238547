// The settings and language files as stored things: what a save keeps, what a
// failed save leaves, and what a reader refuses to open.
#include "core/Error.h"
#include "core/FileIo.h"
#include "prefs/IniFile.h"
#include "prefs/Preferences.h"

#include "support/FileFaults.h"
#include "support/TempFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace drawmentor {
namespace {

using testing::ReadFile;
using testing::TFileFaultScope;
using testing::WriteFile;

const QByteArray kCommented = "; written by hand\n"
                              "[Preferences]\n"
                              "# the speed I like\n"
                              "DealSpeed=50\n"
                              "a note without an equals sign\n"
                              "[Params]\n"
                              "Credits=100\n";

TEST(IniFileLines, CommentsAndLinesNotUnderstoodSurviveASave) {
    TIniFile ini;
    ini.LoadData(kCommented);
    EXPECT_EQ(ini.Keys("Preferences"), QStringList{"DealSpeed"});
    EXPECT_EQ(ini.ReadInteger("Preferences", "DealSpeed", 0), 50);
    ini.WriteInteger("Preferences", "DealSpeed", 70);
    ini.WriteString("Preferences", "HelpLanguage", "ENG");
    EXPECT_EQ(ini.Data(), "; written by hand\n"
                          "\n[Preferences]\n"
                          "# the speed I like\n"
                          "DealSpeed=70\n"
                          "a note without an equals sign\n"
                          "HelpLanguage=ENG\n"
                          "\n[Params]\n"
                          "Credits=100\n");
    TIniFile again; // and a second round trip changes nothing
    again.LoadData(ini.Data());
    EXPECT_EQ(again.Data(), ini.Data());
    ini.EraseSection("Preferences");
    EXPECT_FALSE(ini.Data().contains("speed I like"));
}

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folders.WriteProgramFile("Langs/ENG.ini", "[Main.Buttons]\nOK=OK\n");
        QDir().mkpath(folders.Data());
        path = folders.Data() + "DrawMentor.ini";
    }
    QStringList LeftOvers() const { return QDir(folders.Data()).entryList(QDir::Files); }
    testing::TTempFolders folders;
    QString path;
};

TEST_F(SettingsFileTest, ThePreferencesKeepTheUsersComments) {
    WriteFile(path, kCommented);
    {
        TPreferences preferences;
        preferences.DealSpeed = 80;
    }
    const QByteArray saved = ReadFile(path);
    EXPECT_TRUE(saved.startsWith("; written by hand\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("# the speed I like\nDealSpeed=80\na note without an equals sign\n"))
        << saved.toStdString();
}

TEST_F(SettingsFileTest, ProgramsSharingTheFileKeepEachOthersChanges) {
    WriteFile(path, kCommented);
    {
        TPreferences simulate; // reads everything at its start
        {
            TPreferences trainer;
            trainer.DealSpeed = 80;
            trainer.SettingsFile().WriteString("Deck", "Name", "Blue");
            trainer.SettingsFile().WriteString("Recent", "1", "Deuces");
        } // the trainer saves first
        simulate.SettingsFile().WriteInteger("Params", "Credits", 7);
        simulate.SettingsFile().EraseSection("Recent");
        simulate.SettingsFile().WriteString("Recent", "1", "Jacks");
        simulate.SettingsFile().WriteString("Deck", "Name", "Blue"); // the same: not a change
    } // and then the tool writes back the settings it read at its start
    TIniFile saved;
    saved.LoadFile(path);
    EXPECT_EQ(saved.ReadInteger("Preferences", "DealSpeed", 0), 80);
    EXPECT_EQ(saved.ReadString("Deck", "Name"), "Blue");
    EXPECT_EQ(saved.ReadInteger("Params", "Credits", 0), 7);
    EXPECT_EQ(saved.Keys("Recent"), QStringList{"1"});
    EXPECT_EQ(saved.ReadString("Recent", "1"), "Jacks");
    EXPECT_TRUE(ReadFile(path).contains("# the speed I like\n")) << ReadFile(path).constData();

    TIniFile first; // a save leaves in the image what it saved
    first.LoadFile(path);
    WriteFile(path, "[Deck]\nName=Red\n");
    first.WriteInteger("Params", "Credits", 9);
    first.SaveFile(path);
    EXPECT_EQ(first.ReadString("Deck", "Name"), "Red");
    EXPECT_EQ(ReadFile(path), "[Deck]\nName=Red\n\n[Params]\nCredits=9\n");
}

TEST_F(SettingsFileTest, ASaveReplacesALinkAndNeverADevice) {
    const QString target = folders.Data() + "notes.txt";
    WriteFile(target, "the player's own\n");
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()),
              0);
    TIniFile ini;
    ini.WriteInteger("Params", "Credits", 5);
    ini.SaveFile(path);
    EXPECT_EQ(ReadFile(target), "the player's own\n");
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(ReadFile(path).endsWith("[Params]\nCredits=5\n"));

    const std::string pipe = QFile::encodeName(folders.Data() + "pipe").toStdString();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(WriteFileAtomically(pipe, "x"), EDrawMentor);
    struct stat info {};
    ASSERT_EQ(::lstat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(SettingsFileTest, ASaveThatFailsAnywhereKeepsTheOldFileAndSaysWhy) {
    WriteFile(path, kCommented);
    TIniFile ini;
    ini.LoadFile(path);
    ini.WriteInteger("Params", "Credits", 5);
    for (const TFileStep step :
         {TFileStep::Open, TFileStep::Write, TFileStep::Sync, TFileStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        const TFileFaultScope full(step, "DrawMentor.ini");
        try {
            ini.SaveFile(path);
            ADD_FAILURE() << "the save must fail";
        } catch (const EDrawMentor& error) {
            EXPECT_NE(std::string(error.what()).find("DrawMentor.ini"), std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find("No space left on device"), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(full.Hits, 1);
        EXPECT_EQ(ReadFile(path), kCommented);
        EXPECT_EQ(LeftOvers(), QStringList{"DrawMentor.ini"}); // no temporary file stays behind
    }
    ini.SaveFile(path);
    EXPECT_TRUE(ReadFile(path).contains("Credits=5"));
}

TEST_F(SettingsFileTest, WritingThePreferencesOnAFullDiskIsAnError) {
    WriteFile(path, kCommented);
    TPreferences preferences;
    preferences.WriteOnExit = false;
    preferences.DealSpeed = 10;
    preferences.SaveSettings();
    const TFileFaultScope full(TFileStep::Write, "DrawMentor.ini");
    EXPECT_THROW(preferences.WriteSettingsFile(), EDrawMentor);
    EXPECT_EQ(ReadFile(path), kCommented);
}

TEST_F(SettingsFileTest, OnlyRegularFilesOfSaneSizeAreRead) {
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    // Each is refused without blocking, and the program starts on its defaults.
    const auto refused = [] { return !TPreferences().ReadError().isEmpty(); };
    EXPECT_TRUE(refused()); // a FIFO would block the open
    QFile::remove(path);
    ASSERT_EQ(::symlink("/dev/zero", name.constData()), 0);
    EXPECT_TRUE(refused()); // /dev/zero would fill the memory
    QFile::remove(path);
    WriteFile(path, "[Preferences]\n" + QByteArray(static_cast<qsizetype>(kMaxTextFileBytes), ';'));
    EXPECT_TRUE(refused());
    QFile::remove(path);

    // A language file that cannot be read leaves the built-in English, not a hang.
    QFile::remove(folders.Program() + "Langs/ENG.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folders.Program() + "Langs/ENG.ini").constData(), 0600),
              0);
    TPreferences preferences;
    preferences.WriteOnExit = false;
    EXPECT_EQ(preferences.Texts().Translate("Main.Buttons", "OK"), "OK");
}

} // namespace
} // namespace drawmentor
