#include "PayoutStorage.h"

#include "Catalogue.h"
#include "PokerDescription.h"
#include "core/Checked.h"
#include "core/FileIo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

namespace drawmentor {
namespace {

constexpr int kValues = kMaxCoins * kMaxLines;
constexpr size_t kShortestLine = 100;

// Why a stored line is no paytable of a game whose lines end at `lastLine`,
// or nothing. Lines beyond the game's are not read and may hold anything.
std::string Damage(const std::string& line, int lastLine) {
    size_t position = 0;
    for (int i = 0; i < kValues; ++i) {
        while (position < line.size() && line[position] == ' ') ++position;
        const size_t end = std::min(line.find(' ', position), line.size());
        const std::string field = line.substr(position, end - position);
        position = end;
        if (i % kMaxLines > lastLine) continue;
        const std::string where = " for " + std::to_string(i / kMaxLines + 1) + " coins on line " +
                                  std::to_string(i % kMaxLines + 1);
        if (field.empty()) return "no value" + where;
        char* stop = nullptr;
        const long value = std::strtol(field.c_str(), &stop, 10);
        if (*stop != '\0') return "'" + field + "' is no number" + where;
        if (value < 0 || value > kMaxPay)
            return "the pay " + field + where + " is outside 0.." + std::to_string(kMaxPay);
    }
    return {};
}

} // namespace

TPayoutStorage::TPayoutStorage(std::string readPath, std::string writePath)
    : FReadPath(std::move(readPath)), FWritePath(std::move(writePath)) {
    for (const auto& entry : GameNames()) FGames.push_back({entry.Name, entry.GameIndex, {}, {}});
    Load();
}

TPayoutStorage::~TPayoutStorage() {
    try {
        Save();
    } catch (...) {
    }
}

void TPayoutStorage::Load() {
    std::optional<std::string> text;
    try {
        text = ReadFileIfExists(FReadPath, kMaxTextFileBytes);
    } catch (...) {
        AddErrorContext("The paytable file cannot be read");
    }
    if (!text) return;
    // Text with a NUL, or lines without a single game's section, is some
    // other file or a damaged one: saying so beats "no stored paytable".
    if (text->find('\0') != std::string::npos)
        throw EDrawMentor("The paytable file " + FReadPath + " is damaged: it holds binary data");
    std::istringstream in(*text);
    bool anyContent = false, anyGame = false;
    TGameTables* section = nullptr;
    bool inSection = false; // lines before the first header, or in an unknown section, are ignored
    std::string line;
    int fileLine = 0;
    while (std::getline(in, line)) {
        ++fileLine;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        anyContent = true;
        if (line.front() == '[' && line.back() == ']') {
            const std::string name = line.substr(1, line.size() - 2);
            section = nullptr;
            inSection = true;
            for (auto& game : FGames)
                if (game.Name == name) section = &game;
            if (section) section->InFile = true;
            anyGame = anyGame || section != nullptr;
            continue;
        }
        if (inSection && section && line.size() >= kShortestLine) {
            section->Lines.push_back(line);
            section->FileLines.push_back(fileLine);
        }
    }
    if (anyContent && !anyGame)
        throw EDrawMentor("The paytable file " + FReadPath + " is damaged: it names no game");
}

TPayoutStorage::TGameTables& TPayoutStorage::GameTables(int game) {
    for (auto& entry : FGames)
        if (entry.GameIndex == game) return entry;
    RaiseRange("game index", game);
}

const TPayoutStorage::TGameTables& TPayoutStorage::GameTables(int game) const {
    return const_cast<TPayoutStorage*>(this)->GameTables(game);
}

int TPayoutStorage::PaytableCount(int game) const {
    for (const auto& entry : FGames)
        if (entry.GameIndex == game) return static_cast<int>(entry.Lines.size());
    return 0;
}

TPayTable TPayoutStorage::ReadPaytable(int game, int index) const {
    const auto& lines = GameTables(game).Lines;
    CheckIndex(index, 0, static_cast<int>(lines.size()) - 1, "paytable index");
    const TGameTables& tables = GameTables(game);
    if (const std::string damage = Damage(lines[index], CreateDescription(game)->LastLine);
        !damage.empty()) {
        const int fileLine = tables.FileLines[index];
        throw EDrawMentor("The paytable file " + FReadPath + " is damaged: paytable " +
                          std::to_string(index + 1) + " of " + tables.Name +
                          (fileLine ? " (line " + std::to_string(fileLine) + ")" : std::string()) +
                          ": " + damage);
    }
    return ParsePaytable(lines[index]);
}

int TPayoutStorage::FindPaytable(int game, const TPayTable& pays) const {
    const std::string text = FormatPaytable(pays);
    const auto& lines = GameTables(game).Lines;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text) return static_cast<int>(i);
    return -1;
}

