#include "CardPictures.h"

#include "prefs/Texts.h"
#include "ui/common/SvgFaces.h"

#include "cards/Cards.h"
#include "play/Session.h"
#include "prefs/SettingKeys.h"
#include "render/CardRenderer.h"
#include "render/PaintEngine.h"

#include <QPainter>

namespace drawmentor {

TCardPictures::TCardPictures() {
    FPaint = std::make_unique<TPaintEngine>();
    FPaint->LoadDeck(QStringLiteral("001"));
    FPaint->SetBackIndex(1);
    FSvgFaces = std::make_unique<TSvgFaces>();
    FCardArt = std::make_unique<TCardRenderer>(*FPaint);
    FCardArt->SetFaceSource([this](int suit, int rank, const QSize& pixels) {
        return FSvgFaces->Face(suit, rank, pixels);
    });
}

TCardPictures::~TCardPictures() = default;

void TCardPictures::SetHeldWord(const QString& word) {
    FCardArt->SetHeldWord(word.trimmed().isEmpty() ? QStringLiteral("HELD") : word.trimmed());
}

QImage TCardPictures::Back(const QSize& size, qreal ratio) {
    return FCardArt->Back(size, ratio);
}

QImage TCardPictures::Face(const TSession& session, int index, const QSize& size, qreal ratio) {
    FSvgFaces->Use(FPaint->DeckCode);
    const TTableHand& hand = session.Hand();
    const TCard card = DecodeCard(hand.CardAt(index));
    QImage image = FCardArt->Card(size, ratio, hand.IsHeld(index), session.Game().IsWild(card.Rank),
                                  card.Suit, card.Rank);
    if (index == hand.DoubleUpPick()) {
        // The card the player turned in the double-up, framed like a selection.
        const double scale = static_cast<double>(size.width()) / FPaint->CardWidth;
        QPainter painter(&image);
        painter.setPen(QPen(QColor(255, 190, 0), 4 * scale));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(0, 0), QSizeF(size))
                             .adjusted(2 * scale, 2 * scale, -2 * scale, -2 * scale));
    }
    return image;
}

void TCardPictures::Restore(const TIniFile& ini, const QString& unreadablePattern,
                            QStringList& notices) {
    const QString deck = ReadSetting(ini, TSetting::Deck);
    try {
        FPaint->LoadDeck(deck.isEmpty() ? QStringLiteral("001") : deck);
    } catch (const std::exception& error) {
        // A damaged deck leaves the standard one, loaded first; the player is told once.
        notices << FormatText(unreadablePattern, {deck, QString::fromUtf8(error.what())});
    }
    FPaint->SetBackIndex(ReadIntSetting(ini, TSetting::Back));
}

void TCardPictures::Save(TIniFile& ini) const {
    WriteSetting(ini, TSetting::Deck, FPaint->DeckCode);
    WriteIntSetting(ini, TSetting::Back, FPaint->BackIndex);
}

} // namespace drawmentor
