#include "ExtraHandsView.h"

#include "prefs/Texts.h"
#include "ui/common/LineText.h"
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
const QColor kWinText(255, 230, 80);
constexpr int kMargin = 4;
// Between a hand's cards and its text, and between two columns of hands.
constexpr int kGap = 6;
// The text shrinks no further than this share of the table's own size.
constexpr double kSmallestText = 0.6;

int RowsOf(int others, int columns) {
    return (others + columns - 1) / columns;
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
    const int columns = Arrange().Columns;
    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int width = area.width() / columns, height = area.height() / RowsOf(others, columns);
    return {area.left() + index % columns * width, area.top() + index / columns * height, width,
            height};
}

TExtraHandsView::TArrangement TExtraHandsView::Arrange() const {
    const int others = FSession->ExtraHands().HandsPerDeal() - 1;
    const TTableGame& game = FSession->Game();
    // The widest texts any hand of this game can show at this bet.
    QStringList names;
    int most = 0;
    for (int line = 0; line <= game.LastLine(); ++line) {
        names << LineText(game.LineName(line), FPreferences.Texts());
        most = std::max(most, game.WinOf(line));
    }
    const QSize area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin).size();
    TArrangement best;
    const auto arrange = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        int name = 0;
        for (const QString& text : names) name = std::max(name, metrics.horizontalAdvance(text));
        const int figure = metrics.horizontalAdvance(QString::number(most));
        const int spaced = name + metrics.horizontalAdvance(QStringLiteral("  ")) + figure;
        best = {1, false, {}, 0, font};
        for (int columns = 1; columns <= others; ++columns) {
            const int width = area.width() / columns - kGap;
            const int height = area.height() / RowsOf(others, columns) - 2;
            for (const bool stacked : {false, true}) {
                const int text = stacked ? std::max(name, figure) : spaced;
                if ((stacked ? 2 : 1) * metrics.height() > height) continue;
                const int cardWidth = (width - text - kGap) / 5 - 2;
                const int cardHeight =
                    std::min(height, cardWidth * TCardPainter::Height / TCardPainter::Width);
                if (cardHeight > best.Card.height())
                    best = {columns,
                            stacked,
                            {cardHeight * TCardPainter::Width / TCardPainter::Height, cardHeight},
                            text,
                            font};
            }
        }
        // Cards smaller than the text beside them are not worth the larger text.
        return best.Card.height() >= metrics.height();
    };
    LargestFitting(font(), kSmallestText, arrange);
    best.Card = best.Card.expandedTo({1, 1});
    return best;
}

QRect TExtraHandsView::CardRect(const TArrangement& arrangement, int index, int card) const {
    const QRect cell = HandRect(index);
    const QSize size = arrangement.Card;
    return {cell.left() + card * (size.width() + 2),
            cell.top() + (cell.height() - size.height()) / 2, size.width(), size.height()};
}

