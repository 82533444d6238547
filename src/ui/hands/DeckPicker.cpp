#include "DeckPicker.h"

#include "cards/Cards.h"
#include "render/CardPainter.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace drawmentor {

namespace {

constexpr int kCardGap = 3;
constexpr int kStepX = TCardPainter::Width + kCardGap;
constexpr int kStepY = TCardPainter::Height + kCardGap;
constexpr int kSuitRows = 4;

} // namespace

TDeckPicker::TDeckPicker(int jokers, QWidget* parent)
    : QWidget(parent), FPainter(std::make_unique<TCardPainter>()), FJokers(jokers),
      FChosen(kMaxCardCode + 1, false) {
    setObjectName(QStringLiteral("DeckPicker"));
    FPainter->Init();
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

TDeckPicker::~TDeckPicker() = default;

QSize TDeckPicker::sizeHint() const {
    const int rows = kSuitRows + (FJokers > 0 ? 1 : 0);
    return {kRankCount * kStepX - kCardGap, rows * kStepY - kCardGap};
}

void TDeckPicker::SetChosen(std::span<const int> codes) {
    std::fill(FChosen.begin(), FChosen.end(), false);
    int jokers = 0;
    for (int code : codes) {
        if (code < 0 || code > kMaxCardCode) continue;
        if (code >= kFirstJokerCode) code = kFirstJokerCode + jokers++;
        if (code <= kMaxCardCode) FChosen[code] = true;
    }
    update();
}

bool TDeckPicker::IsChosen(int code) const {
    return code >= 0 && code <= kMaxCardCode && FChosen[code];
}

QRect TDeckPicker::CardRect(int code) const {
    if (code >= kFirstJokerCode)
        return {(code - kFirstJokerCode) * kStepX, kSuitRows * kStepY, TCardPainter::Width,
                TCardPainter::Height};
    const TCard card = DecodeCard(code);
    return {card.Rank * kStepX, card.Suit * kStepY, TCardPainter::Width, TCardPainter::Height};
}

int TDeckPicker::CodeAt(const QPoint& point) const {
    for (int code = 0; code < kFirstJokerCode + FJokers; ++code)
        if (CardRect(code).contains(point)) return code;
    return -1;
}

void TDeckPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor background = palette().window().color();
    for (int code = 0; code < kFirstJokerCode + FJokers; ++code) {
        const QRect rect = CardRect(code);
        const TCard card = code >= kFirstJokerCode ? TCard{} : DecodeCard(code);
        FPainter->DrawSmallCard(painter, rect.x(), rect.y(), background, card.Rank, card.Suit,
                                FChosen[code], false, false);
    }
}

void TDeckPicker::mousePressEvent(QMouseEvent* event) {
    const int code = CodeAt(event->position().toPoint());
    if (code >= 0) emit CardClicked(code);
}

} // namespace drawmentor
