#include "WindowPlacement.h"

#include "prefs/IniFile.h"
#include "prefs/SettingKeys.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace drawmentor {
namespace {

// Where a window of `size` may stand at `at`: as stored when a good part of
// its top edge (where it is dragged from) lies on some screen, otherwise
// moved onto the nearest edge of the primary screen's free area. A place off
// every screen comes from a screen since removed or a hand-edited file.
QPoint OnScreen(QPoint at, QSize size) {
    const QRect top(at, QSize(size.width(), std::min(size.height(), 30)));
    const QSize enough(std::min(size.width(), 100), std::min(top.height(), 20));
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(top);
        if (shown.width() >= enough.width() && shown.height() >= enough.height()) return at;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return at;
    const QRect area = primary->availableGeometry();
    return {
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())),
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()))};
}

} // namespace

QString PlacementSection(const QWidget& window, const QString& name) {
    const QScreen* screen = window.screen() ? window.screen() : QApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(0, 0);
    return QStringLiteral("%1 %2#%3").arg(name).arg(size.width()).arg(size.height());
}

bool RestorePlacement(QWidget& window, const TIniFile& ini, const QString& name) {
    const QString section = PlacementSection(window, name);
    if (!ini.HasSection(section)) return false;
    const int width = ReadIntSetting(ini, TSetting::Width, section);
    const int height = ReadIntSetting(ini, TSetting::Height, section);
    if (width > 0 && height > 0) window.resize(width, height);
    window.move(OnScreen(QPoint(ReadIntSetting(ini, TSetting::Left, section),
                                ReadIntSetting(ini, TSetting::Top, section)),
                         window.size()));
    return true;
}

void SavePlacement(const QWidget& window, TIniFile& ini, const QString& name, QSize size) {
    const QString section = PlacementSection(window, name);
    if (!size.isValid()) size = window.size();
    WriteIntSetting(ini, TSetting::Left, window.x(), section);
    WriteIntSetting(ini, TSetting::Top, window.y(), section);
    WriteIntSetting(ini, TSetting::Height, size.height(), section);
    WriteIntSetting(ini, TSetting::Width, size.width(), section);
}

} // namespace drawmentor
