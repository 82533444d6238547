#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace drawmentor {

class TCardImage;
class TPreferences;

// The deck chooser: the decks installed beside the program by their names,
// and fifteen cards of the highlighted one. A deck whose file cannot be read
// is listed as unusable and cannot be chosen.
class TDeckDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kPreviewCards = 15;

    TDeckDialog(QWidget* parent, const QString& currentCode, TPreferences& preferences);

    const QStringList& DeckCodes() const { return FCodes; }
    QString CurrentCode() const { return FCurrentCode; }
    bool Usable(int item) const { return FUsable.at(static_cast<size_t>(item)); }
    // Paints deck `item` into the fifteen images (hidden when it cannot be read).
    void Preview(int item);
    void Retranslate();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LayoutImages();
    QString DeckName(int item) const;

    TPreferences& FPreferences;
    QStringList FCodes;
    std::vector<bool> FUsable;
    QString FCurrentCode;
    QLabel* FDeckList = nullptr;
    QLabel* FHeader = nullptr;
    QListWidget* FDecks = nullptr;
    QWidget* FImagesPanel = nullptr;
    std::vector<TCardImage*> FImages;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
};

// The deck codes of the "deck.*" files in the program's data folder, sorted.
QStringList InstalledDeckCodes();

// The chosen deck code, or "" when the player cancelled.
QString ChooseDeck(QWidget* parent, const QString& currentCode, TPreferences& preferences);

} // namespace drawmentor
