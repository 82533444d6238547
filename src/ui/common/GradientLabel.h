#pragma once

#include <QLabel>

namespace drawmentor {

class TPreferences;

// The header label used throughout the program: a vertical gradient from
// the label's colour, with centred anti-aliased bold white text.
class TGradientLabel : public QLabel {
    Q_OBJECT

  public:
    explicit TGradientLabel(QWidget* parent = nullptr);
    void SetBaseColor(const QColor& color);
    QColor BaseColor() const { return FBase; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor FBase;
};

void PaintGradientLabel(QPainter& painter, const QRect& rect, const QColor& base,
                        const QString& text, const QFont& font, const QColor& textColor);

// Turns `label` into a header label in place: the UI font, white bold text on
// the button-shadow colour. A plain label is replaced by a TGradientLabel in
// the same layout position, which is returned; the plain one is deleted.
TGradientLabel* MakeHeaderLabel(QLabel* label, const TPreferences& preferences);

// The face of the preferences' UI font on `font`; size and style untouched.
void ApplyFont(QFont& font, const TPreferences& preferences);
// Lets the preferences know which font families this desktop has.
void InstallFontProbe();

} // namespace drawmentor
