#include "WindowPlacement.h"

#include "prefs/IniFile.h"
#include "prefs/SettingKeys.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace drawmentor {

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
    window.move(ReadIntSetting(ini, TSetting::Left, section),
                ReadIntSetting(ini, TSetting::Top, section));
    return true;
}

void SavePlacement(const QWidget& window, TIniFile& ini, const QString& name) {
    const QString section = PlacementSection(window, name);
    WriteIntSetting(ini, TSetting::Left, window.x(), section);
    WriteIntSetting(ini, TSetting::Top, window.y(), section);
    WriteIntSetting(ini, TSetting::Height, window.height(), section);
    WriteIntSetting(ini, TSetting::Width, window.width(), section);
}

} // namespace drawmentor
