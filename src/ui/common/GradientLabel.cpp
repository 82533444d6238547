#include "GradientLabel.h"

#include "prefs/Preferences.h"
#include "render/Colors.h"

#include <QFontDatabase>
#include <QLayout>
#include <QPainter>

namespace drawmentor {

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
    p.setFont(smooth);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(textColor);
    p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
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
    header->SetBaseColor(ResolveColor(TSystemColor::BtnShadow, palette));
    return header;
}

void ApplyFont(QFont& font, const TPreferences& preferences) {
    font.setFamily(preferences.FontName);
}

void InstallFontProbe() {
    TPreferences::SetFontProbe(
        [](const QString& family) { return QFontDatabase::hasFamily(family); });
}

} // namespace drawmentor
