#include "TableSize.h"

#include "MachinePanels.h"

#include "prefs/IniFile.h"
#include "prefs/SettingKeys.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace drawmentor {
namespace {

// The standard window and the larger table's factor.
const QSize kStandardMinimum(450, 440);
const QSize kStandardMaximum(734, 632);
const QSize kStandardInitial(676, 483);
constexpr double kLargeScale = 1.5;

QSize Scaled(const QSize& size, double factor) {
    return {static_cast<int>(std::lround(size.width() * factor)),
            static_cast<int>(std::lround(size.height() * factor))};
}

QSize AvailableScreen(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

} // namespace

TWindowLimits WindowLimits(TTableSize size, const QSize& screen) {
    switch (size) {
    case TTableSize::Standard: return {kStandardMinimum, kStandardMaximum, kStandardInitial, false};
    case TTableSize::Large: {
        // A screen too small for the large table still shows all of it.
        const QSize room = screen.isValid() ? screen : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const QSize minimum = Scaled(kStandardMinimum, kLargeScale).boundedTo(room);
        const QSize maximum = Scaled(kStandardMaximum, kLargeScale).boundedTo(room);
        const QSize initial = Scaled(kStandardInitial, kLargeScale).boundedTo(room);
        return {minimum, maximum.expandedTo(minimum), initial.expandedTo(minimum), false};
    }
    case TTableSize::Fit: break;
    }
    return {kStandardMinimum, QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX),
            screen.isValid() ? screen.expandedTo(kStandardMinimum) : kStandardInitial, true};
}

double TableScale(TTableSize size, const QSize& window) {
    const auto ratio = [&](const QSize& base) {
        return std::min(static_cast<double>(window.width()) / base.width(),
                        static_cast<double>(window.height()) / base.height());
    };
    switch (size) {
    case TTableSize::Standard: return 1.0;
    // The standard minimum scaled is the large table's own minimum, so
    // everything fits down to that size; below it the table shrinks.
    case TTableSize::Large: return std::clamp(ratio(kStandardMinimum), 1.0, kLargeScale);
    case TTableSize::Fit: break;
    }
    // The standard window's proportions: whatever the standard table fits at
    // its usual size fits scaled.
    return std::max(1.0, ratio(kStandardInitial));
}

TTableSizer::TTableSizer(QMainWindow& window, TMachinePanels& panels)
    : QObject(&window), FWindow(window), FPanels(panels) {
    FWindow.installEventFilter(this);
}

void TTableSizer::SetSize(TTableSize size, bool resize) {
    FSize = size;
    const TWindowLimits limits = WindowLimits(size, AvailableScreen(FWindow));
    Qt::WindowFlags flags = FWindow.windowFlags();
    flags.setFlag(Qt::WindowMaximizeButtonHint, limits.Maximisable);
    if (flags != FWindow.windowFlags()) {
        const bool visible = FWindow.isVisible();
        FWindow.setWindowFlags(flags);
        if (visible) FWindow.show();
    }
    if (!limits.Maximisable && FWindow.isMaximized()) FWindow.showNormal();
    FWindow.setMinimumSize(limits.Minimum);
    FWindow.setMaximumSize(limits.Maximum);
    // Whatever size the settings asked for, the window fits the screen.
    const QSize screen = AvailableScreen(FWindow);
    if (screen.isValid() && !resize)
        FWindow.resize(FWindow.size().boundedTo(screen).expandedTo(limits.Minimum));
    if (resize) {
        if (limits.Maximisable) {
            FWindow.resize(limits.Initial);
            FWindow.setWindowState(FWindow.windowState() | Qt::WindowMaximized);
        } else {
            FWindow.resize(limits.Initial);
        }
    } else if (size == TTableSize::Fit) {
        FWindow.setWindowState(FWindow.windowState() | Qt::WindowMaximized);
    }
    ApplyScale();
}

void TTableSizer::Restore(const TIniFile& ini) {
    SetSize(static_cast<TTableSize>(ReadIntSetting(ini, TSetting::TableSize)), false);
}

void TTableSizer::Save(TIniFile& ini) const {
    WriteIntSetting(ini, TSetting::TableSize, static_cast<int>(FSize));
}

void TTableSizer::ApplyScale() {
    const double scale = TableScale(FSize, FWindow.size());
    if (scale == FScale && FPanels.FitsCards() == (FSize != TTableSize::Standard)) return;
    FScale = scale;
    FPanels.SetScale(scale, FSize != TTableSize::Standard);
    emit ScaleChanged(scale);
}

bool TTableSizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &FWindow && event->type() == QEvent::Resize) ApplyScale();
    return QObject::eventFilter(watched, event);
}

} // namespace drawmentor
