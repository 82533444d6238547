#include "ui/log/OptionsPanel.h"

#include "play/Logger.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include "support/TempFolders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

constexpr unsigned kErrorsGroups = ogGame | ogDate | ogModes | ogSeverities | ogVariants;

TLogRecord Hand(int game, int pay, int mode, TDateTime dealt) {
    TLogRecord r;
    r.GameIndex = static_cast<uint8_t>(game);
    r.PayIndex = static_cast<uint8_t>(pay);
    r.Mode = static_cast<uint8_t>(mode);
    r.Bet = 5;
    r.DealTime = dealt;
    return r;
}

class OptionsPanelTest : public ::testing::Test {
  protected:
    OptionsPanelTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences = std::make_unique<TPreferences>();
        logger = std::make_unique<TLogger>(folders.Data() + "DrawMentor.log");
        // Three games over two days; the newest hand is Deuces Wild in Training.
        logger->Append(Hand(0, 0, 1, 46000.3));
        logger->Append(Hand(4, 1, 2, 46000.5));
        logger->Append(Hand(4, 0, 1, 46001.4));
    }
    std::unique_ptr<TOptionsPanel> Panel(unsigned groups) {
        auto panel = std::make_unique<TOptionsPanel>();
        panel->AddGroups(groups);
        panel->AttachLog(*logger);
        panel->Retranslate(*preferences);
        return panel;
    }
    template <class T> static T* Find(const TOptionsPanel& panel, const char* name) {
        return panel.findChild<T*>(QString::fromLatin1(name));
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TLogger> logger;
};

TEST_F(OptionsPanelTest, OnlyTheGroupsAskedForExist) {
    const auto statistics = Panel(ogGame | ogDate | ogModes);
    EXPECT_NE(Find<QComboBox>(*statistics, "cbGame"), nullptr);
    EXPECT_NE(Find<QCheckBox>(*statistics, "cbErrorHands"), nullptr);
    EXPECT_EQ(Find<QRadioButton>(*statistics, "rbDollars"), nullptr);
    EXPECT_EQ(Find<QCheckBox>(*statistics, "cbSerious"), nullptr);
    EXPECT_EQ(Find<QCheckBox>(*statistics, "cbYourVariant"), nullptr);
    // The window-owned queries answer "nothing" without their group.
    EXPECT_FALSE(statistics->IsDollars());
    EXPECT_TRUE(statistics->UnitCaption().isEmpty());
    EXPECT_EQ(statistics->ErrorSeverities(), 0u);
    EXPECT_FALSE(statistics->ShowYourVariant());
    EXPECT_FALSE(statistics->ShowBestVariant());

    const auto charts = Panel(ogGame | ogDate | ogModes | ogUnits);
    EXPECT_FALSE(charts->IsDollars()); // coins at creation
    EXPECT_EQ(charts->UnitCaption(), "Coins");
    charts->SetDollars(true);
    EXPECT_TRUE(charts->IsDollars());
    EXPECT_EQ(charts->UnitCaption(), "Dollars");
    charts->EnableUnits(false);
    EXPECT_FALSE(Find<QRadioButton>(*charts, "rbCoins")->isEnabled());
    EXPECT_FALSE(Find<QLabel>(*charts, "lUnits")->isEnabled());
}

TEST_F(OptionsPanelTest, OnChangeComesOnlyFromTheWindowsOwnControls) {
    const auto panel = Panel(kErrorsGroups | ogUnits);
    QSignalSpy changes(panel.get(), &TOptionsPanel::OnChange);
    QSignalSpy filterChanges(&logger->Filter(), &TLogFilter::Changed);
    EXPECT_EQ(panel->ErrorSeverities(), 14u); // all three ticked at creation
    Find<QCheckBox>(*panel, "cbMinor")->click();
    EXPECT_EQ(panel->ErrorSeverities(), 6u);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).value<TOptionsPanel*>(), panel.get());
    Find<QCheckBox>(*panel, "cbSerious")->click();
    EXPECT_EQ(panel->ErrorSeverities(), 4u);
    Find<QRadioButton>(*panel, "rbDollars")->click(); // two radios toggle, one change
    Find<QCheckBox>(*panel, "cbBestVariant")->click();
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(filterChanges.count(), 0);

    // The filter controls speak through the filter instead.
    Find<QComboBox>(*panel, "cbGame")->setCurrentIndex(1);
    Find<QComboBox>(*panel, "cbDate")->setCurrentIndex(2);
    Find<QCheckBox>(*panel, "cbRealPlay")->click();
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(filterChanges.count(), 3);
}

