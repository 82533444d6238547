#include "ui/main/TableSize.h"
#include "ui/common/CardButton.h"
#include "ui/common/GradientLabel.h"
#include "ui/main/CardTable.h"
#include "ui/main/ExtraHandsView.h"
#include "ui/main/PayoutGrid.h"

#include "prefs/IniFile.h"
#include "prefs/SettingKeys.h"

#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace drawmentor {
namespace {

class TableSizeTest : public testing::TWindowFixture {
  protected:
    void Show(TTableSize size, const QSize& at) {
        window->Sizer().SetSize(size, false);
        window->showNormal();
        window->resize(at);
        QApplication::processEvents();
    }
    // Every visible widget lies inside its parent and clear of its visible
    // siblings, and every label's text fits its width; what does not is listed.
    static void Walk(const QWidget* parent, const QString& path, std::vector<std::string>& faults) {
        std::vector<const QWidget*> shown;
        for (const QObject* object : parent->children())
            if (const auto* child = qobject_cast<const QWidget*>(object);
                child && child->isVisibleTo(parent) && !child->isWindow())
                shown.push_back(child);
        for (size_t i = 0; i < shown.size(); ++i) {
            const QWidget* child = shown[i];
            const QString name = path + QLatin1Char('/') + child->objectName();
            if (!parent->rect().contains(child->geometry()))
                faults.push_back(name.toStdString() + " leaves its parent");
            for (size_t j = i + 1; j < shown.size(); ++j)
                if (child->geometry().intersects(shown[j]->geometry()))
                    faults.push_back(name.toStdString() + " overlaps " +
                                     shown[j]->objectName().toStdString());
            if (const auto* label = qobject_cast<const QLabel*>(child);
                label && !label->text().isEmpty() && !TextFits(*label))
                faults.push_back(name.toStdString() + " cuts its text " +
                                 label->text().toStdString());
            if (const auto* button = qobject_cast<const TCardButton*>(child);
                button && !drawmentor::TextFits(button->text(), button->font(),
                                                button->rect().adjusted(2, 1, -2, -1)))
                faults.push_back(name.toStdString() + " cuts its caption " +
                                 button->text().toStdString());
            if (const auto* grid = qobject_cast<const TPayoutGrid*>(child)) {
                for (const int row : grid->Layout().Rows)
                    if (row < grid->fontMetrics().height())
                        faults.push_back("a paytable row of " + std::to_string(row) + " px");
                WalkTexts(*grid, grid->Texts(), faults);
            }
            if (const auto* hands = qobject_cast<const TExtraHandsView*>(child))
                WalkTexts(*hands, hands->Texts(), faults);
            Walk(child, name, faults);
        }
    }
    // Texts a widget paints itself fit where they are painted, inside it,
    // clear of each other.
    static void WalkTexts(const QWidget& widget, const std::vector<TPaintedText>& texts,
                          std::vector<std::string>& faults) {
        for (size_t i = 0; i < texts.size(); ++i) {
            const std::string text =
                widget.objectName().toStdString() + " '" + texts[i].Text.toStdString() + "'";
            if (!drawmentor::TextFits(texts[i].Text, texts[i].Font, texts[i].Rect) ||
                !widget.rect().contains(texts[i].Rect))
                faults.push_back(text + " is cut");
            for (size_t j = i + 1; j < texts.size(); ++j)
                if (texts[i].Rect.intersects(texts[j].Rect))
                    faults.push_back(text + " overlaps '" + texts[j].Text.toStdString() + "'");
        }
    }
    // A header label fits its text by wrapping or shrinking it.
    static bool TextFits(const QLabel& label) {
        if (qobject_cast<const TGradientLabel*>(&label))
            return FitHeaderText(label.text(), label.font(), label.size()).Fits(label.size());
        return label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width();
    }
    std::vector<std::string> Faults() {
        std::vector<std::string> faults;
        Walk(window->centralWidget(), QString(), faults);
        return faults;
    }
    int CardWidth() { return Find<QWidget>("Card1")->width(); }
};

// The larger tables at their limits and at screens from small to very large,
// in both languages, with a deal on the table: nothing overlaps, leaves the
// window or cuts its text. The standard table at its usual sizes likewise.
void CheckEverySize(TMainWindow& window, TPreferences& preferences,
                    const std::function<std::vector<std::string>()>& faultsOf,
                    const std::function<void(TTableSize, const QSize&)>& show) {
    const QSize screen(1600, 1000);
    const TWindowLimits large = WindowLimits(TTableSize::Large, screen);
    const std::vector<std::pair<TTableSize, QSize>> cases = {
        {TTableSize::Standard, {676, 483}}, {TTableSize::Standard, {734, 632}},
        {TTableSize::Large, large.Minimum}, {TTableSize::Large, large.Initial},
        {TTableSize::Large, large.Maximum}, {TTableSize::Fit, {450, 440}},
        {TTableSize::Fit, {800, 600}},      {TTableSize::Fit, {1600, 1000}},
        {TTableSize::Fit, {1280, 1024}},    {TTableSize::Fit, {2560, 1080}},
        {TTableSize::Fit, {3840, 2160}},    {TTableSize::Fit, {1000, 1600}},
    };
    window.DealOrDraw();
    for (const char* language : {"ENG", "RUS"}) {
        preferences.SetInterfaceLanguage(QString::fromLatin1(language));
        preferences.Apply();
        for (const auto& [size, at] : cases) {
            show(size, at);
            const std::vector<std::string> faults = faultsOf();
            EXPECT_TRUE(faults.empty()) << language << " size " << static_cast<int>(size) << " at "
                                        << at.width() << "x" << at.height() << ":\n"
                                        << ::testing::PrintToString(faults);
        }
    }
}

TEST_F(TableSizeTest, NothingOverlapsOrIsCutAtAnySize) {
    CheckEverySize(
        *window, *preferences, [this] { return Faults(); },
        [this](TTableSize size, const QSize& at) { Show(size, at); });
}

// The other hands of a deal (as rows of cards, and as a tally) at every size too.
TEST_F(TableSizeTest, OtherHandsFitAtAnySize) {
    for (const int hands : {5, 100}) {
        SCOPED_TRACE(hands);
        ASSERT_TRUE(window->SelectHandsPerDeal(hands));
        CheckEverySize(
            *window, *preferences, [this] { return Faults(); },
            [this](TTableSize size, const QSize& at) { Show(size, at); });
        window->DealOrDraw(); // the draw, so that the number of hands may change
    }
}

// As players met the table: each size chosen from the menu (the screen-filling
// one at three screens), in both languages, with one to a hundred hands per
// deal drawn. Every label and painted text fits, paytable rows hold a line of
// text, nothing overlaps; switching back to the standard table from a larger
// one with the other hands showing keeps their room.
TEST_F(TableSizeTest, EverySizeFitsInBothLanguagesWithAnyHands) {
    const std::vector<std::pair<TTableSize, QSize>> sizes = {{TTableSize::Standard, {}},
                                                             {TTableSize::Large, {}},
                                                             {TTableSize::Fit, {1366, 768}},
                                                             {TTableSize::Fit, {1600, 1000}},
                                                             {TTableSize::Fit, {3840, 2160}}};
    for (const int hands : {1, 3, 10, 100}) {
        ASSERT_TRUE(window->SelectHandsPerDeal(hands));
        window->DealOrDraw();
        window->Hint();
        window->DealOrDraw();
        for (const char* language : {"ENG", "RUS"}) {
            preferences->SetInterfaceLanguage(QString::fromLatin1(language));
            preferences->Apply();
            for (const auto& [size, at] : sizes) {
                window->Sizer().SetSize(size, true);
                if (at.isValid()) {
                    window->showNormal();
                    window->resize(at);
                }
                QApplication::processEvents();
                const std::vector<std::string> faults = Faults();
                EXPECT_TRUE(faults.empty())
                    << hands << " hands, " << language << ", size " << static_cast<int>(size)
                    << " at " << window->width() << "x" << window->height() << ":\n"
                    << ::testing::PrintToString(faults);
            }
        }
    }
}

// What a player sees of the sizes: the cards keep their shape and grow from
// the standard table to the large one and again to a screen-filling one; only
// that one can be maximised; a narrow table still shows five cards abreast.
TEST_F(TableSizeTest, CardsGrowWithTheTable) {
    const auto card = [this] { return Find<QWidget>("Card1")->size(); };
    const auto keepsShape = [](const QSize& size, const QSize& standard) {
        return std::abs(size.height() * standard.width() - size.width() * standard.height()) <=
               standard.width() + standard.height();
    };
    Show(TTableSize::Standard, {676, 483});
    const QSize standard = card();
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_LT(window->maximumSize().width(), 1000);
    Show(TTableSize::Large, WindowLimits(TTableSize::Large, {1600, 1000}).Initial);
    const QSize large = card();
    EXPECT_NEAR(large.width(), 1.5 * standard.width(), 2);
    EXPECT_TRUE(keepsShape(large, standard)) << large.width() << "x" << large.height();
    Show(TTableSize::Fit, {1600, 1000});
    EXPECT_GT(card().width(), large.width());
    EXPECT_TRUE(keepsShape(card(), standard)) << card().width() << "x" << card().height();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    Show(TTableSize::Fit, {450, 440}); // narrow: five cards side by side, smaller
    EXPECT_LT(CardWidth() * 5, Find<QWidget>("CardsPanel")->width());
    EXPECT_LT(CardWidth(), standard.width());
}

TEST_F(TableSizeTest, LimitsKeepTheLargeTableOnTheScreen) {
    const TWindowLimits small = WindowLimits(TTableSize::Large, {1024, 600});
    EXPECT_LE(small.Maximum.height(), 600);
    EXPECT_LE(small.Minimum.height(), 600);
    EXPECT_EQ(small.Initial, small.Initial.boundedTo({1024, 600}));
    EXPECT_DOUBLE_EQ(TableScale(TTableSize::Large, {675, 660}), 1.5);
    EXPECT_LT(TableScale(TTableSize::Large, {1024, 600}), 1.5);
    EXPECT_DOUBLE_EQ(TableScale(TTableSize::Fit, {400, 300}), 1.0);
    EXPECT_DOUBLE_EQ(TableScale(TTableSize::Standard, {3840, 2160}), 1.0);
}

// The size is kept in "Table"; a value out of range reads as the standard
// table, and a window larger than the screen is brought onto it.
TEST_F(TableSizeTest, SizeIsRememberedAndBadValuesFallBack) {
    window->Sizer().SetSize(TTableSize::Large, true);
    const QSize large = window->size();
    window->close();
    TIniFile& ini = preferences->SettingsFile();
    EXPECT_EQ(ReadIntSetting(ini, TSetting::TableSize), 1);
    window = std::make_unique<TMainWindow>(*preferences);
    EXPECT_EQ(window->Sizer().Size(), TTableSize::Large);
    EXPECT_EQ(window->size(), large); // within the large table's limits, not the standard's
    // Fit to screen takes the screen before any window manager could maximise it.
    window->Sizer().SetSize(TTableSize::Fit, true);
    window->close();
    window = std::make_unique<TMainWindow>(*preferences);
    EXPECT_EQ(window->size(), window->screen()->availableGeometry().size());
    for (const char* bad : {"7", "-1", "large"}) {
        ini.WriteString(QStringLiteral("Table"), QStringLiteral("Size"), QString::fromLatin1(bad));
        window = std::make_unique<TMainWindow>(*preferences);
        EXPECT_EQ(window->Sizer().Size(), TTableSize::Standard) << bad;
    }
    window->Sizer().SetSize(TTableSize::Fit, false);
    window->resize(20000, 20000);
    window->Sizer().SetSize(TTableSize::Fit, false);
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
}

// Changing the size in the middle of a hand or a double-up redraws the cards
// and changes nothing in the hand.
TEST_F(TableSizeTest, SwitchingSizeLeavesTheHandAlone) {
    window->DealOrDraw();
    window->ToggleCard(1);
    const auto mask = Session().Hand().DrawMask();
    std::vector<int> cards;
    for (int i = 0; i < 5; ++i) cards.push_back(Session().Hand().CardAt(i));
    auto* menu = window->findChild<QMenu*>(QStringLiteral("miTableSize"));
    ASSERT_NE(menu, nullptr);
    for (const char* item : {"miSizeFit", "miSizeLarge", "miSizeStandard"}) {
        window->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        QApplication::processEvents();
        EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt);
        EXPECT_EQ(Session().Hand().DrawMask(), mask);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(Session().Hand().CardAt(i), cards[i]);
    }
}

} // namespace
} // namespace drawmentor
