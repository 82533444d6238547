#pragma once

#include <QImage>

#include <array>

namespace drawmentor {

// The strip chart of the credits: what the player has and what best play
// would have left, one point per deal, the last 128 deals.
class TCreditPlot {
  public:
    explicit TCreditPlot(QImage* target) : FTarget(target) {}

    void AddPoint(int ideal, int actual);
    void Repaint();

    static constexpr int kCapacity = 128;
    std::array<int, kCapacity> Ideal{};
    std::array<int, kCapacity> Actual{};
    int Count = 0;
    int High = 0;
    int Low = 0;

    // The y of a value with the current scale.
    float YOf(int value) const;

  private:
    QImage* FTarget;
};

} // namespace drawmentor