TEST_F(OptionsPanelTest, ListsFollowTheFilterAndEditIt) {
    const TLogFilter& filter = logger->Filter();
    const auto panel = Panel(ogGame | ogDate | ogModes);
    auto* games = Find<QComboBox>(*panel, "cbGame");
    auto* dates = Find<QComboBox>(*panel, "cbDate");
    ASSERT_EQ(games->count(), 4);
    EXPECT_EQ(games->itemText(0), " All games"); // " ALL POKERS" retitled
    EXPECT_EQ(games->itemText(1), " JACKS OR BETTER  (1)");
    EXPECT_EQ(games->currentIndex(), filter.GameItemIndex());
    EXPECT_EQ(games->currentText(), " DEUCES WILD  (1)");
    ASSERT_EQ(dates->count(), 3);
    EXPECT_EQ(dates->itemText(0), " Current session");
    EXPECT_EQ(dates->currentIndex(), filter.DateItemIndex());
    // Modes: the newest hand's, Training only.
    EXPECT_FALSE(Find<QCheckBox>(*panel, "cbAutoHold")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*panel, "cbTraining")->isChecked());

    games->setCurrentIndex(2);
    EXPECT_EQ(filter.Game, 4);
    EXPECT_EQ(filter.PayIndex, 1);
    games->setCurrentIndex(0);
    EXPECT_EQ(filter.Game, -1);
    dates->setCurrentIndex(2); // the older day
    EXPECT_EQ(filter.DateItemIndex(), 2);
    Find<QCheckBox>(*panel, "cbAutoHold")->click();
    Find<QCheckBox>(*panel, "cbErrorHands")->click();
    EXPECT_EQ(filter.Modes, 1u | 2u | 8u);
}

TEST_F(OptionsPanelTest, RetitlingKeepsTheSelection) {
    const auto panel = Panel(ogGame | ogDate);
    auto* games = Find<QComboBox>(*panel, "cbGame");
    games->setCurrentIndex(2);
    preferences->SetInterfaceLanguage("RUS");
    panel->Retranslate(*preferences);
    EXPECT_EQ(games->currentIndex(), 2);
    EXPECT_EQ(games->itemText(0), " Все игры");
    EXPECT_EQ(games->itemText(1), " ВАЛЕТЫ ИЛИ СТАРШЕ  (1)"); // the log came before the language
    EXPECT_EQ(Find<QComboBox>(*panel, "cbDate")->itemText(0), " Текущий сеанс");
    EXPECT_EQ(Find<QLabel>(*panel, "lGame")->text(), "Видеопокер");
}

TEST_F(OptionsPanelTest, LongerTextsWidenThePanelInsteadOfCuttingThem) {
    preferences->SetInterfaceLanguage("RUS");
    const auto panel = Panel(kErrorsGroups);
    for (const char* name : {"cbErrorHands", "lVariants", "cbBestVariant"}) {
        const QWidget* control = panel->findChild<QWidget*>(name);
        EXPECT_GE(control->width(), control->sizeHint().width()) << name;
    }
    EXPECT_GE(panel->sizeHint().width(), panel->width());
}

TEST_F(OptionsPanelTest, GroupsStackInOrderAndThePanelGrowsToHoldThem) {
    const auto panel = Panel(kErrorsGroups);
    const char* order[] = {"lGame",        "cbGame",      "lDate",         "cbDate",
                           "lModes",       "cbAutoHold",  "cbTraining",    "cbRealPlay",
                           "cbErrorHands", "lSeverities", "cbSerious",     "cbMedium",
                           "cbMinor",      "lVariants",   "cbYourVariant", "cbBestVariant"};
    const int gaps[] = {3, 7, 3, 7, 7, 0, 0, 0, 7, 7, 0, 0, 7, 7, 0, 7};
    const QWidget* host = Find<QFrame>(*panel, "OptionsHostPanel");
    int y = 7;
    for (size_t i = 0; i < std::size(order); ++i) {
        const QWidget* control = panel->findChild<QWidget*>(order[i]);
        ASSERT_NE(control, nullptr) << order[i];
        EXPECT_EQ(control->geometry().topLeft(), QPoint(15, y)) << order[i];
        EXPECT_EQ(control->width(), host->width() - 30) << order[i];
        y += control->height() + gaps[i];
    }
    // Retranslate grew the panel from 100 by what was missing: nothing is now.
    EXPECT_GT(panel->height(), 100);
    EXPECT_EQ(host->height(), y);
    EXPECT_EQ(panel->ExtraHeight(), 0);
    EXPECT_GE(panel->minimumHeight(), panel->height());
    // A wider panel widens the controls.
    panel->show();
    panel->resize(panel->width() + 40, panel->height());
    EXPECT_EQ(panel->findChild<QWidget*>("cbGame")->width(), host->width() - 30);
}

TEST_F(OptionsPanelTest, VariantTicksLastFromOneErrorsWindowToTheNext) {
    TIniFile& ini = preferences->SettingsFile();
    WriteBoolSetting(ini, TSetting::BestVariant, false);
    {
        const auto panel = Panel(kErrorsGroups);
        EXPECT_TRUE(panel->ShowYourVariant()); // default
        EXPECT_FALSE(panel->ShowBestVariant());
        Find<QCheckBox>(*panel, "cbYourVariant")->click();
        Find<QCheckBox>(*panel, "cbBestVariant")->click();
        panel->Retranslate(*preferences); // a new language keeps the ticks
        EXPECT_FALSE(panel->ShowYourVariant());
    }
    EXPECT_EQ(ini.ReadString("ShowVariants", "YourVariant"), "0");
    EXPECT_EQ(ini.ReadString("ShowVariants", "BestVariant"), "1");

    ini.EraseSection("ShowVariants");
    { const auto statistics = Panel(ogGame | ogDate | ogModes); }
    {
        TOptionsPanel withoutTexts;
        withoutTexts.AddGroups(ogVariants);
    }
    EXPECT_FALSE(ini.HasSection("ShowVariants"));
}

} // namespace
} // namespace drawmentor
