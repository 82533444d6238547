#pragma once

namespace drawmentor {

enum TErrorSeverity : int { esNone = 0, esSerious = 1, esMedium = 2, esMinor = 3 };

// How serious an error is, by the expected coins it gave away as a share of
// the bet: more than SeriousPercent is serious, less than MinorPercent minor,
// the rest medium; a cost of a hundred-thousandth of a percent or less is no
// error at all.
struct TSeverityThresholds {
    int SeriousPercent = 20;
    int MinorPercent = 2;

    constexpr TErrorSeverity Of(double costFraction) const {
        const double percent = costFraction * 100;
        if (percent <= 0.00001) return esNone;
        if (percent > SeriousPercent) return esSerious;
        return percent < MinorPercent ? esMinor : esMedium;
    }
};

} // namespace drawmentor
