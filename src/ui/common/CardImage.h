#pragma once

#include <QImage>
#include <QWidget>

namespace drawmentor {

// One of the five card places: shows the image painted for it and reports a
// mouse press with its position (the tag 0..4).
class TCardImage : public QWidget {
    Q_OBJECT

  public:
    TCardImage(int tag, QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    const QImage& Image() const { return FImage; }
    int Tag() const { return FTag; }

  signals:
    void Pressed(int tag);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int FTag;
    QImage FImage;
};

} // namespace drawmentor
