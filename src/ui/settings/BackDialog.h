#pragma once

#include <QDialog>

#include <vector>

class QPushButton;

namespace drawmentor {

class TCardImage;
class TPreferences;

// The back chooser: the fifteen card backs, the chosen one framed.
class TBackDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kBackCount = 15;

    TBackDialog(QWidget* parent, int currentIndex, TPreferences& preferences);

    int Selected() const { return FSelected; }
    // Moves the frame to back `index`; an index outside 0..14 changes nothing.
    void Select(int index);
    QWidget& FocusBevel() const { return *FFocusBevel; }
    TCardImage& Image(int index) const { return *FImages.at(static_cast<size_t>(index)); }
    void Retranslate();

  private:
    TPreferences& FPreferences;
    int FSelected = -1;
    std::vector<TCardImage*> FImages;
    QWidget* FFocusBevel = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FCancel = nullptr;
};

// The chosen back 0..14, or -1 when the player cancelled.
int ChooseBack(QWidget* parent, int currentIndex, TPreferences& preferences);

} // namespace drawmentor
