#pragma once

#include "bankroll/HandDistribution.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace drawmentor::cli {

// A bad command line: main prints the one line and exits with status 2.
class EUsage : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "--name value" options, "--flag" switches and positional words, checked
// against the names a command accepts.
class TArguments {
  public:
    TArguments(const std::vector<std::string>& words, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags);

    bool Has(const std::string& name) const { return FValues.count(name) != 0; }
    bool Flag(const std::string& name) const { return FFlags.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
    int Int(const std::string& name, int fallback, int lo, int hi) const;
    const std::vector<std::string>& Positional() const { return FPositional; }

  private:
    std::map<std::string, std::string> FValues;
    std::map<std::string, bool> FFlags;
    std::vector<std::string> FPositional;
};

// A whole decimal number within lo..hi, or EUsage naming `what`.
int ParseInt(const std::string& text, int lo, int hi, const std::string& what);
// A decimal number of at most `decimals` places within lo..hi (both scaled),
// returned times 10^decimals, or EUsage naming `what`.
int ParseDecimal(const std::string& text, int decimals, int lo, int hi, const std::string& what);
// --cashback: a rebate of 0 to 5 % of the coins played, in hundredths of a percent.
inline int ParseCashback(const std::string& text) {
    return ParseDecimal(text, 2, 0, kMaxCashback, "--cashback");
}
// A percentage strictly between 0 and 100 (decimals or an exponent, as 0.5 or
// 1e-3), or EUsage naming `what`.
double ParsePercent(const std::string& text, const std::string& what);
std::vector<int> ParseIntList(const std::string& text, int lo, int hi, const std::string& what);

} // namespace drawmentor::cli
