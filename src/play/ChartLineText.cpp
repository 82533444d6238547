#include "ChartLineText.h"

#include "cards/Cards.h"
#include "games/Catalogue.h"
#include "prefs/Texts.h"

#include <QSet>
#include <QStringList>

#include <vector>

namespace drawmentor {
namespace {

// "Four of Kind" -> "Four of a Kind", single spaces: the catalogue spells its
// lines in more than one way, the language file once.
QString NormalLineName(const std::string& name) {
    QString text = QString::fromStdString(name).simplified();
    text.replace(QStringLiteral(" of Kind"), QStringLiteral(" of a Kind"));
    return text;
}

// The language file's translation of a normalised line name, or nothing.
QString TranslatedLine(const QString& normal, const TTexts& texts) {
    return texts.HasText(kPaytableLineTexts, normal) ? texts.Translate(kPaytableLineTexts, normal)
                                                     : QString();
}

// The form of a counted text for `n`: .One for 1, 21, ... (not 11), .Few for
// 2-4, 22-24, ... (not 12-14), .Many for the rest. Languages with fewer
// forms repeat one.
QString CountedKey(const std::string& key, int n) {
    const int tens = n % 100, units = n % 10;
    const char* form = tens >= 11 && tens <= 14   ? ".Many"
                       : units == 1               ? ".One"
                       : units >= 2 && units <= 4 ? ".Few"
                                                  : ".Many";
    return QString::fromStdString(key) + QLatin1String(form);
}

class TComposer {
  public:
    explicit TComposer(const TTexts& texts) : FTexts(texts) {}

    QString Compose(const TNamePart& part) const {
        switch (part.Kind) {
        case TNameKind::Text: return Fill(Word(QString::fromStdString(part.Key)), part.Pieces);
        case TNameKind::Counted: return Fill(Word(CountedKey(part.Key, part.Value)), part.Pieces);
        case TNameKind::Number: return QString::number(part.Value);
        case TNameKind::Letters: {
            // Highest first; an Ace held with cards of 2-5 only is low: "432A".
            constexpr uint32_t kAce = 1u << (kRankCount - 1);
            const auto ranks = static_cast<uint32_t>(part.Value);
            const bool aceLow =
                (ranks & kAce) && (ranks & ~kAce) != 0 && (ranks & ~kAce & ~0xFu) == 0;
            QString text;
            for (int rank = kRankCount - 1; rank >= 0; --rank)
                if (((ranks & ~(aceLow ? kAce : 0)) >> rank) & 1)
                    text += QLatin1Char(kRankLetters[rank]);
            return aceLow ? text + QLatin1Char('A') : text;
        }
        case TNameKind::Runs: return Runs(static_cast<uint32_t>(part.Value), part.Copies);
        case TNameKind::List: {
            QStringList items;
            for (const TNamePart& item : part.Pieces) items << Compose(item);
            return Join(items, QString::fromStdString(part.Key));
        }
        case TNameKind::Line: {
            const QString normal = NormalLineName(part.Key);
            const QString translated = TranslatedLine(normal, FTexts);
            return translated.isEmpty() ? normal : translated;
        }
        }
        return {};
    }

  private:
    QString Word(const QString& key) const { return FTexts.Translate(kChartLineTexts, key); }

    QString Fill(const QString& pattern, const std::vector<TNamePart>& parts) const {
        QStringList values;
        for (const TNamePart& part : parts) values << Compose(part);
        return FormatText(pattern, values);
    }

    // "a, b or c": the last item joined by the text of `last`, the others by
    // commas (all of them without `last`).
    QString Join(const QStringList& items, const QString& last) const {
        QString text;
        for (qsizetype i = 0; i < items.size(); ++i)
            text = i == 0 ? items[i]
                          : FormatText(Word(i + 1 == items.size() && !last.isEmpty()
                                                ? last
                                                : QStringLiteral("Comma")),
                                       {text, items[i]});
        return text;
    }

    // Ranks from the lowest, three or more in a row as one run: "22-66, 99, TT".
    // Single cards run from an Ace below the 2 when both are there (kickers
    // "A-4"); pairs never do.
    QString Runs(uint32_t ranks, int copies) const {
        const auto letters = [&](int rank) { return QString(copies, QChar(kRankLetters[rank])); };
        constexpr int kAce = kRankCount - 1;
        std::vector<int> order;
        const bool aceLow = copies == 1 && (ranks & 1u) && ((ranks >> kAce) & 1);
        if (aceLow) order.push_back(kAce);
        for (int rank = 0; rank < kRankCount - (aceLow ? 1 : 0); ++rank) order.push_back(rank);
        const auto in = [&](size_t at) { return at < order.size() && ((ranks >> order[at]) & 1); };
        QStringList runs;
        for (size_t at = 0; at < order.size();) {
            if (!in(at)) {
                ++at;
                continue;
            }
            size_t end = at;
            while (in(end + 1)) ++end;
            if (end > at + 1) {
                runs << FormatText(Word(QStringLiteral("Run")),
                                   {letters(order[at]), letters(order[end])});
            } else {
                runs << letters(order[at]);
                if (end > at) runs << letters(order[end]);
            }
            at = end + 1;
        }
        return Join(runs, {});
    }

