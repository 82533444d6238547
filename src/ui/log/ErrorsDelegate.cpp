#include "ErrorsDelegate.h"

#include "ErrorsModel.h"

#include "cards/Cards.h"
#include "play/LogRecord.h"

#include <QApplication>
#include <QPainter>

namespace drawmentor {
namespace {

constexpr int kCardsLeft = 5;
constexpr int kTextRight = 5;

} // namespace

TErrorsDelegate::TErrorsDelegate(QObject* parent) : QStyledItemDelegate(parent) {
    FPainter.Init();
}

void TErrorsDelegate::SetVariants(bool yourHold, bool bestHold) {
    FYourHold = yourHold;
    FBestHold = bestHold;
}

int TErrorsDelegate::WildRank(int gameIndex) const {
    if (gameIndex < 0 || gameIndex >= kCatalogueSize) return kNoWildRankInGame;
    const auto slot = static_cast<size_t>(gameIndex);
    if (!FWildRanksKnown[slot]) {
        const auto description = CreateDescription(gameIndex);
        FWildRanks[slot] = description ? description->WildRank : kNoWildRankInGame;
        FWildRanksKnown[slot] = true;
    }
    return FWildRanks[slot];
}

void TErrorsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QColor background = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    if (index.column() == TErrorsModel::cHand)
        PaintHand(*painter, option.rect, background, index);
    else
        PaintValues(*painter, option.rect, index);
    painter->restore();
}

void TErrorsDelegate::PaintHand(QPainter& painter, const QRect& cell, const QColor& background,
                                const QModelIndex& index) const {
    const auto* record =
        static_cast<const TLogRecord*>(index.data(TErrorsModel::RecordRole).value<const void*>());
    if (!record) return;
    const int wildRank = WildRank(record->GameIndex);
    const int top = cell.top() + (cell.height() - TCardPainter::Height) / 2;
    for (int i = 0; i < kHandSize; ++i) {
        const int code = record->Dealt[static_cast<size_t>(i)];
        if (code > kMaxCardCode) continue; // a damaged card stays blank
        const TCard card = DecodeCard(code);
        const bool wild = wildRank >= 0 && card.Rank == wildRank;
        const bool yourHeld = FYourHold && !IsBitSet(record->DrawMask, i);
        const bool bestHeld = FBestHold && !IsBitSet(record->BestMask, i);
        FPainter.DrawSmallCard(painter, cell.left() + kCardsLeft + i * TCardPainter::Width, top,
                               background, card.Rank, std::max(card.Suit, 0), yourHeld, wild,
                               bestHeld);
    }
}

void TErrorsDelegate::PaintValues(QPainter& painter, const QRect& cell,
                                  const QModelIndex& index) const {
    const QStringList lines = index.data(Qt::DisplayRole).toString().split(QLatin1Char('\n'));
    const QString win = index.data(TErrorsModel::WinRole).toString();
    const int lineHeight = painter.fontMetrics().height();
    const int inset = (cell.height() - TCardPainter::Height) / 2 + 1;
    QRect line(cell.left(), cell.top() + inset, cell.width() - kTextRight, lineHeight);
    for (const QString& text : lines) {
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, text);
        line.translate(0, lineHeight);
    }
    if (!win.isEmpty())
        painter.drawText(QRect(cell.left(), cell.bottom() - inset - lineHeight + 1,
                               cell.width() - kTextRight, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, win);
}

QSize TErrorsDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    if (index.column() == TErrorsModel::cHand)
        return {kCardsLeft * 2 + kHandSize * TCardPainter::Width, RowHeight()};
    return {QStyledItemDelegate::sizeHint(option, index).width(), RowHeight()};
}

} // namespace drawmentor
