#include "ui/main/TableSounds.h"

#include "prefs/IniFile.h"
#include "prefs/SettingKeys.h"

#include "support/TempFolders.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace drawmentor {
namespace {

class TRecorder : public ISoundPlayer {
  public:
    explicit TRecorder(std::vector<TSound>& heard) : FHeard(heard) {}
    void Play(TSound sound) override { FHeard.push_back(sound); }

  private:
    std::vector<TSound>& FHeard;
};

class TableSoundsTest : public testing::TWindowFixture {
  protected:
    TableSoundsTest() { window->Sounds().SetPlayer(std::make_unique<TRecorder>(heard)); }
    void ToggleSound() { window->findChild<QAction*>(QStringLiteral("miSound"))->trigger(); }
    // Deals and draws with the hint until a hand wins; false if none did.
    bool PlayUntilAWin() {
        for (int hand = 0; hand < 300; ++hand) {
            window->DealOrDraw();
            window->Hint();
            window->DealOrDraw();
            if (Session().Hand().CurrentWin() > 0) return true;
        }
        return false;
    }

    std::vector<TSound> heard;
};

// A new player hears nothing until Sound is turned on; then the deal, each
// hold, the draw and the win are heard as they happen, and nothing again once
// it is off.
TEST_F(TableSoundsTest, SoundsFollowThePlayOnlyWhenOn) {
    EXPECT_FALSE(window->Sounds().Enabled());
    ASSERT_TRUE(PlayUntilAWin());
    window->ToggleCard(0);
    EXPECT_TRUE(heard.empty());

    ToggleSound();
    EXPECT_TRUE(window->Sounds().Enabled());
    window->DealOrDraw();
    EXPECT_EQ(heard, std::vector<TSound>{TSound::Deal});
    window->ToggleCard(0);
    window->ToggleCard(0);
    EXPECT_EQ(heard, (std::vector<TSound>{TSound::Deal, TSound::Hold, TSound::Hold}));
    window->DealOrDraw(); // the hand drawn, so that the next press deals
    heard.clear();
    ASSERT_TRUE(PlayUntilAWin());
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[heard.size() - 2], TSound::Draw);
    EXPECT_EQ(heard.back(), WinSound(Session().Hand().CurrentWin(), Session().Game().Bet()));

    ToggleSound();
    heard.clear();
    PlayUntilAWin();
    EXPECT_TRUE(heard.empty());
}

// The double-up's result is heard once its cards are shown: a win or a loss,
// nothing for a tie.
TEST_F(TableSoundsTest, TheDoubleUpResultIsHeard) {
    ToggleSound();
    int results = 0;
    for (int round = 0; round < 20 && results < 3; ++round) {
        if (!PlayUntilAWin()) break;
        if (!Session().Rules().CanDouble()) continue;
        window->Double();
        heard.clear();
        window->ToggleCard(1 + round % 4);
        QApplication::processEvents();
        const int result = Session().Hand().DoubleUpResult();
        if (result == 0) {
            EXPECT_TRUE(heard.empty());
            continue;
        }
        EXPECT_EQ(heard, std::vector<TSound>{result > 0 ? TSound::DoubleWin : TSound::DoubleLose});
        ++results;
    }
    EXPECT_GT(results, 0);
}

TEST(WinSoundTest, LargerWinsForTheBetSoundFuller) {
    EXPECT_EQ(WinSound(5, 5), TSound::SmallWin);   // a high pair
    EXPECT_EQ(WinSound(3, 1), TSound::SmallWin);   // three of a kind
    EXPECT_EQ(WinSound(20, 5), TSound::MediumWin); // a straight
    EXPECT_EQ(WinSound(45, 5), TSound::MediumWin); // a full house
    EXPECT_EQ(WinSound(125, 5), TSound::LargeWin); // four of a kind
    EXPECT_EQ(WinSound(4000, 5), TSound::LargeWin);
}

// The choice is kept in "Table"; a damaged value reads as off.
TEST_F(TableSoundsTest, SoundIsRemembered) {
    ToggleSound();
    window->close();
    TIniFile& ini = preferences->SettingsFile();
    EXPECT_TRUE(ReadBoolSetting(ini, TSetting::Sound));
    window = std::make_unique<TMainWindow>(*preferences);
    EXPECT_TRUE(window->Sounds().Enabled());
    ini.WriteString(QStringLiteral("Table"), QStringLiteral("Sound"), QStringLiteral("loud"));
    window = std::make_unique<TMainWindow>(*preferences);
    EXPECT_FALSE(window->Sounds().Enabled());
}

// The real player on a machine without an audio device, and with the files
// missing: play goes on in silence, without an error.
TEST(QtSoundPlayerTest, NoDeviceOrNoFileIsSilence) {
    for (const bool files : {true, false}) {
        const testing::TTempFolders folders(files ? QStringLiteral(DRAWMENTOR_RUNTIME_DIR)
                                                  : QString());
        TQtSoundPlayer player;
        for (int sound = 0; sound < kSoundCount; ++sound)
            EXPECT_NO_THROW(player.Play(static_cast<TSound>(sound)));
        QApplication::processEvents();
        EXPECT_NO_THROW(player.Play(TSound::Deal));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !player.Loading(); }, 10000));
    }
}

} // namespace
} // namespace drawmentor
