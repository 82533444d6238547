#include "ReturnJob.h"

#include "core/Error.h"
#include "games/Catalogue.h"

namespace drawmentor {

TReturnJob::TReturnJob(int gameIndex, std::vector<int> pays, int betCoins, int threads) {
    FThread = std::thread([this, gameIndex, pays = std::move(pays), betCoins, threads] {
        try {
            const auto game = CreateDescription(gameIndex);
            if (!game)
                throw ERangeError("Range check error: game index " + std::to_string(gameIndex));
            TAnalysisOptions options;
            options.Threads = threads;
            options.Cancel = &FCancel;
            options.Progress = [this](int64_t done, int64_t total) {
                FTotal = total;
                FDone = done;
            };
            FResult = AnalyzePaytable(*game, pays, betCoins, options);
        } catch (...) {
            FError = std::current_exception();
        }
        FFinished = true;
    });
}

TReturnJob::~TReturnJob() {
    FCancel = true;
    if (FThread.joinable()) FThread.join();
}

double TReturnJob::Progress() const {
    return FFinished ? 1.0 : static_cast<double>(FDone.load()) / static_cast<double>(FTotal.load());
}

TPaytableReturn TReturnJob::Result() {
    if (FThread.joinable()) FThread.join();
    if (FError) std::rethrow_exception(FError);
    return FResult;
}

} // namespace drawmentor
