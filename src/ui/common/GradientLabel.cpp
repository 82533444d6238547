#include "GradientLabel.h"

#include "prefs/Preferences.h"
#include "render/Colors.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLayout>
#include <QPainter>

#include <cmath>

namespace drawmentor {
namespace {

constexpr int kTextMargin = 2;
// Below this a status line is no longer read at a glance.
constexpr double kSmallestPoints = 6;

// A desktop theme's shadow colour can be a light grey: darkened until white
// text reads on the lightest part of the gradient (a contrast of 4.5 to 1).
QColor UnderWhiteText(QColor base) {
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    for (int step = 0; step < 64 && 1.05 / (luminance(ShiftColor(base, 20)) + 0.05) < 4.5; ++step)
        base = ShiftColor(base, -4);
    return base;
}

} // namespace

TGradientLabel::TGradientLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    FBase = ResolveColor(TSystemColor::BtnShadow, palette());
}

void TGradientLabel::SetBaseColor(const QColor& color) {
    FBase = color;
    update();
}

void TGradientLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintGradientLabel(painter, rect(), FBase, text(), font(),
                       palette().color(QPalette::WindowText));
}

void PaintGradientLabel(QPainter& p, const QRect& rect, const QColor& base, const QString& text,
                        const QFont& font, const QColor& textColor) {
    FillGradient(p, rect, ShiftColor(base, 20), 20, 0, ShiftColor(base, -15));
    QFont smooth = font;
    smooth.setStyleStrategy(QFont::PreferAntialias);
    const THeaderText fitted = FitHeaderText(text, smooth, rect.size());
    p.setFont(fitted.Font);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(textColor);
    p.drawText(rect.adjusted(kTextMargin, 0, -kTextMargin, 0), fitted.Flags, text);
}

bool THeaderText::Fits(const QSize& room) const {
    return Bounds.width() <= room.width() - 2 * kTextMargin && Bounds.height() <= room.height();
}

THeaderText FitHeaderText(const QString& text, const QFont& font, const QSize& room) {
    const QRect area(0, 0, std::max(1, room.width() - 2 * kTextMargin), std::max(1, room.height()));
    THeaderText fitted{font, 0, {}};
    double size = font.pointSizeF() > 0 ? font.pointSizeF() : 9;
    for (; size >= kSmallestPoints; size -= 0.5) {
        fitted.Font.setPointSizeF(size);
        const QFontMetrics metrics(fitted.Font);
        for (const int flags :
             {Qt::AlignCenter | Qt::TextSingleLine, Qt::AlignCenter | Qt::TextWordWrap}) {
            fitted.Flags = flags;
            fitted.Bounds = metrics.boundingRect(area, flags, text);
            if (fitted.Fits(room)) return fitted;
        }
    }
    return fitted; // the smallest size, wrapped: as much as can be shown
}

TGradientLabel* MakeHeaderLabel(QLabel* label, const TPreferences& preferences) {
    auto* header = qobject_cast<TGradientLabel*>(label);
    if (!header) {
        header = new TGradientLabel(label->parentWidget());
        header->setObjectName(label->objectName());
        header->setText(label->text());
        header->setAlignment(label->alignment());
        header->setFont(label->font());
        header->setSizePolicy(label->sizePolicy());
        header->setMinimumSize(label->minimumSize());
        header->setMaximumSize(label->maximumSize());
        if (QWidget* parent = label->parentWidget(); parent && parent->layout())
            delete parent->layout()->replaceWidget(label, header); // the old item is ours to free
        else
            header->setGeometry(label->geometry());
        header->setVisible(true);
        delete label;
    }
    QFont font = header->font();
    ApplyFont(font, preferences);
    font.setBold(true);
    header->setFont(font);
    QPalette palette = header->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(palette);
    header->SetBaseColor(UnderWhiteText(ResolveColor(TSystemColor::BtnShadow, palette)));
    return header;
}

void ApplyFont(QFont& font, const TPreferences& preferences) {
    font.setFamily(preferences.Texts().FontName);
}

void InstallFontProbe() {
    TTexts::SetFontProbe([](const QString& family) { return QFontDatabase::hasFamily(family); });
}

} // namespace drawmentor
