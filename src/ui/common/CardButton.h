#pragma once

#include <QAbstractButton>
#include <QImage>

namespace drawmentor {

// The big flat buttons of the main window (Hint, Double, Deal): a cached
// rounded gradient face, an optional glyph and a one-line caption, engraved
// when disabled, moved by a pixel when pressed.
class TCardButton : public QAbstractButton {
    Q_OBJECT

  public:
    explicit TCardButton(QWidget* parent = nullptr);
    void SetGlyph(const QImage& glyph);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage FGlyph;
};

// Paints a button face with its glyph and caption into `painter`: what the
// widget shows, callable on any image.
void PaintCardButton(QPainter& painter, const QRect& rect, const QString& caption,
                     const QImage& glyph, bool pressed, bool enabled, const QPalette& palette,
                     const QFont& font);

} // namespace drawmentor
