#include "ChartJob.h"

#include "core/Error.h"
#include "games/Catalogue.h"

#include <algorithm>

namespace drawmentor {

TChartRefusal CheckChartInput(int gameIndex, const std::vector<int>& pays) {
    if (GameName(gameIndex).empty()) return TChartRefusal::HiddenGame;
    const auto game = CreateDescription(gameIndex);
    if (!game || static_cast<int>(pays.size()) != game->LineCount())
        return TChartRefusal::WrongPays;
    if (std::any_of(pays.begin(), pays.end(), [](int pay) { return pay < 0; }))
        return TChartRefusal::NegativePay;
    if (std::all_of(pays.begin(), pays.end(), [](int pay) { return pay == 0; }))
        return TChartRefusal::PaysNothing;
    return TChartRefusal::None;
}

TChartJob::TChartJob(int gameIndex, std::vector<int> pays, int betCoins,
                     std::function<void(const TStrategyChart&)> keep, int threads)
    : FGameIndex(gameIndex), FBet(betCoins), FPays(std::move(pays)) {
    FThread = std::thread([this, keep = std::move(keep), threads] {
        try {
            if (CheckChartInput(FGameIndex, FPays) != TChartRefusal::None)
                throw ERangeError("no strategy chart for this game and paytable");
            TChartOptions options;
            options.Threads = threads;
            options.Cancel = &FCancel;
            options.Progress = [this](int64_t done, int64_t total) {
                FTotal = std::max<int64_t>(total, 1);
                FDone = done;
            };
            FResult = GenerateChart(*CreateDescription(FGameIndex), FPays, FBet, options);
            if (keep && !FResult.Cancelled) {
                try {
                    keep(FResult);
                } catch (const std::exception&) {
                    // A cache that cannot be written costs the next opening
                    // its speed, nothing else.
                }
            }
        } catch (...) {
            FError = std::current_exception();
        }
        FFinished = true;
    });
}

TChartJob::~TChartJob() {
    FCancel = true;
    if (FThread.joinable()) FThread.join();
}

double TChartJob::Progress() const {
    return FFinished ? 1.0 : static_cast<double>(FDone.load()) / static_cast<double>(FTotal.load());
}

const TStrategyChart& TChartJob::Result() const {
    if (!FFinished) throw EDrawMentor("the strategy chart is not ready");
    if (FError) std::rethrow_exception(FError);
    return FResult;
}

} // namespace drawmentor
