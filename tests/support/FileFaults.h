#pragma once

#include "core/FileIo.h"

#include <cerrno>
#include <string>

namespace drawmentor::testing {

// Makes one step of the file operations fail with `error` for the paths that
// contain `part`, for as long as the object lives: a full disk is ENOSPC at
// Write or Sync, a failing medium EIO at Read.
class TFileFaultScope {
  public:
    TFileFaultScope(TFileStep step, std::string part, int error = ENOSPC) {
        SetFileFault([=, this](TFileStep at, const std::string& path) {
            if (at != step || path.find(part) == std::string::npos) return 0;
            ++Hits;
            return error;
        });
    }
    ~TFileFaultScope() { SetFileFault({}); }
    TFileFaultScope(const TFileFaultScope&) = delete;
    TFileFaultScope& operator=(const TFileFaultScope&) = delete;

    int Hits = 0;
};

} // namespace drawmentor::testing
