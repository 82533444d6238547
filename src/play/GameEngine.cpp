#include "GameEngine.h"

#include "PaytableStore.h"
#include "cards/Checked.h"
#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"
#include "strategy/EngineFactory.h"

#include <QDateTime>

#include <cmath>

namespace drawmentor {
namespace {

const QString kPaytableFile = QStringLiteral("DrawMentor.dat");

std::function<uint32_t()>& SeedSource() {
    static std::function<uint32_t()> source;
    return source;
}

QString Key(int game, int pay) {
    return QString::fromStdString(GameKey(game, pay));
}

uint8_t LineByte(int line) {
    return line < 0 ? kNoLine : static_cast<uint8_t>(line);
}

} // namespace

int TRandom::Next(int n) {
    Seed = Seed * 134775813u + 1u;
    return static_cast<int>((uint64_t{Seed} * static_cast<uint32_t>(n)) >> 32);
}

void TRandom::Randomize() {
    if (SeedSource()) {
        Seed = SeedSource()();
        return;
    }
    const QTime now = QDateTime::currentDateTimeUtc().time();
    Seed = static_cast<uint32_t>(((now.hour() * 60 + now.minute()) * 60 + now.second()) * 1000 +
                                 now.msec());
}

void TRandom::SetSeedSource(std::function<uint32_t()> source) {
    SeedSource() = std::move(source);
}

TGameEngine::TGameEngine(TPreferences& preferences, IGameWindows* windows)
    : FPreferences(preferences), FWindows(windows ? windows : &FNoWindows) {
    ResetCounters();
    FLogger = std::make_unique<TLogger>(DataFileWritePath(QStringLiteral("DrawMentor.log")));
    LoadFromIni();
}

TGameEngine::~TGameEngine() {
    try {
        SaveToIni();
    } catch (...) {
        // The settings of this run are lost; nothing else is.
    }
}

// --- Playing -----------------------------------------------------------------

int TGameEngine::DealRandomCard() {
    int code;
    if (!FStacked.empty()) {
        code = FStacked.front();
        FStacked.erase(FStacked.begin());
        CheckIndex(code, 0, FDeckSize - 1, "stacked card");
        if (FUsedCards[code]) throw EDrawMentor("A stacked card is already on the table");
    } else {
        do code = FRandom.Next(FDeckSize);
        while (FUsedCards[code]);
    }
    FUsedCards[code] = true;
    FEngine->Deck.RemoveCode(code);
    return code;
}

void TGameEngine::PutOnTable(int position, int code) {
    FCards[position] = code;
    FEngine->Hand.AddCode(code);
    FRecord.Dealt[position] = static_cast<uint8_t>(code);
}

void TGameEngine::Deal() {
    try {
        if (FState == gsDoubleUp) return;
        if (FClockStart == 0) FClockStart = Now() - FPlayTime;
        Collect();
        FDoubleUpCount = 0;
        FEngine->ResetHand();
        std::fill(std::begin(FUsedCards), std::end(FUsedCards), false);
        if (FMode == pmPlayErrorHands && FErrorHands.empty()) {
            ChooseOtherMode();
            if (FMode == pmPlayErrorHands && FErrorHands.empty()) return;
        }
        if (FMode == pmPlayErrorHands) {
            if (FErrorHandIndex >= static_cast<int>(FErrorHands.size())) FErrorHandIndex = 0;
            const auto codes = UnpackHand(FErrorHands[FErrorHandIndex++]);
            for (int i = 0; i < kHandSize; ++i) {
                const int code = CheckIndex(codes[i], 0, FDeckSize - 1, "card code");
                FUsedCards[code] = true;
                FEngine->Deck.RemoveCode(code);
                PutOnTable(i, code);
            }
        } else {
            for (int i = 0; i < kHandSize; ++i) PutOnTable(i, DealRandomCard());
        }
        FRecord = TLogRecord{};
        FRecord.GameIndex = static_cast<uint8_t>(FEngine->GameIndex);
        FRecord.PayIndex = static_cast<uint8_t>(FPayIndex);
        FRecord.Mode = static_cast<uint8_t>(FMode);
        FRecord.CoinIndex = static_cast<uint8_t>(FCoinIndex);
        FRecord.Bet = static_cast<uint8_t>(FBet);
        for (int i = 0; i < kHandSize; ++i) FRecord.Dealt[i] = static_cast<uint8_t>(FCards[i]);
        FRecord.BestMask = static_cast<uint8_t>(FEngine->GetTheBest());
        FRecord.BestReturn = static_cast<double>(FEngine->DrawReturn(FRecord.BestMask));
        FRecord.DealTime = Now();
        FRecord.HintReturn = 0;
        FDrawMask = FMode == pmAutoHold ? FRecord.BestMask : 31;
        FCurrentLine = FEngine->CurrentLine();
        FRecord.DealLine = LineByte(FCurrentLine);
        FState = gsDealt;
        FHandOpen = true;
        FCredits = CheckedSub(FCredits, int32_t{FRecord.Bet});
        FBestCredits = CheckedSub(FBestCredits, int32_t{FRecord.Bet});
    } catch (...) {
        AddErrorContext("Deal");
    }
}

void TGameEngine::ToggleHold(int position) {
    CheckIndex(position, 0, kHandSize - 1, "card position");
    if (FState == gsDealt) FDrawMask ^= 1 << position;
}

void TGameEngine::SetDrawMask(int mask) {
    CheckIndex(mask, 0, kMaskCount - 1, "draw mask");
    if (FState == gsDealt) FDrawMask = mask;
}

void TGameEngine::ReleaseAll() {
    if (FState == gsDealt) FDrawMask = 31;
}

void TGameEngine::ShowHint() {
    if (FState != gsDealt) return;
    FDrawMask = FRecord.BestMask;
    FRecord.HintReturn = static_cast<double>(FEngine->DrawReturn(FRecord.BestMask));
}

void TGameEngine::CheckWarning() {
    if (!(FOptions & kShowWarnings) || FState != gsDealt) return;
    if (HoldCost() <= kWarningThreshold) return;
    const auto answer = FWindows->ShowWarning(*this);
    if (answer.ApplyBest) ShowHint();
    if (answer.StopWarnings) FOptions &= ~kShowWarnings;
}

std::array<int, kHandSize> TGameEngine::FinalCards(int mask) const {
    std::array<int, kHandSize> cards{};
    int next = 0;
    for (int i = 0; i < kHandSize; ++i)
        cards[i] = IsBitSet(mask, i) ? FRecord.Drawn[next++] : FCards[i];
    return cards;
}

// The final hand of a mask, classified; the engine's Hand is left holding it.
int TGameEngine::FinalLine(int mask) {
    FEngine->Hand.ClearHand();
    for (int code : FinalCards(mask)) FEngine->Hand.AddCode(code);
    return FEngine->HandLine();
}

int TGameEngine::WinOf(int line) const {
    return line < 0 ? 0 : FPayTable.At(FBet, line);
}

void TGameEngine::Draw() {
    try {
        if (FState != gsDealt) return;
        FRecord.DrawMask = static_cast<uint8_t>(FDrawMask);
        FRecord.Return = static_cast<double>(FEngine->DrawReturn(FDrawMask));
        FReturnSum += FRecord.Return;
        FBestReturnSum += FRecord.BestReturn;
        for (int i = 0; i < kHandSize; ++i)
            FRecord.Drawn[i] = static_cast<uint8_t>(DealRandomCard());
        const int bestLine = FinalLine(FRecord.BestMask);
        FRecord.BestLine = LineByte(bestLine);
        FRecord.BestWin = WinOf(bestLine);
        FRecord.MaxWin = 0;
        FRecord.MaxMask = 31;
        for (int mask = 0; mask < kMaskCount; ++mask) {
            const int win = WinOf(FinalLine(mask));
            if (win > FRecord.MaxWin) {
                FRecord.MaxWin = win;
                FRecord.MaxMask = static_cast<uint8_t>(mask);
            }
        }
        const auto final = FinalCards(FDrawMask);
        std::copy(final.begin(), final.end(), FCards);
        FCurrentLine = FinalLine(FDrawMask);
        FState = gsDrawn;
        FCurrentWin = WinOf(FCurrentLine);
        FRecord.Win = FCurrentWin;
        FRecord.Line = LineByte(FCurrentLine);
    } catch (...) {
        AddErrorContext("Draw");
    }
}

std::array<bool, kHandSize> TGameEngine::PrepareDealDraw() {
    std::array<bool, kHandSize> replaced{};
    if (!CanDealDraw()) return replaced;
    if (FState == gsDealt) {
        CheckWarning();
        if (!(FOptions & kShowResultHands))
            Draw(); // the result is never shown: straight on to the next deal
    }
    for (int i = 0; i < kHandSize; ++i)
        replaced[i] = FState != gsDealt || IsBitSet(FDrawMask, i) || FCards[i] == kNoCard;
    return replaced;
}

bool TGameEngine::FinishDealDraw() {
    if (!CanDealDraw()) return false;
    if (FState == gsDealt) {
        Draw();
        return false;
    }
    Deal();
    return true;
}

void TGameEngine::StartDoubleUp() {
    if (!CanDouble()) return;
    FState = gsDoubleUp;
    FCurrentLine = -1;
    FDrawMask = 31;
    FEngine->Deck.Fill();
    std::fill(std::begin(FUsedCards), std::end(FUsedCards), false);
    for (int& card : FCards) card = DealRandomCard();
}

void TGameEngine::DoubleUpPick(int position) {
    if (FState != gsDoubleUp) return;
    CheckIndex(position, 1, kHandSize - 1, "card position");
    ++FDoubleUpCount;
    const auto value = [&](int code) {
        const TCard card = DecodeCard(code);
        return IsWild(card.Rank) ? card.Rank + 100 : card.Rank;
    };
    const int dealer = value(FCards[0]);
    const int picked = value(FCards[position]);
    if (picked > dealer)
        FCurrentWin = CheckedMul(FCurrentWin, int32_t{2});
    else if (picked < dealer)
        FCurrentWin = 0;
    FState = gsDrawn;
}

void TGameEngine::Collect() {
    try {
        if (!FHandOpen) return;
        if (FState == gsDrawn || FState == gsDoubleUp) {
            FRecord.DoubleUps = static_cast<uint8_t>(std::min(FDoubleUpCount, 255));
            FRecord.Collected = FCurrentWin;
            FRecord.CollectTime = Now();
            FCredits = CheckedAdd(FCredits, FCurrentWin);
            FBestCredits = CheckedAdd(FBestCredits, FRecord.BestWin);
            FBalance += (FCurrentWin - FRecord.Bet) * CoinValue(FRecord.CoinIndex);
            FCurrentWin = 0;
            FHands = CheckedAdd(FHands, int32_t{1});
            FHandOpen = false;
            FLogger->Append(FRecord);
        } else if (FState == gsDealt) {
            FCredits = CheckedAdd(FCredits, int32_t{FRecord.Bet});
            FBestCredits = CheckedAdd(FBestCredits, int32_t{FRecord.Bet});
            FHandOpen = false;
        }
    } catch (...) {
        AddErrorContext("Collect");
    }
}

// --- Game and settings ---------------------------------------------------------

void TGameEngine::PushRecent(const QString& selected) {
    if (!FEngine || FPayIndex == -1) return;
    const QString key = Key(FEngine->GameIndex, FPayIndex);
    if (key == selected)
        return; // choosing the game on the table again makes it no "recent other" game
    FRecentGames.removeAll(key);
    FRecentGames.prepend(key);
    while (FRecentGames.size() > kMaxRecentGames) FRecentGames.removeLast();
}

void TGameEngine::SelectGame(int gameIndex, int payIndex) {
    try {
        if (payIndex != -1) {
            // A paytable that does not exist fails before anything changes.
            try {
                OpenPaytableStore()->ReadPaytable(gameIndex, payIndex);
            } catch (...) {
                AddErrorContext("SetPayIndex");
            }
        }
        FRecentGames.removeAll(Key(gameIndex, payIndex));
        PushRecent(Key(gameIndex, payIndex));
        SetEngine(CreateEngineForGame(gameIndex));
        SetPayIndex(payIndex);
        ApplyBet(FBet);
        if (FMode == pmPlayErrorHands) {
            FErrorHands.clear();
            BuildErrorHands();
        }
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

void TGameEngine::SelectGame(int gameIndex, int payIndex, const TPayTable& pays) {
    try {
        SetEngine(CreateEngineForGame(gameIndex));
        FPayIndex = payIndex;
        FPayTable = pays;
        ApplyBet(FBet);
        FErrorHands.clear();
        if (FMode == pmPlayErrorHands) BuildErrorHands();
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

void TGameEngine::SelectRecent(int index) {
    try {
        CheckIndex(index, 0, static_cast<int>(FRecentGames.size()) - 1, "recent game");
        const std::string key = FRecentGames[index].toStdString();
        SelectGame(KeyGameIndex(key), KeyPayIndex(key));
    } catch (...) {
        AddErrorContext("SelectMRU");
    }
}

void TGameEngine::SetPayIndex(int payIndex) {
    try {
        FPayIndex = payIndex;
        if (payIndex != -1)
            FPayTable = OpenPaytableStore()->ReadPaytable(FEngine->GameIndex, payIndex);
    } catch (...) {
        AddErrorContext("SetPayIndex");
    }
}

void TGameEngine::SetEngine(std::unique_ptr<TPokerEngine> engine) {
    try {
        if (FEngine) Collect(); // the hand belongs to the engine being replaced
        FEngine = std::move(engine);
        ResetGame();
        FRandom.Randomize();
        FEngine->SetPayout(&FPayout);
        if (!FPreferences.SaveForNewGame) ResetCounters();
    } catch (...) {
        AddErrorContext("SetEngine");
    }
}

void TGameEngine::ResetGame() {
    Collect();
    FEngine->ResetHand();
    FDeckSize = FEngine->Deck.Total;
    std::fill(std::begin(FCards), std::end(FCards), kNoCard);
    FState = gsIdle;
    FCurrentLine = -1;
    FCurrentWin = 0;
}

bool TGameEngine::SetBet(int coins) {
    if (coins < 1 || coins > kMaxCoins || !CanChangeBet()) return false;
    ApplyBet(coins);
    return true;
}

void TGameEngine::SetCoinIndex(int index) {
    FCoinIndex = CheckIndex(index, 0, kCoinValueCount - 1, "coin value");
}

void TGameEngine::SetOption(unsigned option, bool on) {
    FOptions = (on ? FOptions | option : FOptions & ~option) & (kShowResultHands | kShowWarnings);
}

void TGameEngine::ClearAllRecords() {
    try {
        FLogger->ClearAll();
        if (FMode == pmPlayErrorHands) BuildErrorHands();
    } catch (...) {
        AddErrorContext("ClearAllRecords");
    }
}

void TGameEngine::ApplyBet(int coins) {
    FBet = CheckIndex(coins, 1, kMaxCoins, "bet");
    if (!FEngine) return;
    for (int line = 0; line < kMaxLines; ++line)
        FPayout.Pays[line] = line <= FEngine->LastLine ? FPayTable.At(coins, line) : 0;
    FEngine->SetPayout(&FPayout);
}

void TGameEngine::SetMode(int mode) {
    CheckIndex(mode, pmAutoHold, pmPlayErrorHands, "play mode");
    if (mode == FMode) return;
    if (mode != pmPlayErrorHands) {
        FErrorHands.clear();
        FMode = mode;
        return;
    }
    if (BuildErrorHands())
        FMode = pmPlayErrorHands;
    else
        ChooseOtherMode();
}

bool TGameEngine::BuildErrorHands() {
    FErrorHands.clear();
    FErrorHandIndex = 0;
    if (!FEngine) return false;
    TLogRecord record;
    FLogger->Rewind();
    while (FLogger->ReadNext(record)) {
        if (record.GameIndex != FEngine->GameIndex || record.PayIndex != FPayIndex) continue;
        if (!(record.Return < record.BestReturn || record.HintReturn > 0)) continue;
        std::array<int, kHandSize> codes{};
        for (int i = 0; i < kHandSize; ++i) codes[i] = record.Dealt[i];
        FErrorHands.push_back(PackHand(codes));
    }
    return !FErrorHands.empty();
}

void TGameEngine::ChooseOtherMode() {
    const int mode = FWindows->AskModeForNoErrors();
    if (mode >= pmAutoHold && mode <= pmRealPlay) SetMode(mode);
}

void TGameEngine::ResetCounters() {
    FCredits = FBestCredits = kStartCredits;
    FBet = kMaxCoins;
    FCoinIndex = 0;
    FBalance = 0;
    FReturnSum = FBestReturnSum = 0;
    FHands = 0;
    FPlayTime = 0;
    FClockStart = 0;
    if (FEngine) ApplyBet(kMaxCoins);
}

// A game or paytable the settings name may be gone: the first stored paytable
// of the game then, else the first game that has one.
void TGameEngine::SelectStored(int gameIndex, int payIndex) {
    const auto store = OpenPaytableStore();
    if (!GameName(gameIndex).empty() && payIndex >= 0 && payIndex < store->PaytableCount(gameIndex))
        return SelectGame(gameIndex, payIndex);
    if (!GameName(gameIndex).empty() && store->PaytableCount(gameIndex) > 0)
        return SelectGame(gameIndex, 0);
    for (const auto& entry : GameNames())
        if (store->PaytableCount(entry.GameIndex) > 0) return SelectGame(entry.GameIndex, 0);
    throw EDrawMentor("No paytable is stored for any game: the paytable file " +
                      kPaytableFile.toStdString() + " is missing or empty");
}

void TGameEngine::LoadFromIni() {
    try {
        const TIniFile& ini = FPreferences.SettingsFile();
        const QString recent = SettingSection(TSetting::CurrentGame);
        FRecentGames.clear();
        for (int i = 1; i <= 9; ++i) {
            const QString value = ini.ReadString(recent, QString::number(i));
            if (!value.isEmpty() && FRecentGames.size() < kMaxRecentGames) FRecentGames << value;
        }
        QString current = ReadSetting(ini, TSetting::CurrentGame);
        if (current.isEmpty() && !FRecentGames.isEmpty()) current = FRecentGames.first();
        const std::string key = current.toStdString();
        SelectStored(current.isEmpty() ? 0 : KeyGameIndex(key),
                     current.isEmpty() ? 0 : KeyPayIndex(key));

        // Counters are clamped by the key table: a hand-edited or damaged value
        // must not leave the program unable to deal.
        const TAutoSave keep = FPreferences.AutoSave;
        if (keep & asCredits) FCredits = ReadIntSetting(ini, TSetting::Credits);
        if (keep & asBalance) FBalance = ReadIntSetting(ini, TSetting::Balance) / 100.0;
        if (keep & asValue) FCoinIndex = ReadIntSetting(ini, TSetting::CoinValue);
        if (keep & asAccuracy) {
            FReturnSum = ReadFloatSetting(ini, TSetting::ReturnSum);
            FBestReturnSum = ReadFloatSetting(ini, TSetting::BestReturnSum);
        }
        if (keep & asHands) FHands = ReadIntSetting(ini, TSetting::Hands);
        if (keep & asTime)
            FPlayTime = ParsePlayTime(ReadSetting(ini, TSetting::PlayTime)).value_or(0);
        FMode = ReadIntSetting(ini, TSetting::Mode);
        // Without error hands the list stays absent and the next deal offers another mode.
        if (FMode == pmPlayErrorHands) BuildErrorHands();
        FOptions = (ReadBoolSetting(ini, TSetting::ShowResultHands) ? kShowResultHands : 0) |
                   (ReadBoolSetting(ini, TSetting::ShowWarnings) ? kShowWarnings : 0);
        ApplyBet(ReadIntSetting(ini, TSetting::Bet));
        FBestCredits = FCredits;
    } catch (...) {
        AddErrorContext("LoadFromIni");
    }
}

void TGameEngine::SaveToIni() {
    try {
        TIniFile& ini = FPreferences.SettingsFile();
        const TAutoSave keep = FPreferences.AutoSave;
        if (keep & asCredits) WriteIntSetting(ini, TSetting::Credits, FCredits);
        if (keep & asBalance) WriteIntSetting(ini, TSetting::Balance, std::llround(FBalance * 100));
        if (keep & asValue) WriteIntSetting(ini, TSetting::CoinValue, FCoinIndex);
        if (keep & asAccuracy) {
            WriteFloatSetting(ini, TSetting::ReturnSum, FReturnSum);
            WriteFloatSetting(ini, TSetting::BestReturnSum, FBestReturnSum);
        }
        if (keep & asHands) WriteIntSetting(ini, TSetting::Hands, FHands);
        if (keep & asTime) WriteSetting(ini, TSetting::PlayTime, PlayTimeText(ElapsedTime()));
        WriteIntSetting(ini, TSetting::Bet, FBet);
        WriteIntSetting(ini, TSetting::Mode, FMode);
        WriteBoolSetting(ini, TSetting::ShowResultHands, FOptions & kShowResultHands);
        WriteBoolSetting(ini, TSetting::ShowWarnings, FOptions & kShowWarnings);
        const QString recent = SettingSection(TSetting::CurrentGame);
        ini.EraseSection(recent);
        if (FEngine) WriteSetting(ini, TSetting::CurrentGame, Key(FEngine->GameIndex, FPayIndex));
        for (int i = 0; i < FRecentGames.size(); ++i)
            ini.WriteString(recent, QString::number(i + 1), FRecentGames[i]);
    } catch (...) {
        AddErrorContext("SaveToIni");
    }
}

// --- Windows -----------------------------------------------------------------

void TGameEngine::ShowStatistics() {
    try {
        FWindows->ShowStatistics(*this);
    } catch (...) {
        AddErrorContext("ShowStatistics");
    }
}

void TGameEngine::ShowCharts() {
    try {
        FWindows->ShowCharts(*this);
    } catch (...) {
        AddErrorContext("ShowCharts");
    }
}

void TGameEngine::ShowErrors() {
    try {
        FWindows->ShowErrors(*this);
    } catch (...) {
        AddErrorContext("ShowErrors");
    }
}

void TGameEngine::SetupPreferences() {
    try {
        FWindows->ShowPreferences(*this);
    } catch (...) {
        AddErrorContext("SetupPreferences");
    }
}

void TGameEngine::ClearByFilter() {
    FLogger->Filter();
    if (FWindows->ConfirmClearByFilter(*this)) FLogger->ClearByFilter();
}

// --- Queries -----------------------------------------------------------------

int TGameEngine::CardAt(int position) const {
    return FCards[CheckIndex(position, 0, kHandSize - 1, "card position")];
}

bool TGameEngine::ShowsBack(int position) const {
    return CardAt(position) == kNoCard || (FState == gsDoubleUp && position != 0);
}

// Held cards keep their band after the draw until the next deal.
bool TGameEngine::IsHeld(int position) const {
    return CardAt(position) != kNoCard && FState != gsDoubleUp && !IsBitSet(FDrawMask, position);
}

int TGameEngine::LastLine() const {
    return FEngine->LastLine;
}

QString TGameEngine::LineName(int line) const {
    return QString::fromStdString(
        FEngine->LineNames.at(CheckIndex(line, 0, FEngine->LastLine, "line")));
}

int TGameEngine::Pay(int line, int coins) const {
    return FPayTable.At(coins, line);
}

QString TGameEngine::Caption() const {
    return QString::fromStdString(GameKeyCaption(GameKey(FEngine->GameIndex, FPayIndex)));
}

bool TGameEngine::IsWild(int rank) const {
    return FEngine->Deck.IsWild(rank);
}

long double TGameEngine::PlayerReturn() const {
    return FEngine->DrawReturn(FDrawMask);
}

long double TGameEngine::BestReturn() const {
    return FEngine->DrawReturn(FRecord.BestMask);
}

double TGameEngine::Accuracy() const {
    return FBestReturnSum <= 0 ? 100 : FReturnSum / FBestReturnSum * 100;
}

TDateTime TGameEngine::ElapsedTime() const {
    return FClockStart == 0 ? FPlayTime : Now() - FClockStart;
}

QString PlayTimeText(TDateTime days) {
    const auto seconds = static_cast<long long>(std::llround(std::max(0.0, days) * 86400));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::optional<TDateTime> ParsePlayTime(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    // Ten thousand years of play is more than anyone has; a larger stored
    // value is damaged and must not overflow the sum.
    constexpr long long kMaxSeconds = 10'000LL * 366 * 86400;
    long long seconds = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const long long value = part.toLongLong(&ok);
        if (!ok || value < 0 || value > kMaxSeconds) return std::nullopt;
        seconds = seconds * 60 + value;
        if (seconds > kMaxSeconds) return std::nullopt;
    }
    if (parts.size() == 2) seconds *= 60;
    return static_cast<double>(seconds) / 86400.0;
}

} // namespace drawmentor
