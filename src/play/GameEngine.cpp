#include "GameEngine.h"

#include "cards/Checked.h"
#include "games/Catalogue.h"
#include "games/GameKey.h"
#include "PaytableStore.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "strategy/EngineFactory.h"

#include <QDateTime>

#include <cmath>

namespace drawmentor {
namespace {

const QString kParams = QStringLiteral("Params");
const QString kRecent = QStringLiteral("MRU");
const QString kPaytableFile = QStringLiteral("DrawMentor.dat");

std::function<uint32_t()>& SeedSource() {
    static std::function<uint32_t()> source;
    return source;
}

QString Key(int game, int pay) { return QString::fromStdString(GameKey(game, pay)); }

uint8_t LineByte(int line) { return line < 0 ? kNoLine : static_cast<uint8_t>(line); }

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
    Seed = static_cast<uint32_t>(((now.hour() * 60 + now.minute()) * 60 + now.second()) * 1000 + now.msec());
}

void TRandom::SetSeedSource(std::function<uint32_t()> source) { SeedSource() = std::move(source); }

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
    do code = Random.Next(DeckSize);
    while (UsedCards[code]);
    UsedCards[code] = true;
    Engine->Deck.RemoveCode(code);
    return code;
}

void TGameEngine::PutOnTable(int position, int code) {
    Cards[position] = code;
    Engine->Hand.AddCode(code);
    Record.Dealt[position] = static_cast<uint8_t>(code);
}

void TGameEngine::Deal() {
    try {
        if (State == gsDoubleUp) return;
        if (ClockStart == 0) ClockStart = Now() - PlayTime;
        Collect();
        DoubleUpCount = 0;
        Engine->ResetHand();
        std::fill(std::begin(UsedCards), std::end(UsedCards), false);
        if (Mode == pmPlayErrorHands && ErrorHands.empty()) {
            ChooseOtherMode();
            if (Mode == pmPlayErrorHands && ErrorHands.empty()) return;
        }
        if (Mode == pmPlayErrorHands) {
            if (ErrorHandIndex >= static_cast<int>(ErrorHands.size())) ErrorHandIndex = 0;
            const auto codes = UnpackHand(ErrorHands[ErrorHandIndex++]);
            for (int i = 0; i < kHandSize; ++i) {
                const int code = CheckIndex(codes[i], 0, DeckSize - 1, "card code");
                UsedCards[code] = true;
                Engine->Deck.RemoveCode(code);
                PutOnTable(i, code);
            }
        } else {
            for (int i = 0; i < kHandSize; ++i) PutOnTable(i, DealRandomCard());
        }
        Record = TLogRecord{};
        Record.GameIndex = static_cast<uint8_t>(Engine->GameIndex);
        Record.PayIndex = static_cast<uint8_t>(PayIndex);
        Record.Mode = static_cast<uint8_t>(Mode);
        Record.CoinIndex = static_cast<uint8_t>(CoinIndex);
        Record.Bet = static_cast<uint8_t>(Bet);
        for (int i = 0; i < kHandSize; ++i) Record.Dealt[i] = static_cast<uint8_t>(Cards[i]);
        Record.DealLine = LineByte(CurrentLine);
        Record.BestMask = static_cast<uint8_t>(Engine->GetTheBest());
        Record.BestReturn = static_cast<double>(Engine->DrawReturn(Record.BestMask));
        Record.DealTime = Now();
        Record.HintReturn = 0;
        DrawMask = Mode == pmAutoHold ? Record.BestMask : 31;
        CurrentLine = Engine->CurrentLine();
        State = gsDealt;
        FHandOpen = true;
        Credits = CheckedSub(Credits, int32_t{Record.Bet});
        BestCredits = CheckedSub(BestCredits, int32_t{Record.Bet});
    } catch (...) {
        AddErrorContext("Deal");
    }
}

