#include "TableSize.h"

#include "ExtraHandsView.h"
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

TWindowLimits WindowLimits(TTableSize size, const QSize& screen, int extra) {
    const QSize more(0, extra);
    // A screen too small for the table still shows all of it.
    const QSize room = screen.isValid() ? screen : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const double factor = size == TTableSize::Large ? kLargeScale : 1.0;
    const QSize minimum = Scaled(kStandardMinimum + more, factor).boundedTo(room);
    if (size == TTableSize::Fit)
        return {minimum, QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX),
                screen.isValid() ? screen.expandedTo(minimum) : kStandardInitial + more, true};
    const QSize maximum = Scaled(kStandardMaximum + more, factor).boundedTo(room);
    const QSize initial = Scaled(kStandardInitial + more, factor).boundedTo(room);
    return {minimum, maximum.expandedTo(minimum), initial.expandedTo(minimum), false};
}

double TableScale(TTableSize size, const QSize& window, int extra) {
    const auto ratio = [&](const QSize& base) {
        return std::min(static_cast<double>(window.width()) / base.width(),
                        static_cast<double>(window.height()) / (base.height() + extra));
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

int TTableSizer::Extra() const {
    return FOtherHands ? TExtraHandsView::kHeight : 0;
}

TWindowLimits TTableSizer::Limits() const {
    return WindowLimits(FSize, AvailableScreen(FWindow), Extra());
}

void TTableSizer::ApplyLimits(const TWindowLimits& limits) {
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
}

void TTableSizer::SetSize(TTableSize size, bool resize) {
    FSize = size;
    const TWindowLimits limits = Limits();
    ApplyLimits(limits);
    if (size == TTableSize::Fit && (resize || !FWindow.isVisible()))
        FillScreen();
    else if (resize)
        FWindow.resize(limits.Initial);
    else if (const QSize screen = AvailableScreen(FWindow); screen.isValid())
        FWindow.resize(FWindow.size().boundedTo(screen).expandedTo(limits.Minimum));
    ApplyScale();
}

void TTableSizer::FillScreen() {
    const QScreen* screen = FWindow.screen() ? FWindow.screen() : QApplication::primaryScreen();
    if (!screen) return;
    // The frame, where there is one, stays on the screen too.
    const QRect frame = FWindow.frameGeometry(), inner = FWindow.geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    FWindow.setGeometry(screen->availableGeometry().marginsRemoved(margins));
    FWindow.setWindowState(FWindow.windowState() | Qt::WindowMaximized);
}

void TTableSizer::ShowOtherHands(bool show) {
    if (show == FOtherHands) return;
    const int by = static_cast<int>(std::lround(TExtraHandsView::kHeight * FScale));
    // Taken before the new limits, which may resize the window themselves.
    const int before = FWindow.height();
    FOtherHands = show;
    FPanels.ShowOtherHands(show);
    const TWindowLimits limits = Limits();
    ApplyLimits(limits);
    if (FSize != TTableSize::Fit && !FWindow.isMaximized() && !FWindow.isFullScreen()) {
        // Back to one hand, the window is as high as the player had it before.
        const int height = show ? before + by : FHeightBefore;
        if (show) FHeightBefore = before;
        FWindow.resize(FWindow.width(),
                       std::clamp(height, limits.Minimum.height(), limits.Maximum.height()));
    }
    ApplyScale();
}

QSize TTableSizer::SizeWithoutOtherHands() const {
    if (!FOtherHands || FSize == TTableSize::Fit || FWindow.isMaximized() || FWindow.isFullScreen())
        return FWindow.size();
    // As ShowOtherHands(false) would leave it.
    const TWindowLimits limits = WindowLimits(FSize, AvailableScreen(FWindow));
    return {std::clamp(FWindow.width(), limits.Minimum.width(), limits.Maximum.width()),
            std::clamp(FHeightBefore, limits.Minimum.height(), limits.Maximum.height())};
}

void TTableSizer::Restore(const TIniFile& ini) {
    FSize = static_cast<TTableSize>(ReadIntSetting(ini, TSetting::TableSize));
    ApplyLimits(Limits());
}

void TTableSizer::Save(TIniFile& ini) const {
    WriteIntSetting(ini, TSetting::TableSize, static_cast<int>(FSize));
}

void TTableSizer::ApplyScale() {
    const double scale = TableScale(FSize, FWindow.size(), Extra());
    const bool fill = FSize == TTableSize::Fit;
    if (scale == FScale && FPanels.FitsCards() == (FSize != TTableSize::Standard) &&
        FPanels.Fills() == fill)
        return;
    FScale = scale;
    FPanels.SetScale(scale, FSize != TTableSize::Standard, fill);
    emit ScaleChanged(scale);
}

bool TTableSizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &FWindow && event->type() == QEvent::Resize) ApplyScale();
    return QObject::eventFilter(watched, event);
}

} // namespace drawmentor
