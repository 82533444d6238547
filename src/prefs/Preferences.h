#pragma once

#include "IniFile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace drawmentor {

// Counters the game engine saves at exit and restores at start; the bit values
// are the preferences dialog's, the digits how the set is stored ("Autosave").
enum TAutoSaveItem : unsigned {
    asCredits = 1,
    asBalance = 2,
    asValue = 4,
    asAccuracy = 8,
    asHands = 16,
    asTime = 32,
};
using TAutoSave = unsigned;

enum TErrorSeverity : int { esNone = 0, esSerious = 1, esMedium = 2, esMinor = 3 };

// The one object every window and the game engine consult for the user's
// settings, the texts of the interface in the chosen language, and the
// classification of an error's cost. It owns the settings file
// "DrawMentor.ini", in which other parts keep sections of their own.
class TPreferences : public QObject {
    Q_OBJECT

  public:
    // SetDefaults, then the settings file at its read path, then LoadSettings.
    TPreferences();
    // SaveSettings, then the whole settings image to the data folder.
    ~TPreferences() override;

    void SetDefaults();
    void LoadSettings();
    void SaveSettings();
    // Writes the settings image now (the destructor does it too).
    void WriteSettingsFile();

    QString Translate(const QString& section, const QString& key) const;
    // The text of key + ".Hint", wrapped at 45 columns.
    QString TranslateHint(const QString& section, const QString& key) const;
    QString WindowCaption(const QString& section) const;
    TErrorSeverity ErrorSeverity(double costFraction) const;

    void SetInterfaceLanguage(const QString& code);
    void SetHelpLanguage(const QString& code);
    static QString LanguageFileName(const QString& code);
    static QString HelpFileNameFor(const QString& code);
    QString HelpFileName() const { return HelpFileNameFor(HelpLanguage); }

    // Waits DealSpeed milliseconds while the event loop keeps running; callers
    // must tolerate re-entry from the events handled meanwhile.
    void DealDelay() const;
    // Tells every listener, in the order they subscribed, that preferences changed.
    void Apply();

    TIniFile& SettingsFile() { return FSettingsFile; }
    const TIniFile& LanguageFile() const { return FLanguageFile; }

    // Which font families are installed is a question for the GUI layer;
    // without an answer the fallback face is used.
    static void SetFontProbe(std::function<bool(const QString&)> probe);
    static QString AutoSaveDigits(TAutoSave items);
    static TAutoSave ParseAutoSave(const QString& digits);

    QString InterfaceLanguage;
    QString HelpLanguage;
    QString FontName;
    int SeriousErrorPercent = 20;
    int MinorErrorPercent = 2;
    // Stored settings; their defaults come from the settings key table.
    TAutoSave AutoSave = 0;
    bool SaveForNewGame = false;
    int DealSpeed = 0;
    // Off for tools that only read: the settings file is then left as it is.
    bool WriteOnExit = true;

  signals:
    // Windows connect when they are created and re-translate themselves.
    void PreferencesChanged(drawmentor::TPreferences* preferences);

  private:
    void OpenLanguageFile();

    TIniFile FLanguageFile;
    TIniFile FSettingsFile;
};

// The single instance, created on the first call.
TPreferences& Preferences();
// Destroys the instance (writing the settings file); the next call creates a new one.
void ReleasePreferences();

// Word-wraps at `columns`, breaking after a blank, a hyphen or a tab but never
// inside '...' or "..." quotes; line breaks already in the text are kept.
QString WrapHint(const QString& text, int columns = 45);

} // namespace drawmentor
