#include "PreferencesDialog.h"

#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"

#include "prefs/DataFolder.h"
#include "prefs/IniFile.h"
#include "prefs/Preferences.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

const QString kBlanks = QStringLiteral("  ");

// A display name longer than this is someone's mistake, not a language.
constexpr int kMaxLanguageName = 2048;

struct TCounterBox {
    const char* Name;
    const char* LabelKey;
    TAutoSaveItem Item;
};
const TCounterBox kCounterBoxes[6] = {
    {"cbCredits", "Credits", asCredits}, {"cbBalance", "Balance", asBalance},
    {"cbValue", "Value", asValue},       {"cbAccuracy", "Accuracy", asAccuracy},
    {"cbHands", "Hands", asHands},       {"cbTime", "Time", asTime},
};

} // namespace

std::vector<TLanguageFile> InstalledLanguages() {
    std::vector<TLanguageFile> languages;
    const QDir folder(ProgramFolder() + QStringLiteral("Langs"));
    const QStringList files =
        folder.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        TIniFile ini;
        try {
            ini.LoadFile(folder.filePath(file));
        } catch (...) {
            // Listed all the same: the player sees a nameless language, not a crash.
        }
        const QString name = ini.ReadString(QStringLiteral("Info"), QStringLiteral("Language"));
        languages.push_back(
            {QFileInfo(file).completeBaseName().toUpper(), name.left(kMaxLanguageName)});
    }
    return languages;
}

TPreferencesDialog::TPreferencesDialog(TPreferences& preferences, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), FPreferences(preferences) {
    setObjectName(QStringLiteral("fPreferences"));
    auto* layout = new QGridLayout(this);
    // Longer texts of another language widen the dialog instead of being cut.
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    FAutoSaveGroup = new QGroupBox(this);
    FAutoSaveGroup->setObjectName(QStringLiteral("gbAutoSave"));
    auto* counters = new QGridLayout(FAutoSaveGroup);
    for (int i = 0; i < 6; ++i) {
        FCounters[i] = new QCheckBox(FAutoSaveGroup);
        FCounters[i]->setObjectName(QString::fromLatin1(kCounterBoxes[i].Name));
        counters->addWidget(FCounters[i], i % 3, i / 3);
    }
    FSaveForNew = new QCheckBox(FAutoSaveGroup);
    FSaveForNew->setObjectName(QStringLiteral("cbSaveForNew"));
    counters->setRowMinimumHeight(3, 6); // apart from the counters
    counters->addWidget(FSaveForNew, 4, 0, 1, 2);
    layout->addWidget(FAutoSaveGroup, 0, 0);

    FLanguageGroup = new QGroupBox(this);
    FLanguageGroup->setObjectName(QStringLiteral("rgLanguage"));
    FLanguageGrid = new QGridLayout(FLanguageGroup);
    layout->addWidget(FLanguageGroup, 1, 0);

    FSpeedGroup = new QGroupBox(this);
    FSpeedGroup->setObjectName(QStringLiteral("gbSpeed"));
    auto* speed = new QHBoxLayout(FSpeedGroup);
    FTrackBar = new QSlider(Qt::Vertical, FSpeedGroup);
    FTrackBar->setObjectName(QStringLiteral("TrackBar"));
    FTrackBar->setRange(0, 200);
    FTrackBar->setTickInterval(20);
    FTrackBar->setSingleStep(20);
    FTrackBar->setPageStep(20);
    FTrackBar->setTickPosition(QSlider::TicksRight);
    // No delay ("Quick") at the top, and the Up key moves towards it.
    FTrackBar->setInvertedAppearance(true);
    FTrackBar->setInvertedControls(true);
    FTrackBar->setValue(100);
    FTrackBar->setFixedSize(33, 190);
    speed->addWidget(FTrackBar);
    auto* marks = new QVBoxLayout;
    FQuick = new QLabel(FSpeedGroup);
    FQuick->setObjectName(QStringLiteral("lQuick"));
    FMedium = new QLabel(FSpeedGroup);
    FMedium->setObjectName(QStringLiteral("lMedium"));
    FSlow = new QLabel(FSpeedGroup);
    FSlow->setObjectName(QStringLiteral("lSlow"));
    marks->addWidget(FQuick);
    marks->addStretch();
    marks->addWidget(FMedium);
    marks->addStretch();
    marks->addWidget(FSlow);
    speed->addLayout(marks);
    layout->addWidget(FSpeedGroup, 0, 1, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    FOK = new QPushButton(this);
    FOK->setObjectName(QStringLiteral("btnOK"));
    FOK->setDefault(true);
    FCancel = new QPushButton(this);
    FCancel->setObjectName(QStringLiteral("btnCancel"));
    FApply = new QPushButton(this);
    FApply->setObjectName(QStringLiteral("btnApply"));
    for (QPushButton* button : {FOK, FCancel, FApply}) buttons->addWidget(button);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(FOK, &QPushButton::clicked, this, [this] {
        ApplyChanges();
        accept();
    });
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FApply, &QPushButton::clicked, this, &TPreferencesDialog::ApplyChanges);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this,
            &TPreferencesDialog::Retranslate);
    InstallHelpKey(*this, hcPreferences, FPreferences);
    resize(405, 260);
}

