#include "SessionSettings.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "games/HandsPerDeal.h"
#include "games/PayoutStorage.h"
#include "prefs/IniFile.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include <cmath>

namespace drawmentor {
namespace {

bool IsPlayable(const QString& key, const TGameExists& exists) {
    const std::string text = key.toStdString();
    const int game = KeyGameIndex(text);
    const int pay = KeyPayIndex(text);
    return game >= 0 && pay >= 0 && (!exists || exists(game, pay));
}

} // namespace

TStoredSession ReadStoredSession(const TIniFile& ini, unsigned autoSave,
                                 const TGameExists& exists) {
    TStoredSession stored;
    const QString recent = SettingSection(TSetting::CurrentGame);
    QStringList keys;
    for (int i = 1; i <= 9; ++i) {
        const QString value = ini.ReadString(recent, QString::number(i));
        if (!value.isEmpty() && keys.size() < kMaxRecentGames && IsPlayable(value, exists) &&
            !keys.contains(value))
            keys << value;
    }
    stored.RecentGames = keys;
    stored.CurrentGame = ReadSetting(ini, TSetting::CurrentGame);
    if (stored.CurrentGame.isEmpty() && !keys.isEmpty()) stored.CurrentGame = keys.first();

    // Counters are clamped by the key table: a hand-edited or damaged value
    // must not leave the program unable to deal.
    TSessionCounters& counters = stored.Counters;
    if (autoSave & asCredits) counters.RestoreCredits(ReadIntSetting(ini, TSetting::Credits));
    if (autoSave & asBalance)
        counters.RestoreBalance(ReadIntSetting(ini, TSetting::Balance) / 100.0);
    if (autoSave & asValue) stored.CoinIndex = ReadIntSetting(ini, TSetting::CoinValue);
    // The hint count belongs to Accuracy: kept or cleared with it.
    if (autoSave & asAccuracy) {
        counters.RestoreReturns(ReadFloatSetting(ini, TSetting::ReturnSum),
                                ReadFloatSetting(ini, TSetting::BestReturnSum));
        counters.RestoreHints(ReadIntSetting(ini, TSetting::Hints));
    }
    if (autoSave & asHands) counters.RestoreHands(ReadIntSetting(ini, TSetting::Hands));
    if (autoSave & asTime)
        counters.RestorePlayTime(ParsePlayTime(ReadSetting(ini, TSetting::PlayTime)).value_or(0));
    stored.Mode = static_cast<TPlayMode>(ReadIntSetting(ini, TSetting::Mode));
    stored.Options = (ReadBoolSetting(ini, TSetting::ShowResultHands) ? kShowResultHands : 0) |
                     (ReadBoolSetting(ini, TSetting::ShowWarnings) ? kShowWarnings : 0);
    stored.Bet = ReadIntSetting(ini, TSetting::Bet);
    // A count no machine deals (a hand-edited 7) plays one hand.
    const int hands = ReadIntSetting(ini, TSetting::HandsPerDeal);
    stored.HandsPerDeal = IsHandsPerDealChoice(hands) ? hands : 1;
    return stored;
}

void WriteStoredSession(TIniFile& ini, unsigned autoSave, const TStoredSession& session) {
    const TSessionCounters& counters = session.Counters;
    if (autoSave & asCredits) WriteIntSetting(ini, TSetting::Credits, counters.Credits());
    if (autoSave & asBalance)
        WriteIntSetting(ini, TSetting::Balance, std::llround(counters.Balance() * 100));
    if (autoSave & asValue) WriteIntSetting(ini, TSetting::CoinValue, session.CoinIndex);
    if (autoSave & asAccuracy) {
        WriteFloatSetting(ini, TSetting::ReturnSum, counters.ReturnSum());
        WriteFloatSetting(ini, TSetting::BestReturnSum, counters.BestReturnSum());
        WriteIntSetting(ini, TSetting::Hints, counters.Hints());
    }
    if (autoSave & asHands) WriteIntSetting(ini, TSetting::Hands, counters.Hands());
    if (autoSave & asTime)
        WriteSetting(ini, TSetting::PlayTime, PlayTimeText(counters.ElapsedTime()));
    WriteIntSetting(ini, TSetting::Bet, session.Bet);
    WriteIntSetting(ini, TSetting::Mode, ModeNumber(session.Mode));
    WriteIntSetting(ini, TSetting::HandsPerDeal, session.HandsPerDeal);
    WriteBoolSetting(ini, TSetting::ShowResultHands, session.Options & kShowResultHands);
    WriteBoolSetting(ini, TSetting::ShowWarnings, session.Options & kShowWarnings);
    const QString recent = SettingSection(TSetting::CurrentGame);
    ini.EraseSection(recent);
    if (!session.CurrentGame.isEmpty())
        WriteSetting(ini, TSetting::CurrentGame, session.CurrentGame);
    for (int i = 0; i < session.RecentGames.size(); ++i)
        ini.WriteString(recent, QString::number(i + 1), session.RecentGames[i]);
}

std::pair<int, int> StoredGameToPlay(const QString& key, const TPayoutStorage& store) {
    const std::string text = key.toStdString();
    const int game = text.empty() ? 0 : KeyGameIndex(text);
    const int pay = text.empty() ? 0 : KeyPayIndex(text);
    if (!GameName(game).empty() && pay >= 0 && pay < store.PaytableCount(game)) return {game, pay};
    if (!GameName(game).empty() && store.PaytableCount(game) > 0) return {game, 0};
    for (const auto& entry : GameNames())
        if (store.PaytableCount(entry.GameIndex) > 0) return {entry.GameIndex, 0};
    throw EDrawMentor("No paytable is stored for any game: the paytable file DrawMentor.dat is "
                      "missing or empty");
}

void TRecentGames::Assign(QStringList keys) {
    FKeys = std::move(keys);
    while (FKeys.size() > kMaxRecentGames) FKeys.removeLast();
}

void TRecentGames::Push(const QString& leaving, const QString& chosen) {
    if (leaving.isEmpty() || leaving == chosen)
        return; // choosing the game on the table again makes it no "recent other" game
    FKeys.removeAll(leaving);
    FKeys.prepend(leaving);
    while (FKeys.size() > kMaxRecentGames) FKeys.removeLast();
}

} // namespace drawmentor
