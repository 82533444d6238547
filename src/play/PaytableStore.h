#pragma once

#include "games/PayoutStorage.h"

#include <memory>

namespace drawmentor {

// The paytable store as the program reads it: the user's copy in the data
// folder when it exists, else the one installed beside the program. Saving
// writes the user's copy.
std::unique_ptr<TPayoutStorage> OpenPaytableStore();

} // namespace drawmentor
