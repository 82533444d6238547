#include "Arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace drawmentor::cli {

TArguments::TArguments(const std::vector<std::string>& words,
                       const std::vector<std::string>& valued,
                       const std::vector<std::string>& flags) {
    const auto known = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            FPositional.push_back(word);
            continue;
        }
        std::string name = word.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        if (known(flags, name) && !inlineValue) {
            FFlags[name] = true;
        } else if (known(valued, name)) {
            if (FValues.count(name)) throw EUsage("option --" + name + " given twice");
            if (inlineValue) {
                FValues[name] = *inlineValue;
            } else {
                if (i + 1 >= words.size()) throw EUsage("option --" + name + " needs a value");
                FValues[name] = words[++i];
            }
        } else {
            throw EUsage("unknown option " + word);
        }
    }
}

std::optional<std::string> TArguments::Value(const std::string& name) const {
    const auto it = FValues.find(name);
    if (it == FValues.end()) return std::nullopt;
    return it->second;
}

int TArguments::Int(const std::string& name, int fallback, int lo, int hi) const {
    const auto text = Value(name);
    return text ? ParseInt(*text, lo, hi, "--" + name) : fallback;
}

int ParseInt(const std::string& text, int lo, int hi, const std::string& what) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        throw EUsage(what + ": '" + text + "' is not a whole number");
    if (value < lo || value > hi)
        throw EUsage(what + ": " + text + " is outside " + std::to_string(lo) + ".." +
                     std::to_string(hi));
    return value;
}

int ParseDecimal(const std::string& text, int decimals, int lo, int hi, const std::string& what) {
    const auto scaled = [decimals](int value) {
        std::string whole = std::to_string(value);
        if (decimals == 0) return whole;
        whole.insert(
            0, static_cast<size_t>(std::max(0, decimals + 1 - static_cast<int>(whole.size()))),
            '0');
        whole.insert(whole.size() - static_cast<size_t>(decimals), ".");
        while (whole.back() == '0') whole.pop_back();
        if (whole.back() == '.') whole.pop_back();
        return whole;
    };
    const size_t point = text.find('.');
    std::string digits = text.substr(0, point);
    int missing = decimals;
    if (point != std::string::npos) {
        const std::string fraction = text.substr(point + 1);
        if (fraction.empty() || fraction.size() > static_cast<size_t>(decimals) ||
            fraction.find_first_not_of("0123456789") != std::string::npos)
            throw EUsage(what + ": '" + text + "' is not a number of at most " +
                         std::to_string(decimals) + " decimals");
        digits += fraction;
        missing -= static_cast<int>(fraction.size());
    }
    digits.append(static_cast<size_t>(missing), '0');
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size())
        throw EUsage(what + ": '" + text + "' is not a number");
    if (value < lo || value > hi)
        throw EUsage(what + ": " + text + " is outside " + scaled(lo) + ".." + scaled(hi));
    return value;
}

double ParsePercent(const std::string& text, const std::string& what) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value))
        throw EUsage(what + ": '" + text + "' is not a number");
    if (!(value > 0 && value < 100))
        throw EUsage(what + ": " + text + " % is not above 0 and below 100");
    return value;
}

std::vector<int> ParseIntList(const std::string& text, int lo, int hi, const std::string& what) {
    std::vector<int> values;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        values.push_back(ParseInt(text.substr(start, comma - start), lo, hi, what));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return values;
}

} // namespace drawmentor::cli
