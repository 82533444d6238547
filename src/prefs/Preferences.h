#pragma once

#include "ErrorSeverity.h"
#include "IniFile.h"
#include "Texts.h"

#include <QObject>
#include <QString>
#include <QTimer>

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

// The user's settings: the settings file "DrawMentor.ini", in which other
// parts keep sections of their own, and the choices of its "Preferences"
// section. The texts of the chosen interface language come with it, kept in
// step with the language setting.
class TPreferences : public QObject {
    Q_OBJECT

  public:
    // SetDefaults, then the settings file at its read path, then LoadSettings.
    // A file that exists but cannot be read leaves the defaults, is never
    // written over, and ReadError says why.
    TPreferences();
    // SaveSettings, then the whole settings image to the data folder.
    ~TPreferences() override;

    void SetDefaults();
    void LoadSettings();
    void SaveSettings();
    // Writes the settings image now (the destructor does it too).
    void WriteSettingsFile();
    // From now on a change of the settings image reaches the file a moment
    // later, changes in a burst in one write: a program ended without its
    // exit (killed, or the session's logout cut short) loses nothing. The
    // trainer's window turns it on; tools that write once at their end do
    // not. Tests wait less.
    void WriteChangesSoon(int delayMs = 250);

    // A language without a file falls back to English; the help follows the
    // interface where it can.
    void SetInterfaceLanguage(const QString& code);
    void SetHelpLanguage(const QString& code);
    const TTexts& Texts() const { return FTexts; }
    QString HelpFileName() const { return TTexts::HelpFileName(HelpLanguage); }

    // Puts the preferences into the settings image, then tells every
    // listener, in the order they subscribed, that they changed.
    void Apply();

    // Empty, or why the settings file could not be read.
    const QString& ReadError() const { return FReadError; }
    static QString SettingsFileName();

    TIniFile& SettingsFile() { return FSettingsFile; }
    const TIniFile& SettingsFile() const { return FSettingsFile; }

    static QString AutoSaveDigits(TAutoSave items);
    static TAutoSave ParseAutoSave(const QString& digits);

    QString InterfaceLanguage;
    QString HelpLanguage;
    TSeverityThresholds Severity;
    // Stored settings; their defaults come from the settings key table.
    TAutoSave AutoSave = 0;
    bool SaveForNewGame = false;
    int DealSpeed = 0;
    // Off for tools that only read, and when the file could not be read: the
    // settings file is then left as it is, at exit and on changes alike.
    bool WriteOnExit = true;

  signals:
    // Windows connect when they are created and re-translate themselves.
    void PreferencesChanged(drawmentor::TPreferences* preferences);
    // A write of changed settings failed; said once until a write succeeds.
    // The image keeps the changes, and the next change or the exit tries again.
    void SettingsWriteFailed(const QString& error);

  private:
    void WriteChanges();

    TTexts FTexts;
    TIniFile FSettingsFile;
    QString FReadError;
    QTimer FWriteTimer;
    bool FWriteFailing = false;
};

// The single instance, created on the first call.
TPreferences& Preferences();
// Destroys the instance (writing the settings file); the next call creates a new one.
void ReleasePreferences();

} // namespace drawmentor
