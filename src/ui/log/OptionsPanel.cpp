#include "OptionsPanel.h"

#include "play/GameText.h"

#include "ui/common/GradientLabel.h"

#include "games/GameKey.h"
#include "play/Logger.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"
#include "ui/common/MenuText.h"
#include "ui/common/TextSections.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>
#include <vector>

namespace drawmentor {

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kErrors = QStringLiteral("Errors");

constexpr int kHeaderHeight = 23;
constexpr int kBorder = 3;
constexpr int kInitialHeight = 100;
constexpr int kInitialWidth = 190;
constexpr int kMarginX = 15;
constexpr int kMarginY = 7;

void SetChecked(QAbstractButton* button, bool checked) {
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
}

} // namespace

TOptionsPanel::TOptionsPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("OptionsPanel"));
    setFrameShape(QFrame::NoFrame);
    FHeaderPanel = new QWidget(this);
    FHeaderPanel->setObjectName(QStringLiteral("OptionsHeaderPanel"));
    FHeader = new TGradientLabel(FHeaderPanel);
    FHeader->setObjectName(QStringLiteral("lOptionsHeader"));
    FHeader->setAlignment(Qt::AlignCenter);
    FClient = new QFrame(this);
    FClient->setObjectName(QStringLiteral("OptionsClientPanel"));
    FClient->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FHost = new QFrame(FClient);
    FHost->setObjectName(QStringLiteral("OptionsHostPanel"));
    FHost->setFrameStyle(QFrame::Panel | QFrame::Raised);
    resize(kInitialWidth, kInitialHeight);
    PlaceFrames();
}

TOptionsPanel::~TOptionsPanel() {
    WriteVariants();
    WriteCount();
}

QLabel* TOptionsPanel::AddLabel(const char* name) {
    auto* label = new QLabel(FHost);
    label->setObjectName(QString::fromLatin1(name));
    label->show();
    return label;
}

QCheckBox* TOptionsPanel::AddCheckBox(const char* name) {
    auto* box = new QCheckBox(FHost);
    box->setObjectName(QString::fromLatin1(name));
    box->show();
    return box;
}

void TOptionsPanel::AddGroups(unsigned flags) {
    const unsigned added = flags & ~FGroups;
    FGroups |= flags;
    if (added & ogGame) {
        FGameLabel = AddLabel("lGame");
        FGames = new QComboBox(FHost);
        FGames->setObjectName(QStringLiteral("cbGame"));
        // Wide enough for the longest game and its paytable number.
        FGames->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        FGames->show();
        connect(FGames, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (FLogger) FLogger->Filter().SetGameItem(index);
        });
    }
    if (added & ogDate) {
        FDateLabel = AddLabel("lDate");
        FDates = new QComboBox(FHost);
        FDates->setObjectName(QStringLiteral("cbDate"));
        FDates->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        FDates->show();
        connect(FDates, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (FLogger) FLogger->Filter().SetDateItem(index);
        });
    }
    if (added & ogModes) {
        FModesLabel = AddLabel("lModes");
        const char* names[4] = {"cbAutoHold", "cbTraining", "cbRealPlay", "cbErrorHands"};
        for (int mode = 0; mode < 4; ++mode) {
            FModes[mode] = AddCheckBox(names[mode]);
            connect(FModes[mode], &QCheckBox::toggled, this, [this] {
                if (!FLogger) return;
                unsigned modes = 0;
                for (int m = 0; m < 4; ++m)
                    if (FModes[m]->isChecked()) modes |= 1u << m;
                FLogger->Filter().SetModes(modes);
            });
        }
    }
    if (added & ogUnits) {
        FUnitsLabel = AddLabel("lUnits");
        FDollars = new QRadioButton(FHost);
        FDollars->setObjectName(QStringLiteral("rbDollars"));
        FCoins = new QRadioButton(FHost);
        FCoins->setObjectName(QStringLiteral("rbCoins"));
        FCoins->setChecked(true);
        for (QRadioButton* radio : {FDollars, FCoins}) {
            radio->show();
            // Both radios toggle on one click: report the one that became checked.
            connect(radio, &QRadioButton::toggled, this, [this](bool on) {
                if (on) emit OnChange(this);
            });
        }
    }
    if (added & ogSeverities) {
        FSeveritiesLabel = AddLabel("lSeverities");
        const char* names[3] = {"cbSerious", "cbMedium", "cbMinor"};
        for (int i = 0; i < 3; ++i) {
            FSeverities[i] = AddCheckBox(names[i]);
            FSeverities[i]->setChecked(true);
            connect(FSeverities[i], &QCheckBox::toggled, this, [this] { emit OnChange(this); });
        }
    }
    if (added & ogVariants) {
        FVariantsLabel = AddLabel("lVariants");
        FYourVariant = AddCheckBox("cbYourVariant");
        FBestVariant = AddCheckBox("cbBestVariant");
        for (QCheckBox* box : {FYourVariant, FBestVariant})
            connect(box, &QCheckBox::toggled, this, [this] { emit OnChange(this); });
    }
    if (added & ogDeals) {
        FCountLabel = AddLabel("lCount");
        FHands = new QRadioButton(FHost);
        FHands->setObjectName(QStringLiteral("rbHands"));
        FDeals = new QRadioButton(FHost);
        FDeals->setObjectName(QStringLiteral("rbDeals"));
        FHands->setChecked(true);
        for (QRadioButton* radio : {FHands, FDeals}) {
            radio->show();
            connect(radio, &QRadioButton::toggled, this, [this](bool on) {
                if (on) emit OnChange(this);
            });
        }
    }
    LayoutGroups();
}