void TPreferencesDialog::BuildLanguageList() {
    for (QRadioButton* radio : FLanguages) delete radio;
    FLanguages.clear();
    FCodes.clear();
    const auto languages = InstalledLanguages();
    FColumns = languages.size() > 2 ? 2 : 1;
    const int rows = (static_cast<int>(languages.size()) + FColumns - 1) / FColumns;
    for (size_t i = 0; i < languages.size(); ++i) {
        auto* radio = new QRadioButton(kBlanks + languages[i].Name, FLanguageGroup);
        radio->setObjectName(QStringLiteral("rbLanguage%1").arg(i));
        const int index = static_cast<int>(i);
        FLanguageGrid->addWidget(radio, index % rows, index / rows);
        FLanguages.push_back(radio);
        FCodes << languages[i].Code;
    }
}

void TPreferencesDialog::LoadFrom() {
    BuildLanguageList();
    const qsizetype current = FCodes.indexOf(FPreferences.InterfaceLanguage);
    if (current >= 0) FLanguages[static_cast<size_t>(current)]->setChecked(true);
    for (int i = 0; i < 6; ++i)
        FCounters[i]->setChecked((FPreferences.AutoSave & kCounterBoxes[i].Item) != 0);
    FSaveForNew->setChecked(FPreferences.SaveForNewGame);
    FTrackBar->setValue(FPreferences.DealSpeed);
}

void TPreferencesDialog::ApplyChanges() {
    for (size_t i = 0; i < FLanguages.size(); ++i)
        if (FLanguages[i]->isChecked()) FPreferences.SetInterfaceLanguage(FCodes[i]);
    TAutoSave items = 0;
    for (int i = 0; i < 6; ++i)
        if (FCounters[i]->isChecked()) items |= kCounterBoxes[i].Item;
    FPreferences.AutoSave = items;
    FPreferences.SaveForNewGame = FSaveForNew->isChecked();
    FPreferences.DealSpeed = FTrackBar->value();
    FPreferences.Apply(); // every window, this one included, re-translates
}

void TPreferencesDialog::Retranslate() {
    const auto text = [this](const QString& section, const char* key) {
        return FPreferences.Texts().Translate(section, QString::fromLatin1(key));
    };
    setWindowTitle(FPreferences.Texts().WindowCaption(kPreferencesTexts));
    FOK->setText(text(kMainButtonsTexts, "OK"));
    FCancel->setText(text(kMainButtonsTexts, "Cancel"));
    FApply->setText(text(kMainButtonsTexts, "Apply"));
    FLanguageGroup->setTitle(kBlanks + text(kPreferencesTexts, "InterfaceLanguage") + kBlanks);
    FAutoSaveGroup->setTitle(kBlanks + text(kPreferencesTexts, "Autosave") + kBlanks);
    FSaveForNew->setText(kBlanks + text(kPreferencesTexts, "SaveForNewGame"));
    for (int i = 0; i < 6; ++i)
        FCounters[i]->setText(kBlanks + text(kMainLabelsTexts, kCounterBoxes[i].LabelKey));
    FSpeedGroup->setTitle(kBlanks + text(kPreferencesTexts, "DealSpeed") + kBlanks);
    FQuick->setText(text(kPreferencesTexts, "Quick"));
    FMedium->setText(text(kPreferencesTexts, "Medium"));
    FSlow->setText(text(kPreferencesTexts, "Slow"));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
}

void ShowPreferencesDialog(QWidget* parent, TPreferences& preferences) {
    TPreferencesDialog dialog(preferences, parent);
    dialog.Retranslate();
    dialog.LoadFrom();
    dialog.exec();
}

} // namespace drawmentor
