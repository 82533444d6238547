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

  signals:
    void CardPressed(int index);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::array<TCardImage*, 5> FCards{};
};

} // namespace drawmentor