void TOptionsPanel::AttachLog(TLogger& logger) {
    FLogger = &logger;
    const TLogFilter& filter = logger.Filter();
    // Filling the lists must not write back to the filter it reads.
    if (FGames) {
        const QSignalBlocker quiet(FGames);
        FGames->clear();
        for (const QString& key : filter.Games)
            FGames->addItem(QLatin1Char(' ') +
                            (FPreferences
                                 ? GameKeyText(key.toStdString(), FPreferences->Texts())
                                 : QString::fromStdString(GameKeyCaption(key.toStdString()))));
        FGames->setCurrentIndex(filter.GameItemIndex());
        FGames->view()->setMinimumWidth(FGames->view()->sizeHintForColumn(0) + 8);
    }
    if (FDates) {
        const QSignalBlocker quiet(FDates);
        FDates->clear();
        FDates->addItems(filter.Dates);
        FDates->setCurrentIndex(filter.DateItemIndex());
    }
    for (int mode = 0; mode < 4; ++mode)
        if (FModes[mode]) SetChecked(FModes[mode], (filter.Modes >> mode) & 1);
    RetitleItems();
}

void TOptionsPanel::RetitleItems() {
    if (!FPreferences) return;
    // setItemText keeps the current index, so the player's choice stands.
    if (FGames && FGames->count() > 0)
        FGames->setItemText(0, QLatin1Char(' ') + FPreferences->Texts().Translate(
                                                      kOptions, QStringLiteral("AllGames")));
    // The log is attached before the first translation: the games' names too
    // change language.
    if (FGames && FLogger) {
        const QStringList& keys = FLogger->Filter().Games;
        for (int item = 1; item < FGames->count() && item < keys.size(); ++item)
            FGames->setItemText(item, QLatin1Char(' ') + GameKeyText(keys[item].toStdString(),
                                                                     FPreferences->Texts()));
    }
    if (FDates && FDates->count() > 0)
        FDates->setItemText(0, QLatin1Char(' ') + FPreferences->Texts().Translate(
                                                      kOptions, QStringLiteral("Current")));
}

