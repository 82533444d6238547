#pragma once

#include <QDate>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace drawmentor {

// Where one chart line stands in the quiz: a Leitner box, 0 for a line never
// asked, 1 after a miss, one higher after each right answer up to kQuizBoxes.
// Due is the question number from which the line should be asked again.
struct TQuizLine {
    std::string Key; // the chart line's stable key: the schedule survives a chart made anew
    int Box = 0;
    int64_t Due = 0;
    int Asked = 0;
    int Right = 0;
};

// The answers of one day.
struct TQuizDay {
    QDate Day;
    int Asked = 0;
    int Right = 0;
};

inline constexpr int kQuizBoxes = 5;
// Questions until a line of box b comes back: a miss returns after a couple
// of other hands, a line answered right five times in a row once in a long while.
inline constexpr std::array<int64_t, kQuizBoxes + 1> kQuizIntervals = {0, 2, 5, 12, 30, 75};

// The spaced-repetition schedule of one paytable's chart lines, counted in
// questions rather than days: a trainer is practised in sittings, and a line
// missed now must come back within the sitting.
class TQuizSchedule {
  public:
    TQuizSchedule() = default;
    // Every line of a chart, by its key, never asked.
    explicit TQuizSchedule(const std::vector<std::string>& keys);

    // The lines to ask for next, most pressing first: lines due (lowest box,
    // then longest overdue), then lines never asked (in the order of
    // `newOrder`, the most frequent first), then the rest by when they fall
    // due. Only lines with `askable` set are taken.
    std::vector<int> Priorities(const std::vector<bool>& askable,
                                const std::vector<int>& newOrder) const;
    // An answer on `line`: a miss sends it to box 1, a right answer one box up.
    void Record(int line, bool right, QDate day);

    const std::vector<TQuizLine>& Lines() const { return FLines; }
    const std::vector<TQuizDay>& Days() const { return FDays; }
    int64_t Questions() const { return FQuestions; }

    // What a stored schedule brings back: lines are matched by key, so that
    // a line the chart no longer has is dropped and a new one starts unasked.
    void Restore(int64_t questions, const std::vector<TQuizLine>& stored,
                 std::vector<TQuizDay> days);

  private:
    std::vector<TQuizLine> FLines;
    std::vector<TQuizDay> FDays; // oldest first
    int64_t FQuestions = 0;
};

} // namespace drawmentor
