#include "Preferences.h"

#include "DataFolder.h"
#include "LanguageCode.h"
#include "SettingKeys.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace drawmentor {
namespace {

const QString kSettingsFileName = QStringLiteral("DrawMentor.ini");
const QString kFallbackLanguage = QStringLiteral("ENG");
// A sans face every Debian desktop has, standing in for the system dialog font.
const QString kFallbackFont = QStringLiteral("DejaVu Sans");

struct TDigit {
    TAutoSaveItem Item;
    QChar Digit;
};
// The stored order of the digits.
const TDigit kDigits[] = {{asCredits, u'1'}, {asBalance, u'2'}, {asValue, u'3'},
                          {asHands, u'4'},   {asTime, u'5'},    {asAccuracy, u'6'}};

std::function<bool(const QString&)>& FontProbe() {
    static std::function<bool(const QString&)> probe;
    return probe;
}

std::unique_ptr<TPreferences>& Instance() {
    static std::unique_ptr<TPreferences> instance;
    return instance;
}

} // namespace

TPreferences::TPreferences() {
    SetDefaults();
    FSettingsFile.LoadFile(DataFileReadPath(kSettingsFileName));
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

void TPreferences::WriteSettingsFile() {
    FSettingsFile.SaveFile(DataFileWritePath(kSettingsFileName));
}

void TPreferences::SetDefaults() {
    const QString code = DefaultLanguageCode();
    FontName = FontProbe() && FontProbe()(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                    : kFallbackFont;
    SetInterfaceLanguage(QFileInfo::exists(LanguageFileName(code)) ? code : kFallbackLanguage);
    SetHelpLanguage(QFileInfo::exists(HelpFileNameFor(InterfaceLanguage)) ? InterfaceLanguage
                                                                          : kFallbackLanguage);
    SeriousErrorPercent = 20;
    MinorErrorPercent = 2;
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

QString TPreferences::Translate(const QString& section, const QString& key) const {
    return FLanguageFile.ReadString(section, key);
}

QString TPreferences::TranslateHint(const QString& section, const QString& key) const {
    return WrapHint(Translate(section, key + QStringLiteral(".Hint")));
}

QString TPreferences::WindowCaption(const QString& section) const {
    return Translate(section, QStringLiteral("WindowName"));
}

TErrorSeverity TPreferences::ErrorSeverity(double costFraction) const {
    const double percent = costFraction * 100;
    if (percent <= 0.00001) return esNone;
    if (percent > SeriousErrorPercent) return esSerious;
    return percent < MinorErrorPercent ? esMinor : esMedium;
}

void TPreferences::SetInterfaceLanguage(const QString& code) {
    if (code == InterfaceLanguage && !code.isEmpty()) return;
    InterfaceLanguage = QFileInfo::exists(LanguageFileName(code)) ? code : kFallbackLanguage;
    OpenLanguageFile();
    SetHelpLanguage(code);
}

void TPreferences::OpenLanguageFile() {
    try {
        FLanguageFile.LoadFile(LanguageFileName(InterfaceLanguage));
    } catch (...) {
        // An unreadable language file leaves empty captions, not a dead program.
        FLanguageFile.Clear();
    }
}

void TPreferences::SetHelpLanguage(const QString& code) {
    HelpLanguage = QFileInfo::exists(HelpFileNameFor(code)) ? code : kFallbackLanguage;
}

QString TPreferences::LanguageFileName(const QString& code) {
    return ProgramFolder() + QStringLiteral("Langs/%1.ini").arg(code);
}

QString TPreferences::HelpFileNameFor(const QString& code) {
    return ProgramFolder() + QStringLiteral("Help/DrawMentor_%1/index.html").arg(code);
}

void TPreferences::DealDelay() const {
    if (DealSpeed <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(DealSpeed, &loop, &QEventLoop::quit);
    loop.exec();
}

void TPreferences::Apply() {
    emit PreferencesChanged(this);
}

void TPreferences::SetFontProbe(std::function<bool(const QString&)> probe) {
    FontProbe() = std::move(probe);
}

TPreferences& Preferences() {
    if (!Instance()) Instance() = std::make_unique<TPreferences>();
    return *Instance();
}

void ReleasePreferences() {
    Instance().reset();
}

QString WrapHint(const QString& text, int columns) {
    // A quote opens only where a word could start and closes only where one
    // ends, so the apostrophe of "don't" quotes nothing.
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber(); };
    QString result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        QString line = lines[index];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (index > 0) result += QLatin1Char('\n');
        while (line.size() > columns) {
            // The last break opportunity within the width, outside quotes; the
            // first one beyond it when a word is longer than the width.
            int breakAfter = -1;
            QChar quote;
            for (int i = 0; i < line.size() && (i < columns || breakAfter < 0); ++i) {
                const QChar c = line[i];
                const bool before = i > 0 && isWordChar(line[i - 1]);
                const bool after = i + 1 < line.size() && isWordChar(line[i + 1]);
                if (!quote.isNull()) {
                    if (c == quote && !after) quote = QChar();
                    continue;
                }
                if ((c == u'"' || c == u'\'') && !before) {
                    quote = c;
                    continue;
                }
                if (c == u' ' || c == u'-' || c == u'\t') breakAfter = i;
            }
            if (breakAfter < 0 || breakAfter + 1 >= line.size()) break;
            result += line.left(breakAfter + 1) + QLatin1Char('\n');
            line = line.mid(breakAfter + 1);
        }
        result += line;
    }
    return result;
}

} // namespace drawmentor