void TOptionsPanel::Retranslate(TPreferences& preferences) {
    FPreferences = &preferences;
    const auto text = [&](const QString& section, const char* key) {
        return WithoutAccelerators(
            preferences.Texts().Translate(section, QString::fromLatin1(key)));
    };
    FHeader->setText(text(kOptions, "Header"));
    if (FGameLabel) FGameLabel->setText(text(kOptions, "VideoPoker"));
    if (FDateLabel) FDateLabel->setText(text(kOptions, "From"));
    if (FModesLabel) {
        FModesLabel->setText(text(kMainMenuTexts, "Mode"));
        const char* keys[4] = {"AutoHint", "Training", "RealPlay", "PlayProblemHands"};
        for (int mode = 0; mode < 4; ++mode)
            FModes[mode]->setText(text(kMainMenuTexts, keys[mode]));
    }
    if (FUnitsLabel) {
        FUnitsLabel->setText(text(kOptions, "Balance"));
        FDollars->setText(text(kOptions, "Dollars"));
        FCoins->setText(text(kOptions, "Coins"));
    }
    if (FSeveritiesLabel) {
        FSeveritiesLabel->setText(text(kErrors, "ShowErrors"));
        const char* keys[3] = {"Serious", "Medium", "Minor"};
        for (int i = 0; i < 3; ++i) FSeverities[i]->setText(text(kErrors, keys[i]));
    }
    if (FVariantsLabel) {
        FVariantsLabel->setText(text(kErrors, "ShowVariants"));
        FYourVariant->setText(text(kErrors, "YourVariant"));
        FBestVariant->setText(text(kErrors, "BestVariant"));
        ReadVariants();
    }
    if (FCountLabel) {
        FCountLabel->setText(text(kOptions, "Count"));
        FHands->setText(text(kOptions, "Hands"));
        FDeals->setText(text(kOptions, "Deals"));
        ReadCount();
    }
    QFont font = this->font();
    ApplyFont(font, preferences);
    setFont(font);
    MakeHeaderLabel(FHeader, preferences);
    RetitleItems();
    LayoutGroups();
    // Longer texts of another language widen the panel rather than being cut.
    const int target = height() + FExtraHeight;
    setMinimumSize(std::max(FNeededWidth, kInitialWidth), target);
    resize(std::max(width(), minimumWidth()), target);
    // A hidden widget gets its resize event only when shown: lay out now.
    PlaceFrames();
    LayoutGroups();
    updateGeometry();
}

void TOptionsPanel::ReadVariants() {
    // Once per panel: a later re-translation keeps what the player ticked.
    if (FVariantsRead || !FPreferences) return;
    FVariantsRead = true;
    const TIniFile& ini = FPreferences->SettingsFile();
    SetChecked(FYourVariant, ReadBoolSetting(ini, TSetting::YourVariant));
    SetChecked(FBestVariant, ReadBoolSetting(ini, TSetting::BestVariant));
}

void TOptionsPanel::WriteVariants() {
    if (!FYourVariant || !FPreferences) return;
    TIniFile& ini = FPreferences->SettingsFile();
    WriteBoolSetting(ini, TSetting::YourVariant, FYourVariant->isChecked());
    WriteBoolSetting(ini, TSetting::BestVariant, FBestVariant->isChecked());
}

void TOptionsPanel::ReadCount() {
    // Once per panel, like the variants; the window asks for the choice after
    // translating the panel, so the read is silent.
    if (FCountRead || !FPreferences) return;
    FCountRead = true;
    const bool deals = ReadBoolSetting(FPreferences->SettingsFile(), TSetting::CountDeals);
    SetChecked(deals ? FDeals : FHands, true);
}

void TOptionsPanel::WriteCount() {
    if (!FDeals || !FPreferences) return;
    WriteBoolSetting(FPreferences->SettingsFile(), TSetting::CountDeals, FDeals->isChecked());
}

void TOptionsPanel::SetHeader(const QString& text) {
    FHeader->setText(text);
}

void TOptionsPanel::SetDateLabel(const QString& text) {
    if (FDateLabel) FDateLabel->setText(text);
}

