#pragma once

#include <QString>

namespace drawmentor {

class TIniFile;

// Every fixed key of the settings file "DrawMentor.ini", with its section, its
// default and, for numbers, the range a read value is clamped to. Settings are
// read and written only through this table, so that a default lives in one
// place and a hand-edited or damaged value can never reach the program
// unchecked. The window placement keys have no section of their own: their
// section names the screen size and is given by the caller.
enum class TSetting {
    // "Preferences"
    InterfaceLanguage,
    HelpLanguage,
    DealSpeed,
    AutoSave,
    SaveForNewGame,
    // "Params": the counters of the session and the play options
    Credits,
    Balance, // in cents
    CoinValue,
    ReturnSum,
    BestReturnSum,
    Hands,
    Hints,
    PlayTime,
    Bet,
    Mode,
    ShowResultHands,
    ShowWarnings,
    HandsPerDeal,
    // "MRU": the game on the table ("0"); the recent games are "1".."9"
    CurrentGame,
    // "Cards"
    Deck,
    Back,
    // "Table": how large the main window's table is drawn, and its sounds
    TableSize,
    Sound,
    // "ShowVariants": which holds the errors list marks on its cards
    YourVariant,
    BestVariant,
    // "Statistics": whether the statistics count deals rather than hands
    CountDeals,
    // the main window's placement, in a section per screen size
    Left,
    Top,
    Width,
    Height,
};

struct TSettingKey {
    const char* Section; // empty for the placement keys
    const char* Key;
    const char* Default;
    // Whole numbers are clamped to Min..Max; so are floats.
    double Min = 0;
    double Max = 0;
    // A choice among values (a play mode) is not clamped: a value out of
    // range reads as the default.
    bool Choice = false;
};

const TSettingKey& SettingKey(TSetting setting);
QString SettingSection(TSetting setting);

// Read and write through the table; `section` overrides the table's (placement).
QString ReadSetting(const TIniFile& ini, TSetting setting, const QString& section = {});
int ReadIntSetting(const TIniFile& ini, TSetting setting, const QString& section = {});
bool ReadBoolSetting(const TIniFile& ini, TSetting setting);
double ReadFloatSetting(const TIniFile& ini, TSetting setting);
void WriteSetting(TIniFile& ini, TSetting setting, const QString& value,
                  const QString& section = {});
void WriteIntSetting(TIniFile& ini, TSetting setting, long long value, const QString& section = {});
void WriteBoolSetting(TIniFile& ini, TSetting setting, bool value);
void WriteFloatSetting(TIniFile& ini, TSetting setting, double value);

} // namespace drawmentor