void TGameEngine::ToggleHold(int position) {
    CheckIndex(position, 0, kHandSize - 1, "card position");
    if (State == gsDealt) DrawMask ^= 1 << position;
}

void TGameEngine::ShowHint() {
    if (State != gsDealt) return;
    DrawMask = Record.BestMask;
    Record.HintReturn = static_cast<double>(Engine->DrawReturn(Record.BestMask));
}

void TGameEngine::CheckWarning() {
    if (!(Options & kShowWarnings) || State != gsDealt) return;
    if (HoldCost() <= kWarningThreshold) return;
    const auto answer = FWindows->ShowWarning(*this);
    if (answer.ApplyBest) ShowHint();
    if (answer.StopWarnings) Options &= ~kShowWarnings;
}

std::array<int, kHandSize> TGameEngine::FinalCards(int mask) const {
    std::array<int, kHandSize> cards{};
    int next = 0;
    for (int i = 0; i < kHandSize; ++i) cards[i] = IsBitSet(mask, i) ? Record.Drawn[next++] : Cards[i];
    return cards;
}

// The final hand of a mask, classified; the engine's Hand is left holding it.
int TGameEngine::FinalLine(int mask) {
    Engine->Hand.ClearHand();
    for (int code : FinalCards(mask)) Engine->Hand.AddCode(code);
    return Engine->HandLine();
}

int TGameEngine::WinOf(int line) const { return line < 0 ? 0 : PayTable.At(Bet, line); }

void TGameEngine::Draw() {
    try {
        if (State != gsDealt) return;
        Record.DrawMask = static_cast<uint8_t>(DrawMask);
        Record.Return = static_cast<double>(Engine->DrawReturn(DrawMask));
        ReturnSum += Record.Return;
        BestReturnSum += Record.BestReturn;
        for (int i = 0; i < kHandSize; ++i) Record.Drawn[i] = static_cast<uint8_t>(DealRandomCard());
        const int bestLine = FinalLine(Record.BestMask);
        Record.BestLine = LineByte(bestLine);
        Record.BestWin = WinOf(bestLine);
        Record.MaxWin = 0;
        Record.MaxMask = 31;
        for (int mask = 0; mask < kMaskCount; ++mask) {
            const int win = WinOf(FinalLine(mask));
            if (win > Record.MaxWin) {
                Record.MaxWin = win;
                Record.MaxMask = static_cast<uint8_t>(mask);
            }
        }
        const auto final = FinalCards(DrawMask);
        std::copy(final.begin(), final.end(), Cards);
        CurrentLine = FinalLine(DrawMask);
        State = gsDrawn;
        CurrentWin = WinOf(CurrentLine);
        Record.Win = CurrentWin;
        Record.Line = LineByte(CurrentLine);
    } catch (...) {
        AddErrorContext("Draw");
    }
}

void TGameEngine::StartDoubleUp() {
    if (State != gsDrawn || CurrentWin <= 0 || !FHandOpen) return;
    State = gsDoubleUp;
    CurrentLine = -1;
    DrawMask = 31;
    Engine->Deck.Fill();
    std::fill(std::begin(UsedCards), std::end(UsedCards), false);
    for (int& card : Cards) card = DealRandomCard();
}

void TGameEngine::DoubleUpPick(int position) {
    if (State != gsDoubleUp) return;
    CheckIndex(position, 1, kHandSize - 1, "card position");
    ++DoubleUpCount;
    const auto value = [&](int code) {
        const TCard card = DecodeCard(code);
        return IsWild(card.Rank) ? card.Rank + 100 : card.Rank;
    };
    const int dealer = value(Cards[0]);
    const int picked = value(Cards[position]);
    if (picked > dealer)
        CurrentWin = CheckedMul(CurrentWin, int32_t{2});
    else if (picked < dealer)
        CurrentWin = 0;
    State = gsDrawn;
}

