#include "SettingKeys.h"

#include "IniFile.h"

#include "core/Error.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace drawmentor {
namespace {

// Counters stay far from the 32-bit limits, so that a deal, a win or a
// double-up on a stored value cannot overflow.
constexpr double kCounterLimit = 1'000'000'000;
constexpr double kBalanceLimit = 2'000'000'000; // cents

constexpr const char* kPreferences = "Preferences";
constexpr const char* kParams = "Params";

// In the order of TSetting.
const TSettingKey kKeys[] = {
    {kPreferences, "InterfaceLanguage", ""},
    {kPreferences, "HelpLanguage", ""},
    {kPreferences, "DealSpeed", "100", 0, 200},
    {kPreferences, "Autosave", "123"},
    {kPreferences, "SaveForNewGame", "1"},
    {kParams, "Credits", "2500", -kCounterLimit, kCounterLimit},
    {kParams, "Balance", "0", -kBalanceLimit, kBalanceLimit},
    {kParams, "Value", "0", 0, 11}, // a coin index, below play's kCoinValueCount
    {kParams, "ER1", "0", 0, 1e15},
    {kParams, "ER2", "0", 0, 1e15},
    {kParams, "Hands", "0", 0, kCounterLimit},
    {kParams, "Hints", "0", 0, kCounterLimit},
    {kParams, "Time", ""},
    {kParams, "Bet", "5", 1, 5},
    {kParams, "Mode", "1", 0, 3, true},
    {kParams, "ShowResultHands", "1"},
    {kParams, "ShowWarnings", "1"},
    {kParams, "HandsPerDeal", "1", 1, 100, true},
    {"MRU", "0", ""},
    {"Cards", "Deck", ""},
    {"Cards", "Back", "0", 0, 14},
    {"Table", "Size", "0", 0, 2, true},
    {"Table", "Sound", "0"},
    {"ShowVariants", "YourVariant", "1"},
    {"ShowVariants", "BestVariant", "1"},
    {"Statistics", "CountDeals", "0"},
    {"", "Left", "0", -100000, 100000},
    {"", "Top", "0", -100000, 100000},
    {"", "Width", "0", 0, 100000},
    {"", "Height", "0", 0, 100000},
};
static_assert(std::size(kKeys) == static_cast<size_t>(TSetting::Height) + 1, "one key per setting");

QString SectionOf(TSetting setting, const QString& section) {
    if (!section.isEmpty()) return section;
    const QString own = SettingSection(setting);
    if (own.isEmpty())
        throw EDrawMentor("The setting " + std::string(SettingKey(setting).Key) +
                          " needs a section");
    return own;
}

QString KeyOf(TSetting setting) {
    return QString::fromLatin1(SettingKey(setting).Key);
}

} // namespace

const TSettingKey& SettingKey(TSetting setting) {
    return kKeys[static_cast<size_t>(setting)];
}

QString SettingSection(TSetting setting) {
    return QString::fromLatin1(SettingKey(setting).Section);
}

QString ReadSetting(const TIniFile& ini, TSetting setting, const QString& section) {
    return ini.ReadString(SectionOf(setting, section), KeyOf(setting),
                          QString::fromLatin1(SettingKey(setting).Default));
}

int ReadIntSetting(const TIniFile& ini, TSetting setting, const QString& section) {
    const TSettingKey& key = SettingKey(setting);
    bool ok = false;
    // Read wide, so that a value past the 32-bit range is clamped, not dropped.
    const long long value = ReadSetting(ini, setting, section).trimmed().toLongLong(&ok);
    const long long fallback = QString::fromLatin1(key.Default).toLongLong();
    const auto low = static_cast<long long>(key.Min), high = static_cast<long long>(key.Max);
    if (key.Choice && ok && (value < low || value > high)) ok = false;
    const long long clamped = std::clamp(ok ? value : fallback, low, high);
    return static_cast<int>(clamped);
}

bool ReadBoolSetting(const TIniFile& ini, TSetting setting) {
    const QString text = ReadSetting(ini, setting).trimmed();
    if (text == QLatin1String("1")) return true;
    if (text == QLatin1String("0")) return false;
    return QLatin1String(SettingKey(setting).Default) == QLatin1String("1");
}

double ReadFloatSetting(const TIniFile& ini, TSetting setting) {
    const TSettingKey& key = SettingKey(setting);
    bool ok = false;
    const double value = ReadSetting(ini, setting).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return QString::fromLatin1(key.Default).toDouble();
    return std::clamp(value, key.Min, key.Max);
}

void WriteSetting(TIniFile& ini, TSetting setting, const QString& value, const QString& section) {
    ini.WriteString(SectionOf(setting, section), KeyOf(setting), value);
}

void WriteIntSetting(TIniFile& ini, TSetting setting, long long value, const QString& section) {
    const TSettingKey& key = SettingKey(setting);
    const long long clamped =
        std::clamp(value, static_cast<long long>(key.Min), static_cast<long long>(key.Max));
    WriteSetting(ini, setting, QString::number(clamped), section);
}

void WriteBoolSetting(TIniFile& ini, TSetting setting, bool value) {
    WriteSetting(ini, setting, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void WriteFloatSetting(TIniFile& ini, TSetting setting, double value) {
    // Round-trip precision, independent of the user's locale.
    WriteSetting(ini, setting, QString::number(value, 'g', 17));
}

} // namespace drawmentor
