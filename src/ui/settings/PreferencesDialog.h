#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace drawmentor {

class TPreferences;

// Edits the interface language, the counters kept across runs and the deal
// speed. Apply (and OK) take effect at once: the main window and this dialog
// re-translate when the preferences announce the change.
class TPreferencesDialog : public QDialog {
    Q_OBJECT

  public:
    TPreferencesDialog(TPreferences& preferences, QWidget* parent = nullptr);

    void Retranslate();
    // Shows what the preferences hold; the language list is read afresh.
    void LoadFrom();
    // The effects of Apply, in order: language, counters and speed, then
    // the announcement that re-translates every window.
    void ApplyChanges();

    // The language codes in the order of the radio items.
    const QStringList& LanguageCodes() const { return FCodes; }
    int LanguageColumns() const { return FColumns; }

  private:
    void BuildLanguageList();

    TPreferences& FPreferences;
    QStringList FCodes;
    std::vector<QRadioButton*> FLanguages;
    int FColumns = 1;

    QGroupBox* FLanguageGroup = nullptr;
    QGridLayout* FLanguageGrid = nullptr;
    QGroupBox* FAutoSaveGroup = nullptr;
    QCheckBox* FCounters[6] = {};
    QCheckBox* FSaveForNew = nullptr;
    QGroupBox* FSpeedGroup = nullptr;
    QSlider* FTrackBar = nullptr;
    QLabel* FQuick = nullptr;
    QLabel* FMedium = nullptr;
    QLabel* FSlow = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FApply = nullptr;
};

// Creates the dialog over `parent`, shows it modally and frees it.
void ShowPreferencesDialog(QWidget* parent, TPreferences& preferences);

// The installed languages: code (file name in capitals) and display name
// (key "Language" of section "Info"), in file name order.
struct TLanguageFile {
    QString Code;
    QString Name;
};
std::vector<TLanguageFile> InstalledLanguages();

} // namespace drawmentor