void TGameEngine::Collect() {
    try {
        if (!FHandOpen) return;
        if (State == gsDrawn || State == gsDoubleUp) {
            Record.DoubleUps = static_cast<uint8_t>(std::min(DoubleUpCount, 255));
            Record.Collected = CurrentWin;
            Record.CollectTime = Now();
            Credits = CheckedAdd(Credits, CurrentWin);
            BestCredits = CheckedAdd(BestCredits, Record.BestWin);
            Balance += (CurrentWin - Record.Bet) * CoinValue(Record.CoinIndex);
            CurrentWin = 0;
            Hands = CheckedAdd(Hands, int32_t{1});
            FHandOpen = false;
            FLogger->Append(Record);
        } else if (State == gsDealt) {
            Credits = CheckedAdd(Credits, int32_t{Record.Bet});
            BestCredits = CheckedAdd(BestCredits, int32_t{Record.Bet});
            FHandOpen = false;
        }
    } catch (...) {
        AddErrorContext("Collect");
    }
}

// --- Game and settings ---------------------------------------------------------

void TGameEngine::PushRecent(const QString& selected) {
    if (!Engine || PayIndex == -1) return;
    const QString key = Key(Engine->GameIndex, PayIndex);
    if (key == selected) return; // choosing the game on the table again makes it no "recent other" game
    RecentGames.removeAll(key);
    RecentGames.prepend(key);
    while (RecentGames.size() > kMaxRecentGames) RecentGames.removeLast();
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
        RecentGames.removeAll(Key(gameIndex, payIndex));
        PushRecent(Key(gameIndex, payIndex));
        SetEngine(CreateEngineForGame(gameIndex));
        SetPayIndex(payIndex);
        SetBet(Bet);
        if (Mode == pmPlayErrorHands) {
            ErrorHands.clear();
            BuildErrorHands();
        }
    } catch (...) {
        AddErrorContext("SelectPoker");
    }
}

void TGameEngine::SelectRecent(int index) {
    try {
        CheckIndex(index, 0, static_cast<int>(RecentGames.size()) - 1, "recent game");
        const std::string key = RecentGames[index].toStdString();
        SelectGame(KeyGameIndex(key), KeyPayIndex(key));
    } catch (...) {
        AddErrorContext("SelectMRU");
    }
}

void TGameEngine::SetPayIndex(int payIndex) {
    try {
        PayIndex = payIndex;
        if (payIndex != -1) PayTable = OpenPaytableStore()->ReadPaytable(Engine->GameIndex, payIndex);
    } catch (...) {
        AddErrorContext("SetPayIndex");
    }
}

void TGameEngine::SetEngine(std::unique_ptr<TPokerEngine> engine) {
    try {
        if (Engine) Collect(); // the hand belongs to the engine being replaced
        Engine = std::move(engine);
        ResetGame();
        Random.Randomize();
        Engine->SetPayout(&Payout);
        if (!FPreferences.SaveForNewGame) ResetCounters();
    } catch (...) {
        AddErrorContext("SetEngine");
    }
}

void TGameEngine::ResetGame() {
    Collect();
    Engine->ResetHand();
    DeckSize = Engine->Deck.Total;
    std::fill(std::begin(Cards), std::end(Cards), kNoCard);
    State = gsIdle;
    CurrentLine = -1;
    CurrentWin = 0;
}

void TGameEngine::SetBet(int coins) {
    Bet = CheckIndex(coins, 1, kMaxCoins, "bet");
    if (!Engine) return;
    for (int line = 0; line < kMaxLines; ++line) Payout.Pays[line] = line <= Engine->LastLine ? PayTable.At(coins, line) : 0;
    Engine->SetPayout(&Payout);
}

void TGameEngine::SetMode(int mode) {
    CheckIndex(mode, pmAutoHold, pmPlayErrorHands, "play mode");
    if (mode == Mode) return;
    if (mode != pmPlayErrorHands) {
        ErrorHands.clear();
        Mode = mode;
        return;
    }
    if (BuildErrorHands())
        Mode = pmPlayErrorHands;
    else
        ChooseOtherMode();
}