std::vector<TPaintedText> TExtraHandsView::HandTexts(const TArrangement& arrangement,
                                                     int index) const {
    const auto& drawn = FSession->ExtraHands().Hands();
    if (index >= static_cast<int>(drawn.size())) return {};
    const auto& hand = drawn[static_cast<size_t>(index)];
    const QFontMetrics metrics(arrangement.Font);
    const QString win = hand.Win > 0 ? QString::number(hand.Win) : QString();
    const QString name = hand.Line >= 0
                             ? LineText(FSession->Game().LineName(hand.Line), FPreferences.Texts())
                             : QString();
    const QRect cards = CardRect(arrangement, index, 4);
    const int lines = arrangement.Stacked ? 2 : 1;
    const QRect text(cards.right() + 1 + kGap, cards.center().y() - lines * metrics.height() / 2,
                     arrangement.TextWidth, lines * metrics.height());
    std::vector<TPaintedText> texts;
    if (arrangement.Stacked) {
        const QRect top(text.topLeft(), QSize(text.width(), metrics.height()));
        if (!name.isEmpty()) texts.push_back({top, name, arrangement.Font});
        if (!win.isEmpty())
            texts.push_back({top.translated(0, top.height()), win, arrangement.Font});
    } else {
        // The win is right-aligned in its own room, so wins line up.
        const int figure = metrics.horizontalAdvance(win);
        if (!name.isEmpty())
            texts.push_back({text.adjusted(0, 0, -figure - metrics.horizontalAdvance(u' '), 0),
                             name, arrangement.Font});
        if (!win.isEmpty())
            texts.push_back({text.adjusted(text.width() - figure, 0, 0, 0), win, arrangement.Font});
    }
    return texts;
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

void TExtraHandsView::PaintHand(QPainter& painter, const TArrangement& arrangement, int index) {
    const TTableHand& table = FSession->Hand();
    const auto& drawn = FSession->ExtraHands().Hands();
    const bool shown = index < static_cast<int>(drawn.size());
    for (int i = 0; i < kHandSize; ++i) {
        int code = kNoCard;
        if (shown)
            code = drawn[static_cast<size_t>(index)].Cards[i];
        else if (table.State() == TGameState::gsDealt && !IsBitSet(table.DrawMask(), i))
            code = table.CardAt(i); // held: the same card on every hand
        const QRect card = CardRect(arrangement, index, i);
        painter.drawImage(card.topLeft(), SmallCard(code, card.size()));
    }
    if (!shown) return;
    painter.setPen(drawn[static_cast<size_t>(index)].Win > 0 ? kWinText : QColor(Qt::white));
    for (const TPaintedText& text : HandTexts(arrangement, index)) {
        painter.setFont(text.Font);
        painter.drawText(text.Rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         text.Text);
    }
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
                                {LineText(FSession->Game().LineName(line), texts),
                                 texts.Counted(QStringLiteral("Hands"), count),
                                 texts.Counted(QStringLiteral("Credits"),
                                               int64_t{count} * FSession->Game().WinOf(line))});
    return lines;
}

std::vector<TPaintedText> TExtraHandsView::TallyTexts() const {
    const QStringList lines = TallyLines();
    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    std::vector<TPaintedText> texts;
    // One column while the lines fit, then a second beside it.
    const auto place = [&](const QFont& font) {
        texts.clear();
        const int lineHeight = QFontMetrics(font).height();
        const int perColumn = std::max(1, area.height() / lineHeight);
        const int columns = lines.size() > perColumn ? 2 : 1;
        const int columnWidth = area.width() / columns;
        bool fits = lines.size() <= columns * perColumn;
        for (int i = 0; i < lines.size(); ++i) {
            const QRect row(area.left() + i / perColumn * columnWidth,
                            area.top() + i % perColumn * lineHeight, columnWidth - kMargin,
                            lineHeight);
            texts.push_back({row, lines[i], font});
            fits = fits && TextFits(lines[i], font, row);
        }
        return fits;
    };
    LargestFitting(font(), kSmallestText, place);
    return texts;
}

std::vector<TPaintedText> TExtraHandsView::Texts() const {
    if (!FSession || FSession->ExtraHands().HandsPerDeal() < 2) return {};
    if (FSession->ExtraHands().HandsPerDeal() > kMostRows) return TallyTexts();
    std::vector<TPaintedText> texts;
    const TArrangement arrangement = Arrange();
    for (int index = 0; index < FSession->ExtraHands().HandsPerDeal() - 1; ++index)
        for (TPaintedText& text : HandTexts(arrangement, index)) texts.push_back(std::move(text));
    return texts;
}

void TExtraHandsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kHandsFelt);
    if (!FSession || FSession->ExtraHands().HandsPerDeal() < 2) return;
    if (FSession->ExtraHands().HandsPerDeal() > kMostRows) {
        const std::vector<TPaintedText> texts = TallyTexts();
        for (size_t i = 0; i < texts.size(); ++i) {
            painter.setPen(i == 0 ? kWinText : QColor(Qt::white));
            painter.setFont(texts[i].Font);
            painter.drawText(texts[i].Rect, Qt::AlignLeft | Qt::AlignVCenter, texts[i].Text);
        }
        return;
    }
    const TArrangement arrangement = Arrange();
    for (int index = 0; index < FSession->ExtraHands().HandsPerDeal() - 1; ++index)
        PaintHand(painter, arrangement, index);
}

} // namespace drawmentor
