#include "ExtraHandsView.h"

#include "prefs/Texts.h"
#include "ui/common/TextSections.h"

#include "cards/Cards.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace drawmentor {

namespace {

const QColor kHandsFelt(0, 80, 46);
const QColor kBack(40, 60, 150);
constexpr int kMargin = 4;
// Room right of a hand's cards for its line and win.
constexpr int kWinWidth = 60;

// Columns and rows of hands: two hands side by side, four as two by two,
// nine as three by three.
std::pair<int, int> Grid(int others) {
    const int columns = others <= 1 ? 1 : others <= 4 ? 2 : 3;
    return {columns, (others + columns - 1) / columns};
}

} // namespace

TExtraHandsView::TExtraHandsView(const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), FPreferences(preferences) {
    setObjectName(QStringLiteral("OtherHands"));
    setFixedHeight(kHeight);
    FPainter.Init();
}

QRect TExtraHandsView::HandRect(int index) const {
    if (!FSession) return {};
    const int others = FSession->ExtraHands().HandsPerDeal() - 1;
    if (others < 1 || others >= kMostRows || index < 0 || index >= others) return {};
    const auto [columns, rows] = Grid(others);
    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int width = area.width() / columns, height = area.height() / rows;
    return {area.left() + index % columns * width, area.top() + index / columns * height, width,
            height};
}

QImage TExtraHandsView::SmallCard(int code, const QSize& size) {
    QImage image(TCardPainter::Width, TCardPainter::Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (code < 0 || code > kMaxCardCode) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 3));
        painter.setBrush(kBack);
        painter.drawRoundedRect(QRectF(1.5, 1.5, image.width() - 3, image.height() - 3), 5, 5);
    } else {
        const TCard card = DecodeCard(code);
        const bool wild = card.Rank >= 0 && FSession->Game().IsWild(card.Rank);
        FPainter.DrawSmallCard(painter, kHandsFelt, card.Rank, std::max(card.Suit, 0), false, wild);
    }
    painter.end();
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TExtraHandsView::PaintHand(QPainter& painter, int index, const QRect& cell) {
    const TTableHand& table = FSession->Hand();
    const auto& drawn = FSession->ExtraHands().Hands();
    const bool shown = index < static_cast<int>(drawn.size());
    // Cards as large as the cell allows, in the small cards' proportions.
    const int height = std::min(cell.height() - 2, ((cell.width() - kWinWidth) / 5 - 2) *
                                                       TCardPainter::Height / TCardPainter::Width);
    const QSize size(height * TCardPainter::Width / TCardPainter::Height, std::max(height, 1));
    for (int i = 0; i < kHandSize; ++i) {
        int code = kNoCard;
        if (shown)
            code = drawn[index].Cards[i];
        else if (table.State() == TGameState::gsDealt && !IsBitSet(table.DrawMask(), i))
            code = table.CardAt(i); // held: the same card on every hand
        painter.drawImage(cell.left() + i * (size.width() + 2), cell.top(), SmallCard(code, size));
    }
    if (!shown) return;
    const QRect text(cell.left() + 5 * (size.width() + 2) + 2, cell.top(),
                     cell.width() - 5 * (size.width() + 2) - 2, size.height());
    const auto& hand = drawn[index];
    painter.setPen(hand.Win > 0 ? QColor(255, 230, 80) : QColor(Qt::white));
    QString label = hand.Win > 0 ? QString::number(hand.Win) : QString();
    if (hand.Line >= 0 && text.height() >= 2 * painter.fontMetrics().height())
        label = FSession->Game().LineName(hand.Line) + QLatin1Char('\n') + label;
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, label);
}

QStringList TExtraHandsView::TallyLines() const {
    QStringList lines;
    if (!FSession || FSession->ExtraHands().HandsPerDeal() <= kMostRows) return lines;
    const auto text = [&](const char* key) {
        return FPreferences.Texts().Translate(kMainHandsTexts, QString::fromLatin1(key));
    };
    const TTableHand& table = FSession->Hand();
    const int hands = FSession->ExtraHands().DealtHands();
    if (table.State() != TGameState::gsDrawn || FSession->ExtraHands().Hands().empty()) {
        lines << FormatText(text("Waiting"),
                            {QString::number(FSession->ExtraHands().HandsPerDeal())});
        return lines;
    }
    const int last = FSession->Game().LastLine();
    const auto counts = FSession->ExtraHands().LineCounts(table.CurrentLine(), last);
    const TTexts& texts = FPreferences.Texts();
    lines << FormatText(text("TallyCounted"),
                        {QString::number(hands - counts[static_cast<size_t>(last) + 1]),
                         texts.Counted(QStringLiteral("Hands"), hands),
                         texts.Counted(QStringLiteral("Credits"), FSession->DealWin())});
    for (int line = 0; line <= last; ++line)
        if (const int count = counts[static_cast<size_t>(line)]; count > 0)
            lines << FormatText(text("LineCounted"),
                                {FSession->Game().LineName(line),
                                 texts.Counted(QStringLiteral("Hands"), count),
                                 texts.Counted(QStringLiteral("Credits"),
                                               int64_t{count} * FSession->Game().WinOf(line))});
    return lines;
}

void TExtraHandsView::PaintTally(QPainter& painter) {
    const QStringList lines = TallyLines();
    const int lineHeight = painter.fontMetrics().height();
    // One column while the lines fit, then a second beside it.
    const int perColumn = std::max(1, (height() - 2 * kMargin) / lineHeight);
    const int columnWidth = (width() - 2 * kMargin) / (lines.size() > perColumn ? 2 : 1);
    for (int i = 0; i < lines.size(); ++i) {
        painter.setPen(i == 0 ? QColor(255, 230, 80) : QColor(Qt::white));
        const QRect row(kMargin + i / perColumn * columnWidth, kMargin + i % perColumn * lineHeight,
                        columnWidth - kMargin, lineHeight);
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(lines[i], Qt::ElideRight, row.width()));
    }
}

void TExtraHandsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kHandsFelt);
    if (!FSession || FSession->ExtraHands().HandsPerDeal() < 2) return;
    if (FSession->ExtraHands().HandsPerDeal() > kMostRows) {
        PaintTally(painter);
        return;
    }
    for (int index = 0; index < FSession->ExtraHands().HandsPerDeal() - 1; ++index)
        PaintHand(painter, index, HandRect(index));
}

} // namespace drawmentor
