#include "ui/common/CardButton.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/WindowPlacement.h"

#include "prefs/IniFile.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include "support/TempFolders.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

TEST(CardButton, CaptionEngravedWhenDisabledAndMovedWhenPressed) {
    TCardButton button;
    button.setText("Deal");
    button.resize(90, 32);
    const QImage normal = button.grab().toImage();
    button.setEnabled(false);
    const QImage disabled = button.grab().toImage();
    button.setEnabled(true);
    button.setDown(true);
    const QImage pressed = button.grab().toImage();
    EXPECT_NE(normal, disabled);
    EXPECT_NE(normal, pressed);
    EXPECT_EQ(QColor(pressed.pixel(10, 16)), QColor(Qt::white)); // the white pressed face
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
    button.setDown(false);
    button.click();
    EXPECT_EQ(clicks, 1);
}

TEST(HeaderLabels, APlainLabelIsReplacedInItsLayout) {
    testing::TTempFolders folders;
    TPreferences preferences;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel("Statistics");
    label->setObjectName("lStatHeader");
    layout->addWidget(label);
    layout->addWidget(new QLabel("below"));
    TGradientLabel* header = MakeHeaderLabel(label, preferences);
    EXPECT_EQ(layout->indexOf(header), 0);
    EXPECT_EQ(header->text(), "Statistics");
    EXPECT_EQ(header->objectName(), "lStatHeader");
    EXPECT_TRUE(header->font().bold());
    EXPECT_EQ(header->font().family(), preferences.Texts().FontName);
    EXPECT_EQ(MakeHeaderLabel(header, preferences), header); // already one: unchanged
    header->resize(120, 25);
    const QImage image = header->grab().toImage();
    // The gradient runs from lighter at the top to darker at the bottom.
    EXPECT_GT(QColor(image.pixel(2, 1)).lightness(), QColor(image.pixel(2, 23)).lightness());
}

// A stored place off every screen brings the window back onto the screen; a
// place on it is kept as stored.
TEST(WindowPlacement, AWindowStaysOnAScreen) {
    QWidget window;
    TIniFile ini;
    const QString section = PlacementSection(window, QStringLiteral("Test"));
    WriteIntSetting(ini, TSetting::Width, 300, section);
    WriteIntSetting(ini, TSetting::Height, 200, section);
    WriteIntSetting(ini, TSetting::Left, -99999999, section);
    WriteIntSetting(ini, TSetting::Top, 99999999, section);
    ASSERT_TRUE(RestorePlacement(window, ini, QStringLiteral("Test")));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(QRect(window.pos(), window.size())))
        << window.x() << "," << window.y();
    WriteIntSetting(ini, TSetting::Left, area.left() + 10, section);
    WriteIntSetting(ini, TSetting::Top, area.top() + 20, section);
    RestorePlacement(window, ini, QStringLiteral("Test"));
    EXPECT_EQ(window.pos(), area.topLeft() + QPoint(10, 20));
}

} // namespace
} // namespace drawmentor
