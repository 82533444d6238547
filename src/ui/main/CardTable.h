#pragma once

#include <QWidget>

#include <array>

namespace drawmentor {

class TCardImage;

// The felt with the five cards, spread evenly across its width and centred
// in its height. A click on a card reports its position.
class TCardTable : public QWidget {
    Q_OBJECT

  public:
    explicit TCardTable(QWidget* parent = nullptr);

    void SetCard(int index, const QImage& image);
    // Top of the cards in the table's own coordinates.
    int CardTop() const;
    // The size the cards are shown at: the standard card times `scale`, made
    // smaller where `fit` and the table is too narrow or low for it; with
    // `grow` as large as the table lets them be.
    void SetScale(double scale, bool fit, bool grow = false);
    QSize CardSize() const { return FCardSize; }

  signals:
    void CardPressed(int index);
    // The cards are to be painted anew at CardSize().
    void CardSizeChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlaceCards();

    std::array<TCardImage*, 5> FCards{};
    double FScale = 1;
    bool FFit = false;
    bool FGrow = false;
    QSize FCardSize;
};

} // namespace drawmentor
