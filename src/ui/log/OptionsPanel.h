#pragma once

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace drawmentor {

class TGradientLabel;
class TLogger;
class TPreferences;

// The groups a window asks of the panel; they combine as bits.
enum TOptionGroup : unsigned {
    ogGame = 1,
    ogDate = 2,
    ogModes = 4,
    ogUnits = 8,
    ogSeverities = 16,
    ogVariants = 32,
    ogDeals = 64,
};

// The side panel of every window that looks at the game log. The game, date
// and mode controls edit the log's shared filter, whose own Changed() signal
// tells the windows; the unit, severity and variant controls belong to the
// window alone and report through OnChange. The panel wants
// ExtraHeight() more pixels than it has; Retranslate grows it by that much.
class TOptionsPanel : public QFrame {
    Q_OBJECT

  public:
    explicit TOptionsPanel(QWidget* parent = nullptr);
    // Keeps the variant ticks and the deal choice for the next window.
    ~TOptionsPanel() override;

    void AddGroups(unsigned flags);
    // Fills the game and date lists and the mode boxes from the log's filter.
    void AttachLog(TLogger& logger);
    void Retranslate(TPreferences& preferences);
    void SetHeader(const QString& text);
    void SetDateLabel(const QString& text);

    bool IsDollars() const;
    QString UnitCaption() const;
    void EnableUnits(bool enabled);
    void SetDollars(bool value);
    // Bit 1 << severity of each ticked severity (2 serious, 4 medium, 8 minor).
    unsigned ErrorSeverities() const;
    bool ShowYourVariant() const;
    bool ShowBestVariant() const;
    // Count each deal of several hands once rather than hand by hand.
    bool CountDeals() const;

    unsigned Groups() const { return FGroups; }
    int ExtraHeight() const { return FExtraHeight; }
    // Stacks the controls on the host panel and measures ExtraHeight.
    void LayoutGroups();
    QSize sizeHint() const override;

  signals:
    void OnChange(drawmentor::TOptionsPanel* sender);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlaceFrames();
    void RetitleItems();
    void ReadVariants();
    void WriteVariants();
    void ReadCount();
    void WriteCount();
    QCheckBox* AddCheckBox(const char* name);
    QLabel* AddLabel(const char* name);

    unsigned FGroups = 0;
    TLogger* FLogger = nullptr;
    TPreferences* FPreferences = nullptr;
    int FExtraHeight = 0;
    int FNeededHeight = 0;
    int FNeededWidth = 0;
    bool FVariantsRead = false;
    bool FCountRead = false;

    QWidget* FHeaderPanel = nullptr;
    TGradientLabel* FHeader = nullptr;
    QFrame* FClient = nullptr;
    QFrame* FHost = nullptr;

    QLabel* FGameLabel = nullptr;
    QComboBox* FGames = nullptr;
    QLabel* FDateLabel = nullptr;
    QComboBox* FDates = nullptr;
    QLabel* FModesLabel = nullptr;
    QCheckBox* FModes[4] = {};
    QLabel* FUnitsLabel = nullptr;
    QRadioButton* FDollars = nullptr;
    QRadioButton* FCoins = nullptr;
    QLabel* FSeveritiesLabel = nullptr;
    QCheckBox* FSeverities[3] = {}; // serious, medium, minor
    QLabel* FVariantsLabel = nullptr;
    QCheckBox* FYourVariant = nullptr;
    QCheckBox* FBestVariant = nullptr;
    QLabel* FCountLabel = nullptr;
    QRadioButton* FHands = nullptr;
    QRadioButton* FDeals = nullptr;
};

} // namespace drawmentor