bool TGameEngine::BuildErrorHands() {
    ErrorHands.clear();
    ErrorHandIndex = 0;
    if (!Engine) return false;
    TLogRecord record;
    FLogger->Rewind();
    while (FLogger->ReadNext(record)) {
        if (record.GameIndex != Engine->GameIndex || record.PayIndex != PayIndex) continue;
        if (!(record.Return < record.BestReturn || record.HintReturn > 0)) continue;
        std::array<int, kHandSize> codes{};
        for (int i = 0; i < kHandSize; ++i) codes[i] = record.Dealt[i];
        ErrorHands.push_back(PackHand(codes));
    }
    return !ErrorHands.empty();
}

void TGameEngine::ChooseOtherMode() {
    const int mode = FWindows->AskModeForNoErrors();
    if (mode >= pmAutoHold && mode <= pmRealPlay) SetMode(mode);
}

void TGameEngine::ResetCounters() {
    Credits = BestCredits = kStartCredits;
    Bet = kMaxCoins;
    CoinIndex = 0;
    Balance = 0;
    ReturnSum = BestReturnSum = 0;
    Hands = 0;
    PlayTime = 0;
    ClockStart = 0;
    if (Engine) SetBet(kMaxCoins);
}

// A game or paytable the settings name may be gone: the first stored paytable
// of the game then, else the first game that has one.
void TGameEngine::SelectStored(int gameIndex, int payIndex) {
    const auto store = OpenPaytableStore();
    if (!GameName(gameIndex).empty() && payIndex >= 0 && payIndex < store->PaytableCount(gameIndex))
        return SelectGame(gameIndex, payIndex);
    if (!GameName(gameIndex).empty() && store->PaytableCount(gameIndex) > 0) return SelectGame(gameIndex, 0);
    for (const auto& entry : GameNames())
        if (store->PaytableCount(entry.GameIndex) > 0) return SelectGame(entry.GameIndex, 0);
    throw EDrawMentor("No paytable is stored for any game: the paytable file " + kPaytableFile.toStdString() +
                      " is missing or empty");
}

void TGameEngine::LoadFromIni() {
    try {
        TIniFile& ini = FPreferences.SettingsFile();
        RecentGames.clear();
        for (int i = 1; i <= 9; ++i) {
            const QString value = ini.ReadString(kRecent, QString::number(i));
            if (!value.isEmpty() && RecentGames.size() < kMaxRecentGames) RecentGames << value;
        }
        QString current = ini.ReadString(kRecent, QStringLiteral("0"));
        if (current.isEmpty() && !RecentGames.isEmpty()) current = RecentGames.first();
        const std::string key = current.toStdString();
        SelectStored(current.isEmpty() ? 0 : KeyGameIndex(key), current.isEmpty() ? 0 : KeyPayIndex(key));

        const TAutoSave keep = FPreferences.AutoSave;
        if (keep & asCredits) Credits = ini.ReadInteger(kParams, QStringLiteral("Credits"), kStartCredits);
        if (keep & asBalance) Balance = ini.ReadInteger(kParams, QStringLiteral("Balance"), 0) / 100.0;
        if (keep & asValue) CoinIndex = std::clamp(ini.ReadInteger(kParams, QStringLiteral("Value"), 0), 0, 5);
        if (keep & asAccuracy) {
            ReturnSum = ini.ReadFloat(kParams, QStringLiteral("ER1"), 0);
            BestReturnSum = ini.ReadFloat(kParams, QStringLiteral("ER2"), 0);
        }
        if (keep & asHands) Hands = ini.ReadInteger(kParams, QStringLiteral("Hands"), 0);
        if (keep & asTime) PlayTime = ParsePlayTime(ini.ReadString(kParams, QStringLiteral("Time"))).value_or(0);
        const int mode = ini.ReadInteger(kParams, QStringLiteral("Mode"), pmTraining);
        Mode = mode >= pmAutoHold && mode <= pmPlayErrorHands ? mode : pmTraining;
        // Without error hands the list stays absent and the next deal offers another mode.
        if (Mode == pmPlayErrorHands) BuildErrorHands();
        Options = (ini.ReadBool(kParams, QStringLiteral("ShowResultHands"), true) ? kShowResultHands : 0) |
                  (ini.ReadBool(kParams, QStringLiteral("ShowWarnings"), true) ? kShowWarnings : 0);
        SetBet(std::clamp(ini.ReadInteger(kParams, QStringLiteral("Bet"), kMaxCoins), 1, kMaxCoins));
        BestCredits = Credits;
    } catch (...) {
        AddErrorContext("LoadFromIni");
    }
}

