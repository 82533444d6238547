#include "play/QuizSchedule.h"

#include "core/Checked.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace drawmentor {

TQuizSchedule::TQuizSchedule(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) FLines.push_back({key});
}

std::vector<int> TQuizSchedule::Priorities(const std::vector<bool>& askable,
                                           const std::vector<int>& newOrder) const {
    const auto ok = [&](int line) {
        return line >= 0 && line < static_cast<int>(FLines.size()) &&
               line < static_cast<int>(askable.size()) && askable[static_cast<size_t>(line)];
    };
    std::vector<int> due, later;
    for (int line = 0; line < static_cast<int>(FLines.size()); ++line) {
        if (!ok(line) || FLines[static_cast<size_t>(line)].Box == 0) continue;
        (FLines[static_cast<size_t>(line)].Due <= FQuestions ? due : later).push_back(line);
    }
    const auto byBox = [&](int a, int b) {
        const TQuizLine& x = FLines[static_cast<size_t>(a)];
        const TQuizLine& y = FLines[static_cast<size_t>(b)];
        return std::tie(x.Box, x.Due) < std::tie(y.Box, y.Due);
    };
    const auto byDue = [&](int a, int b) {
        return FLines[static_cast<size_t>(a)].Due < FLines[static_cast<size_t>(b)].Due;
    };
    std::stable_sort(due.begin(), due.end(), byBox);
    std::stable_sort(later.begin(), later.end(), byDue);
    std::vector<int> order = due;
    for (int line : newOrder)
        if (ok(line) && FLines[static_cast<size_t>(line)].Box == 0) order.push_back(line);
    order.insert(order.end(), later.begin(), later.end());
    return order;
}

void TQuizSchedule::Record(int line, bool right, QDate day) {
    TQuizLine& entry =
        FLines[CheckIndex(line, 0, static_cast<int>(FLines.size()) - 1, "quiz line")];
    ++FQuestions;
    ++entry.Asked;
    if (right) ++entry.Right;
    entry.Box = right ? std::min(entry.Box + 1, kQuizBoxes) : 1;
    entry.Due = FQuestions + kQuizIntervals[static_cast<size_t>(entry.Box)];
    if (FDays.empty() || FDays.back().Day != day) FDays.push_back({day});
    ++FDays.back().Asked;
    if (right) ++FDays.back().Right;
}

void TQuizSchedule::Restore(int64_t questions, const std::vector<TQuizLine>& stored,
                            std::vector<TQuizDay> days) {
    FQuestions = std::max<int64_t>(questions, 0);
    std::map<std::string, const TQuizLine*> byKey;
    for (const TQuizLine& line : stored) byKey[line.Key] = &line;
    for (TQuizLine& line : FLines) {
        const auto found = byKey.find(line.Key);
        if (found != byKey.end()) line = *found->second;
    }
    // Days out of order (a clock set back) are merged into one list by date.
    std::map<QDate, TQuizDay> merged;
    for (const TQuizDay& day : days) {
        TQuizDay& into = merged[day.Day];
        into.Day = day.Day;
        into.Asked += day.Asked;
        into.Right += day.Right;
    }
    FDays.clear();
    for (const auto& [date, day] : merged) FDays.push_back(day);
}

} // namespace drawmentor
