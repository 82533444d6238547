#include "CardTable.h"

#include "ui/common/CardImage.h"

#include "render/PaintEngine.h"

namespace drawmentor {
namespace {

const QColor kFelt(0, 96, 56);
constexpr int kBorder = 3;
constexpr int kCardWidth = 94;
constexpr int kCardHeight = 127;

} // namespace

TCardTable::TCardTable(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CardsPanel"));
    setAutoFillBackground(true);
    QPalette felt = palette();
    felt.setColor(QPalette::Window, kFelt);
    setPalette(felt);
    for (int i = 0; i < 5; ++i) {
        FCards[i] = new TCardImage(i, this);
        connect(FCards[i], &TCardImage::Pressed, this, &TCardTable::CardPressed);
    }
}

void TCardTable::SetCard(int index, const QImage& image) {
    FCards.at(index)->SetImage(image);
}

int TCardTable::CardTop() const {
    return std::max(0, (height() - kCardHeight) / 2);
}

void TCardTable::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int available = width() - 2 * kBorder;
    for (int i = 0; i < 5; ++i)
        FCards[i]->setGeometry(kBorder + RoundHalfEven((available - kCardWidth) / 4.0 * i),
                               CardTop(), kCardWidth, kCardHeight);
}

} // namespace drawmentor
