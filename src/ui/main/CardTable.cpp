#include "CardTable.h"

#include "ui/common/CardImage.h"
#include "ui/main/Felt.h"

#include "render/PaintEngine.h"

#include <algorithm>

namespace drawmentor {

namespace {

constexpr int kBorder = 3;
constexpr int kCardWidth = 94;
constexpr int kCardHeight = 127;
constexpr int kMinimumGap = 4;

} // namespace

TCardTable::TCardTable(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CardsPanel"));
    setAutoFillBackground(true);
    QPalette felt = palette();
    felt.setColor(QPalette::Window, kFelt);
    setPalette(felt);
    FCardSize = QSize(kCardWidth, kCardHeight);
    for (int i = 0; i < 5; ++i) {
        FCards[i] = new TCardImage(i, this);
        connect(FCards[i], &TCardImage::Pressed, this, &TCardTable::CardPressed);
    }
}

void TCardTable::SetCard(int index, const QImage& image) {
    FCards.at(index)->SetImage(image);
}

int TCardTable::CardTop() const {
    return std::max(0, (height() - FCardSize.height()) / 2);
}

void TCardTable::SetScale(double scale, bool fit, bool grow) {
    FScale = scale;
    FFit = fit;
    FGrow = grow;
    PlaceCards();
}

void TCardTable::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceCards();
}

void TCardTable::PlaceCards() {
    const int border = RoundHalfEven(kBorder * FScale);
    const int available = width() - 2 * border;
    QSize size(kCardWidth, kCardHeight);
    if (FFit) {
        // Scaled, then as large as the table allows with a gap between two
        // cards; the card keeps its proportions.
        const double gap = kMinimumGap * FScale;
        const double widest = std::max(1.0, (available - 4 * gap) / 5);
        // Grown, the cards keep the standard table's felt above and below them.
        const double highest =
            std::max(1.0, (FGrow ? kCardHeight / 150.0 : 1.0) * (height() - 2.0 * border));
        const double factor = std::min(
            {widest / kCardWidth, highest / kCardHeight, FGrow ? widest / kCardWidth : FScale});
        size = QSize(std::max(1, static_cast<int>(kCardWidth * factor)),
                     std::max(1, static_cast<int>(kCardHeight * factor)));
    }
    const bool resized = size != FCardSize;
    FCardSize = size;
    for (int i = 0; i < 5; ++i)
        FCards[i]->setGeometry(border + RoundHalfEven((available - size.width()) / 4.0 * i),
                               CardTop(), size.width(), size.height());
    if (resized) emit CardSizeChanged();
}

} // namespace drawmentor
