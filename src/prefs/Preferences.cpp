#include "Preferences.h"

#include "DataFolder.h"
#include "LanguageCode.h"
#include "SettingKeys.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace drawmentor {
namespace {

const QString kSettingsFileName = QStringLiteral("DrawMentor.ini");

struct TDigit {
    TAutoSaveItem Item;
    QChar Digit;
};
// The stored order of the digits.
const TDigit kDigits[] = {{asCredits, u'1'}, {asBalance, u'2'}, {asValue, u'3'},
                          {asHands, u'4'},   {asTime, u'5'},    {asAccuracy, u'6'}};

std::unique_ptr<TPreferences>& Instance() {
    static std::unique_ptr<TPreferences> instance;
    return instance;
}

} // namespace

TPreferences::TPreferences() {
    FWriteTimer.setSingleShot(true);
    connect(&FWriteTimer, &QTimer::timeout, this, &TPreferences::WriteChanges);
    SetDefaults();
    try {
        FSettingsFile.LoadFile(DataFileReadPath(kSettingsFileName));
    } catch (const std::exception& error) {
        // Taken for empty, the file would be overwritten at exit: it stays as it is.
        FReadError = QString::fromUtf8(error.what());
        FSettingsFile.Clear();
        WriteOnExit = false;
    }
    LoadSettings();
}

TPreferences::~TPreferences() {
    if (!WriteOnExit) return;
    try {
        SaveSettings();
        WriteSettingsFile();
    } catch (...) {
        // Nowhere to report from a destructor; the old settings file stays intact.
    }
}

QString TPreferences::SettingsFileName() {
    return DataFileReadPath(kSettingsFileName);
}

void TPreferences::WriteSettingsFile() {
    FSettingsFile.SaveFile(DataFileWritePath(kSettingsFileName));
}

void TPreferences::WriteChangesSoon(int delayMs) {
    // Long enough for a window drag, or the several writes of a deal, to make one save.
    FWriteTimer.setInterval(delayMs);
    FSettingsFile.SetChangeHandler([this] {
        if (WriteOnExit) FWriteTimer.start();
    });
}

void TPreferences::WriteChanges() {
    if (!WriteOnExit || !FSettingsFile.IsModified()) return;
    try {
        WriteSettingsFile();
        FWriteFailing = false;
    } catch (const std::exception& error) {
        if (!std::exchange(FWriteFailing, true))
            emit SettingsWriteFailed(QString::fromUtf8(error.what()));
    }
}

void TPreferences::SetDefaults() {
    const QString code = DefaultLanguageCode();
    SetInterfaceLanguage(QFileInfo::exists(TTexts::FileName(code)) ? code : kFallbackLanguage);
    SetHelpLanguage(QFileInfo::exists(TTexts::HelpFileName(InterfaceLanguage)) ? InterfaceLanguage
                                                                               : kFallbackLanguage);
    Severity = TSeverityThresholds{};
    // The defaults of the stored settings are those an empty settings file reads as.
    const TIniFile empty;
    SaveForNewGame = ReadBoolSetting(empty, TSetting::SaveForNewGame);
    AutoSave = ParseAutoSave(ReadSetting(empty, TSetting::AutoSave));
    DealSpeed = ReadIntSetting(empty, TSetting::DealSpeed);
}

void TPreferences::LoadSettings() {
    const QString language = ReadSetting(FSettingsFile, TSetting::InterfaceLanguage);
    SetInterfaceLanguage(language.isEmpty() ? InterfaceLanguage : language);
    const QString help = ReadSetting(FSettingsFile, TSetting::HelpLanguage);
    SetHelpLanguage(help.isEmpty() ? HelpLanguage : help);
    DealSpeed = ReadIntSetting(FSettingsFile, TSetting::DealSpeed);
    AutoSave = ParseAutoSave(ReadSetting(FSettingsFile, TSetting::AutoSave));
    SaveForNewGame = ReadBoolSetting(FSettingsFile, TSetting::SaveForNewGame);
}

void TPreferences::SaveSettings() {
    WriteSetting(FSettingsFile, TSetting::InterfaceLanguage, InterfaceLanguage);
    WriteSetting(FSettingsFile, TSetting::HelpLanguage, HelpLanguage);
    WriteIntSetting(FSettingsFile, TSetting::DealSpeed, DealSpeed);
    WriteSetting(FSettingsFile, TSetting::AutoSave, AutoSaveDigits(AutoSave));
    WriteBoolSetting(FSettingsFile, TSetting::SaveForNewGame, SaveForNewGame);
}

QString TPreferences::AutoSaveDigits(TAutoSave items) {
    QString digits;
    for (const auto& entry : kDigits)
        if (items & entry.Item) digits += entry.Digit;
    return digits;
}

TAutoSave TPreferences::ParseAutoSave(const QString& digits) {
    TAutoSave items = 0;
    for (const QChar c : digits)
        for (const auto& entry : kDigits)
            if (c == entry.Digit) items |= entry.Item;
    return items;
}

void TPreferences::SetInterfaceLanguage(const QString& code) {
    if (code == InterfaceLanguage && !code.isEmpty()) return;
    FTexts.Load(code);
    InterfaceLanguage = FTexts.Code();
    SetHelpLanguage(code);
}

void TPreferences::SetHelpLanguage(const QString& code) {
    // The code comes from the settings file: a code, never a path.
    const bool plain = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return c.isLetterOrNumber() && c.unicode() < 128;
    });
    HelpLanguage =
        plain && QFileInfo::exists(TTexts::HelpFileName(code)) ? code : kFallbackLanguage;
}

void TPreferences::Apply() {
    SaveSettings();
    emit PreferencesChanged(this);
}

TPreferences& Preferences() {
    if (!Instance()) Instance() = std::make_unique<TPreferences>();
    return *Instance();
}

void ReleasePreferences() {
    Instance().reset();
}

} // namespace drawmentor