void TPayoutStorage::WritePaytable(int game, int index, const TPayTable& pays) {
    auto& lines = GameTables(game).Lines;
    for (const auto& coins : pays.Pays)
        for (int32_t pay : coins)
            if (pay < -1 || pay > kMaxPay) RaiseRange("pay", pay); // would break the fixed columns
    if (index < 0 || index >= static_cast<int>(lines.size())) {
        if (static_cast<int>(lines.size()) >= kMaxPaytablesPerGame)
            throw EDrawMentor(GameTables(game).Name + " already has " +
                              std::to_string(kMaxPaytablesPerGame) +
                              " paytables, the most a game can have; change or remove one instead");
        lines.push_back(FormatPaytable(pays));
        GameTables(game).FileLines.push_back(0);
    } else {
        lines[index] = FormatPaytable(pays);
        GameTables(game).FileLines[index] = 0;
    }
    FModified = true;
}

void TPayoutStorage::Save() {
    if (!FModified) return;
    std::ostringstream text;
    for (const auto& game : FGames) {
        text << '[' << game.Name << "]\r\n";
        for (const auto& line : game.Lines) text << line << "\r\n";
        text << "\r\n";
    }
    namespace fs = std::filesystem;
    const fs::path target(FWritePath);
    try {
        if (target.has_parent_path()) fs::create_directories(target.parent_path());
    } catch (const fs::filesystem_error& error) {
        throw EDrawMentor("Cannot save " + FWritePath + ": " + error.code().message());
    }
    WriteFileAtomically(FWritePath, text.str());
    FModified = false;
}

void TPayoutStorage::AddMissingGames(const std::string& path) {
    if (path == FReadPath) return;
    const TPayoutStorage other(path, {});
    for (auto& game : FGames) {
        if (game.InFile) continue;
        const TGameTables& theirs = other.GameTables(game.GameIndex);
        game.Lines = theirs.Lines;
        game.FileLines.assign(theirs.Lines.size(), 0);
    }
}

std::string TPayoutStorage::FormatPaytable(const TPayTable& pays) {
    std::string text;
    text.reserve(kValues * 6);
    char field[16];
    for (const auto& coins : pays.Pays)
        for (int32_t pay : coins) {
            std::snprintf(field, sizeof field, "%6d", pay);
            text += field;
        }
    return text;
}

// Runs of blanks separate the numbers; a field that is no number, and every
// field missing at the end of a short line, reads as 0.
TPayTable TPayoutStorage::ParsePaytable(const std::string& line) {
    TPayTable pays;
    size_t position = 0;
    for (int i = 0; i < kValues; ++i) {
        while (position < line.size() && line[position] == ' ') ++position;
        const size_t end = std::min(line.find(' ', position), line.size());
        const std::string field = line.substr(position, end - position);
        position = end;
        char* stop = nullptr;
        const long value = std::strtol(field.c_str(), &stop, 10);
        const bool number =
            !field.empty() && *stop == '\0' && value >= INT32_MIN && value <= INT32_MAX;
        pays.Pays[i / kMaxLines][i % kMaxLines] = number ? static_cast<int32_t>(value) : 0;
    }
    return pays;
}

} // namespace drawmentor