void TGameEngine::SaveToIni() {
    try {
        TIniFile& ini = FPreferences.SettingsFile();
        const TAutoSave keep = FPreferences.AutoSave;
        if (keep & asCredits) ini.WriteInteger(kParams, QStringLiteral("Credits"), Credits);
        if (keep & asBalance)
            ini.WriteInteger(kParams, QStringLiteral("Balance"), static_cast<int>(std::llround(Balance * 100)));
        if (keep & asValue) ini.WriteInteger(kParams, QStringLiteral("Value"), CoinIndex);
        if (keep & asAccuracy) {
            ini.WriteFloat(kParams, QStringLiteral("ER1"), ReturnSum);
            ini.WriteFloat(kParams, QStringLiteral("ER2"), BestReturnSum);
        }
        if (keep & asHands) ini.WriteInteger(kParams, QStringLiteral("Hands"), Hands);
        if (keep & asTime) ini.WriteString(kParams, QStringLiteral("Time"), PlayTimeText(ElapsedTime()));
        ini.WriteInteger(kParams, QStringLiteral("Bet"), Bet);
        ini.WriteInteger(kParams, QStringLiteral("Mode"), Mode);
        ini.WriteBool(kParams, QStringLiteral("ShowResultHands"), Options & kShowResultHands);
        ini.WriteBool(kParams, QStringLiteral("ShowWarnings"), Options & kShowWarnings);
        ini.EraseSection(kRecent);
        if (Engine) ini.WriteString(kRecent, QStringLiteral("0"), Key(Engine->GameIndex, PayIndex));
        for (int i = 0; i < RecentGames.size(); ++i) ini.WriteString(kRecent, QString::number(i + 1), RecentGames[i]);
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

int TGameEngine::CardAt(int position) const { return Cards[CheckIndex(position, 0, kHandSize - 1, "card position")]; }

int TGameEngine::LastLine() const { return Engine->LastLine; }

QString TGameEngine::LineName(int line) const {
    return QString::fromStdString(Engine->LineNames.at(CheckIndex(line, 0, Engine->LastLine, "line")));
}

int TGameEngine::Pay(int line, int coins) const { return PayTable.At(coins, line); }

QString TGameEngine::Caption() const {
    return QString::fromStdString(GameKeyCaption(GameKey(Engine->GameIndex, PayIndex)));
}

bool TGameEngine::IsWild(int rank) const { return Engine->Deck.IsWild(rank); }

long double TGameEngine::PlayerReturn() const { return Engine->DrawReturn(DrawMask); }

long double TGameEngine::BestReturn() const { return Engine->DrawReturn(Record.BestMask); }

double TGameEngine::Accuracy() const { return BestReturnSum <= 0 ? 100 : ReturnSum / BestReturnSum * 100; }

TDateTime TGameEngine::ElapsedTime() const { return ClockStart == 0 ? PlayTime : Now() - ClockStart; }

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
    long long seconds = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const long long value = part.toLongLong(&ok);
        if (!ok || value < 0) return std::nullopt;
        seconds = seconds * 60 + value;
    }
    if (parts.size() == 2) seconds *= 60;
    return static_cast<double>(seconds) / 86400.0;
}

} // namespace drawmentor
