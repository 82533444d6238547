#include "GameKey.h"

#include "Catalogue.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace drawmentor {
namespace {

int KeyField(std::string_view key, size_t start) {
    if (key.size() <= start) return -1;
    std::string_view field = key.substr(start, 3);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc{} || end != field.data() + field.size()) return -1;
    return value;
}

} // namespace

std::string GameKey(int gameIndex, int payIndex) {
    char text[32];
    std::snprintf(text, sizeof text, "%3d%3d", gameIndex, payIndex);
    return text;
}

int KeyGameIndex(std::string_view key) {
    return KeyField(key, 0);
}

int KeyPayIndex(std::string_view key) {
    return KeyField(key, 3);
}

std::string GameKeyCaption(std::string_view key) {
    const int game = KeyGameIndex(key);
    if (game < 0) return "ALL POKERS";
    std::string name = GameName(game);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name + "  (" + std::to_string(KeyPayIndex(key) + 1) + ")";
}

} // namespace drawmentor
