#pragma once

#include <QWidget>

#include <memory>
#include <span>
#include <vector>

namespace drawmentor {

class TCardPainter;

// The deck as small cards, a column per rank (2 to A) and a row per suit,
// then a row of the game's jokers. Chosen cards wear the held band; a press
// reports the card's code (jokers 52 and 53 in the order shown).
class TDeckPicker : public QWidget {
    Q_OBJECT

  public:
    TDeckPicker(int jokers, QWidget* parent = nullptr);
    ~TDeckPicker() override;

    // Marks these cards chosen; the n-th joker chosen is the n-th shown.
    void SetChosen(std::span<const int> codes);
    bool IsChosen(int code) const;
    // Where the card of `code` lies, for tests that click it.
    QRect CardRect(int code) const;
    QSize sizeHint() const override;

  signals:
    void CardClicked(int code);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int CodeAt(const QPoint& point) const;

    std::unique_ptr<TCardPainter> FPainter;
    int FJokers;
    std::vector<bool> FChosen; // by code, 0..53
};

} // namespace drawmentor