    const TTexts& FTexts;
};

} // namespace

QString ChartNameText(const TNamePart& name, const TTexts& texts) {
    return TComposer(texts).Compose(name);
}

namespace {

void CollectKeys(const TNamePart& part, QSet<QString>& keys) {
    if (!part.Key.empty()) keys.insert(QString::fromStdString(part.Key));
    for (const TNamePart& piece : part.Pieces) CollectKeys(piece, keys);
}

} // namespace

QStringList ChartExceptionTexts(const TChartLine& line, const TTexts& texts) {
    QStringList notes;
    for (const TChartException& exception : line.Exceptions)
        notes << FormatText(texts.Translate(kChartLegendTexts, QStringLiteral("Exception")),
                            {ChartNameText(exception.Name, texts),
                             QString::number(100 * exception.Recovered, 'f', 0)});
    return notes;
}

QString ChartExampleText(const TChartLine& line, const TTexts& texts) {
    if (line.ExampleMask < 0) return {};
    QStringList dealt, held;
    for (int pos = 0; pos < kHandSize; ++pos) {
        const QString card = QString::fromStdString(CardCodeText(line.Example[pos]));
        dealt << card;
        if (!IsBitSet(line.ExampleMask, pos)) held << card;
    }
    const auto text = [&](const char* key) {
        return texts.Translate(kChartLegendTexts, QString::fromLatin1(key));
    };
    return FormatText(text("Example"),
                      {dealt.join(QLatin1Char(' ')),
                       held.isEmpty() ? text("HoldNothing") : held.join(QLatin1Char(' '))});
}

QString ChartPaysText(const TStrategyChart& chart, const TTexts& texts) {
    const auto game = CreateDescription(chart.GameIndex);
    if (!game) return {};
    QStringList pays;
    for (size_t line = 0; line < chart.Pays.size(); ++line)
        pays << PaytableLineText(game->LineName(static_cast<int>(line)), texts) + QLatin1Char(' ') +
                    QString::number(chart.Pays[line]);
    return FormatText(texts.Translate(kChartLegendTexts, QStringLiteral("Pays")),
                      {QString::number(chart.Bet), pays.join(QStringLiteral(", "))});
}

QString ChartLineWithNotes(const TChartLine& line, const TTexts& texts) {
    return (QStringList{ChartNameText(line.Name, texts)} + ChartExceptionTexts(line, texts))
        .join(QLatin1Char('\n'));
}

QStringList ChartLegend(const TStrategyChart& chart, const TTexts& texts) {
    QSet<QString> keys;
    for (const TChartLine& line : chart.Lines) CollectKeys(line.Name, keys);
    const auto game = CreateDescription(chart.GameIndex);
    const uint32_t highRanks = game ? MakeHoldRules(*game, chart.Pays).HighRanks : 0;
    const auto any = [&](std::initializer_list<const char*> wanted) {
        for (const char* key : wanted)
            if (keys.contains(QString::fromLatin1(key))) return true;
        return false;
    };
    const auto text = [&](const char* key) {
        return texts.Translate(kChartLegendTexts, QString::fromLatin1(key));
    };
    QStringList legend{text("Order")};
    if (any({"NoGap", "Gaps.One", "Gaps.Few", "Gaps.Many", "Gaps"})) legend << text("Gaps");
    if (any({"ToOutsideStraight", "ToInsideStraight"})) legend << text("OutsideInside");
    if (any({"ToStraightFlushRanks", "ToStraightRanks"})) legend << text("Ranks");
    if (highRanks != 0 && any({"NoHighCard", "HighCards", "AtMostHighCards", "AtLeastHighCards",
                               "HighCardsFromTo", "TwoSuitedHigh", "SingleHigh", "UnsuitedHigh"})) {
        QStringList ranks;
        for (int rank = kRankCount - 1; rank >= 0; --rank)
            if ((highRanks >> rank) & 1) ranks << QString(QChar(kRankLetters[rank]));
        legend << FormatText(text("HighCards"), {ranks.join(QStringLiteral(", "))});
    }
    if (any({"FlushPenalty", "NoFlushPenalty", "BothPenalties", "NoPenalties"}))
        legend << text("FlushPenalty");
    if (any({"StraightPenalty", "NoStraightPenalty", "BothPenalties", "NoPenalties"}))
        legend << text("StraightPenalty");
    if (any({"PayingKicker", "OtherKicker", "Kicker", "Kickers"})) legend << text("Kicker");
    return legend;
}

QString PaytableLineText(const std::string& name, const TTexts& texts) {
    const QString translated = TranslatedLine(NormalLineName(name), texts);
    return translated.isEmpty() ? QString::fromStdString(name) : translated;
}

} // namespace drawmentor
