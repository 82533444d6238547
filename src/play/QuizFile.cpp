#include "play/QuizFile.h"

#include "core/Error.h"
#include "core/FileIo.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <sstream>

namespace drawmentor {
namespace {

constexpr const char* kMagic = "DrawMentor quiz 1";
// A schedule is a few lines a chart line and a line a day: far below this.
constexpr size_t kMaxQuizFileBytes = 1024 * 1024;

[[noreturn]] void Damaged(const std::string& what) {
    throw EDrawMentor("quiz file: " + what);
}

int64_t Number(std::istringstream& in, int64_t lo, int64_t hi, const char* what) {
    int64_t value = 0;
    if (!(in >> value) || value < lo || value > hi) Damaged(std::string("bad ") + what);
    return value;
}

std::vector<int> ParsePays(const std::string& text) {
    std::vector<int> pays;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        std::istringstream number(item);
        pays.push_back(static_cast<int>(Number(number, 0, std::numeric_limits<int>::max(), "pay")));
    }
    return pays;
}

// The file's paytable, lines and days; throws for anything it cannot read.
TQuizPaytable Parse(const std::string& text, int64_t& questions, std::vector<TQuizLine>& lines,
                    std::vector<TQuizDay>& days) {
    std::istringstream in(text);
    std::string row;
    if (!std::getline(in, row) || row != kMagic) Damaged("not a quiz file");
    TQuizPaytable paytable;
    bool game = false, bet = false, pays = false, counted = false;
    while (std::getline(in, row)) {
        if (row.empty()) continue;
        std::istringstream fields(row);
        std::string word;
        fields >> word;
        if (word == "game") {
            paytable.GameIndex = static_cast<int>(Number(fields, 0, 255, "game"));
            game = true;
        } else if (word == "bet") {
            paytable.Bet = static_cast<int>(Number(fields, 1, 5, "bet"));
            bet = true;
        } else if (word == "pays") {
            std::string list;
            fields >> list;
            paytable.Pays = ParsePays(list);
            pays = true;
        } else if (word == "questions") {
            questions = Number(fields, 0, std::numeric_limits<int32_t>::max(), "count");
            counted = true;
        } else if (word == "line") {
            TQuizLine line;
            line.Box = static_cast<int>(Number(fields, 0, kQuizBoxes, "box"));
            line.Due = Number(fields, 0, std::numeric_limits<int32_t>::max(), "due");
            line.Asked = static_cast<int>(Number(fields, 0, 1 << 30, "asked"));
            line.Right = static_cast<int>(Number(fields, 0, line.Asked, "right"));
            // The key is the rest of the row, whatever characters a chart's keys take.
            if (!std::getline(fields >> std::ws, line.Key) || line.Key.empty())
                Damaged("line without key");
            lines.push_back(std::move(line));
        } else if (word == "day") {
            std::string date;
            fields >> date;
            TQuizDay day{QDate::fromString(QString::fromStdString(date), Qt::ISODate)};
            if (!day.Day.isValid()) Damaged("bad day");
            day.Asked = static_cast<int>(Number(fields, 1, 1 << 30, "asked"));
            day.Right = static_cast<int>(Number(fields, 0, day.Asked, "right"));
            days.push_back(day);
        } else {
            Damaged("unknown row " + word);
        }
    }
    if (!game || !bet || !pays || !counted) Damaged("incomplete");
    return paytable;
}

// Keeps the file for a look but out of the way; failing that, the next save replaces it.
std::string SetAside(const std::string& path) {
    const std::string aside = path + ".set-aside";
    std::error_code error;
    std::filesystem::rename(path, aside, error);
    return error ? std::string() : aside;
}

} // namespace

std::string QuizFilePath(const std::string& folder, const TQuizPaytable& paytable) {
    uint64_t hash = 14695981039346656037ull; // FNV-1a over the pays' decimal text
    for (int pay : paytable.Pays)
        for (char c : std::to_string(pay) + ',') {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
    char name[80];
    std::snprintf(name, sizeof name, "g%02d-b%d-%016llx.quiz", paytable.GameIndex, paytable.Bet,
                  static_cast<unsigned long long>(hash));
    return folder + name;
}

TQuizFileNotice LoadQuizFile(const std::string& path, const TQuizPaytable& paytable,
                             TQuizSchedule& schedule) {
    TQuizFileNotice notice{TQuizFileNotice::Damaged, path, {}};
    try {
        const auto text = ReadFileIfExists(path, kMaxQuizFileBytes);
        if (!text) return {};
        int64_t questions = 0;
        std::vector<TQuizLine> lines;
        std::vector<TQuizDay> days;
        if (Parse(*text, questions, lines, days) == paytable) {
            schedule.Restore(questions, lines, std::move(days));
            return {};
        }
        notice.Kind = TQuizFileNotice::OtherPaytable;
    } catch (const std::exception&) {
        // Unreadable, too large, a FIFO or damaged: all the same to the player.
    }
    notice.SetAside = SetAside(path);
    return notice;
}

void SaveQuizFile(const std::string& path, const TQuizPaytable& paytable,
                  const TQuizSchedule& schedule) {
    std::ostringstream out;
    out << kMagic << "\ngame " << paytable.GameIndex << "\nbet " << paytable.Bet << "\npays ";
    for (size_t i = 0; i < paytable.Pays.size(); ++i) out << (i ? "," : "") << paytable.Pays[i];
    out << "\nquestions " << schedule.Questions() << '\n';
    for (const TQuizLine& line : schedule.Lines())
        if (line.Asked > 0)
            out << "line " << line.Box << ' ' << line.Due << ' ' << line.Asked << ' ' << line.Right
                << ' ' << line.Key << '\n';
    for (const TQuizDay& day : schedule.Days())
        out << "day " << day.Day.toString(Qt::ISODate).toStdString() << ' ' << day.Asked << ' '
            << day.Right << '\n';
    std::error_code ignored; // a folder that cannot be made fails the write, with its reason
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    WriteFileAtomically(path, out.str());
}

} // namespace drawmentor
