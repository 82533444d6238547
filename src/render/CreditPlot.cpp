#include "CreditPlot.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace drawmentor {

void TCreditPlot::AddPoint(int ideal, int actual) {
    if (Count == kCapacity) {
        std::copy(Ideal.begin() + 1, Ideal.end(), Ideal.begin());
        std::copy(Actual.begin() + 1, Actual.end(), Actual.begin());
        Count = kCapacity - 1;
        High = std::max(*std::max_element(Ideal.begin(), Ideal.begin() + Count),
                        *std::max_element(Actual.begin(), Actual.begin() + Count));
        Low = std::min(*std::min_element(Ideal.begin(), Ideal.begin() + Count),
                       *std::min_element(Actual.begin(), Actual.begin() + Count));
    }
    Ideal[Count] = ideal;
    Actual[Count] = actual;
    if (Count == 0) {
        High = std::max(ideal, actual);
        Low = std::min(ideal, actual);
    } else {
        High = std::max({High, ideal, actual});
        Low = std::min({Low, ideal, actual});
    }
    ++Count;
    Repaint();
}

float TCreditPlot::YOf(int value) const {
    float range = static_cast<float>(High - Low);
    float base = static_cast<float>(Low);
    if (range < 100) { // a flat history sits in the middle of a band 100 high
        range = 100;
        base = static_cast<float>((High + Low) / 2 - 50);
    }
    const float height = FTarget ? static_cast<float>(FTarget->height()) : 60.0f;
    return height - ((static_cast<float>(value) - base) * (height - 6) / range + 3);
}

void TCreditPlot::Repaint() {
    if (!FTarget || FTarget->isNull()) return;
    QImage& image = *FTarget;
    image.fill(Qt::white);
    const QRgb silver = qRgb(192, 192, 192);
    for (int x = 10; x < image.width(); x += 10)
        for (int y = 0; y < image.height(); y += 2) image.setPixel(x, y, silver);
    for (int y = 10; y < image.height(); y += 10)
        for (int x = 0; x < image.width(); x += 2) image.setPixel(x, y, silver);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    const auto curve = [&](const std::array<int, kCapacity>& values, const QColor& colour) {
        if (Count < 1) return;
        QPolygonF line;
        for (int i = 0; i < Count; ++i) line << QPointF(i, YOf(values[i]));
        p.setPen(colour);
        if (Count == 1)
            p.drawPoint(line[0]);
        else
            p.drawPolyline(line);
    };
    curve(Ideal, QColor(0, 170, 170));
    curve(Actual, QColor(0, 0, 223));
}

} // namespace drawmentor