bool TOptionsPanel::IsDollars() const {
    return FDollars && FDollars->isChecked();
}

QString TOptionsPanel::UnitCaption() const {
    if (!FDollars) return {};
    return FDollars->isChecked() ? FDollars->text() : FCoins->text();
}

void TOptionsPanel::EnableUnits(bool enabled) {
    if (!FUnitsLabel) return;
    for (QWidget* widget : {static_cast<QWidget*>(FUnitsLabel), static_cast<QWidget*>(FDollars),
                            static_cast<QWidget*>(FCoins)})
        widget->setEnabled(enabled);
}

void TOptionsPanel::SetDollars(bool value) {
    if (!FDollars) return;
    (value ? FDollars : FCoins)->setChecked(true);
}

unsigned TOptionsPanel::ErrorSeverities() const {
    if (!FSeveritiesLabel) return 0;
    const int severities[3] = {esSerious, esMedium, esMinor};
    unsigned set = 0;
    for (int i = 0; i < 3; ++i)
        if (FSeverities[i]->isChecked()) set |= 1u << severities[i];
    return set;
}

bool TOptionsPanel::ShowYourVariant() const {
    return FYourVariant && FYourVariant->isChecked();
}

bool TOptionsPanel::ShowBestVariant() const {
    return FBestVariant && FBestVariant->isChecked();
}

bool TOptionsPanel::CountDeals() const {
    return FDeals && FDeals->isChecked();
}

void TOptionsPanel::LayoutGroups() {
    // Each control with the gap that follows it, in the order of the groups.
    std::vector<std::pair<QWidget*, int>> stack;
    const auto add = [&stack](QWidget* widget, int gap) {
        if (widget) stack.emplace_back(widget, gap);
    };
    add(FGameLabel, 3);
    add(FGames, 7);
    add(FDateLabel, 3);
    add(FDates, 7);
    add(FModesLabel, 7);
    for (int mode = 0; mode < 4; ++mode) add(FModes[mode], mode == 3 ? 7 : 0);
    add(FUnitsLabel, 7);
    add(FDollars, 0);
    add(FCoins, 7);
    add(FSeveritiesLabel, 7);
    for (int i = 0; i < 3; ++i) add(FSeverities[i], i == 2 ? 7 : 0);
    add(FVariantsLabel, 7);
    add(FYourVariant, 0);
    add(FBestVariant, 7);
    add(FCountLabel, 7);
    add(FHands, 0);
    add(FDeals, 7);
    const int controlWidth = std::max(FHost->width() - 2 * kMarginX, 10);
    int y = kMarginY;
    int widest = 0;
    for (const auto& [widget, gap] : stack) {
        const int height = widget->sizeHint().height();
        widget->setGeometry(kMarginX, y, controlWidth, height);
        y += height + gap;
        widest = std::max(widest, widget->sizeHint().width());
    }
    FExtraHeight = y - FHost->height();
    FNeededHeight = height() + FExtraHeight;
    FNeededWidth = widest + 2 * kMarginX + width() - FHost->width();
}

QSize TOptionsPanel::sizeHint() const {
    return {std::max(kInitialWidth, FNeededWidth),
            FNeededHeight > 0 ? FNeededHeight : kInitialHeight};
}

void TOptionsPanel::PlaceFrames() {
    FHeaderPanel->setGeometry(0, 0, width(), kHeaderHeight);
    FHeader->setGeometry(kBorder, kBorder, width() - 2 * kBorder, kHeaderHeight - 2 * kBorder);
    FClient->setGeometry(0, kHeaderHeight, width(), std::max(height() - kHeaderHeight, 0));
    const int inset = FClient->frameWidth() + kBorder;
    FHost->setGeometry(inset, inset, std::max(FClient->width() - 2 * inset, 0),
                       std::max(FClient->height() - 2 * inset, 0));
}

void TOptionsPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceFrames();
    LayoutGroups();
}

} // namespace drawmentor
