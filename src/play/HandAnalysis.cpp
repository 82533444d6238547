#include "HandAnalysis.h"

#include "core/Checked.h"
#include "core/Error.h"
#include "engine/EngineFactory.h"
#include "games/Catalogue.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace drawmentor {
namespace {

// Adds one card to the entry; false (with the fault set) when it is refused.
bool AddCode(THandEntry& entry, int code, int jokers, int& jokersSeen, const QString& word) {
    if (code >= kFirstJokerCode) {
        if (jokersSeen >= jokers) {
            entry.Error =
                jokers == 0 ? THandEntryError::NoJokerInGame : THandEntryError::TooManyJokers;
            entry.Word = word;
            return false;
        }
        code = kFirstJokerCode + jokersSeen++;
    }
    if (std::find(entry.Codes.begin(), entry.Codes.end(), code) != entry.Codes.end()) {
        entry.Error = THandEntryError::CardTwice;
        entry.Word = word;
        return false;
    }
    if (entry.Codes.size() == kHandSize) {
        entry.Error = THandEntryError::TooManyCards;
        entry.Word = word;
        return false;
    }
    entry.Codes.push_back(code);
    return true;
}

void CheckCount(THandEntry& entry) {
    if (entry.IsValid() && entry.Codes.size() < kHandSize)
        entry.Error = THandEntryError::TooFewCards;
}

} // namespace

THandEntry ParseHandEntry(const QString& text, int jokers) {
    THandEntry entry;
    int jokersSeen = 0;
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        const auto card = ParseCardText(word.toStdString());
        if (!card) {
            entry.Error = THandEntryError::UnknownCard;
            entry.Word = word;
            return entry;
        }
        const int code = card->Rank < 0 ? kFirstJokerCode : EncodeCard(card->Rank, card->Suit);
        if (!AddCode(entry, code, jokers, jokersSeen, word)) return entry;
    }
    CheckCount(entry);
    return entry;
}

THandEntry CheckHandCodes(std::span<const int> codes, int jokers) {
    THandEntry entry;
    int jokersSeen = 0;
    for (int code : codes)
        if (!AddCode(entry, code, jokers, jokersSeen, QString::fromStdString(CardCodeText(code))))
            return entry;
    CheckCount(entry);
    return entry;
}

QString HandEntryText(std::span<const int> codes) {
    QStringList words;
    for (int code : codes) words << QString::fromStdString(CardCodeText(code));
    return words.join(QLatin1Char(' '));
}

QString HandEntryErrorKey(THandEntryError error) {
    switch (error) {
    case THandEntryError::None: return {};
    case THandEntryError::TooFewCards: return QStringLiteral("TooFewCards");
    case THandEntryError::TooManyCards: return QStringLiteral("TooManyCards");
    case THandEntryError::UnknownCard: return QStringLiteral("UnknownCard");
    case THandEntryError::CardTwice: return QStringLiteral("CardTwice");
    case THandEntryError::NoJokerInGame: return QStringLiteral("NoJoker");
    case THandEntryError::TooManyJokers: return QStringLiteral("TooManyJokers");
    }
    return {};
}

THandAnalysis::THandAnalysis(int gameIndex, const TPayTable& pays, int bet,
                             std::span<const int> codes) {
    try {
        FEngine = CreateEngineForGame(gameIndex);
        CheckIndex(bet, 1, kMaxCoins, "bet");
        for (int line = 0; line < kMaxLines; ++line)
            FPayout.Pays[line] = line <= FEngine->LastLine() ? pays.At(bet, line) : 0;
        FEngine->SetPayout(&FPayout);
        FEngine->DealCodes(codes);
        FBest = FEngine->GetTheBest();
    } catch (...) {
        AddErrorContext("AnalyseHand");
    }
}

int GameJokers(int gameIndex) {
    return CreateDescription(gameIndex)->Jokers;
}

} // namespace drawmentor
