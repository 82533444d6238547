#pragma once

#include "games/PayoutStorage.h"

#include <memory>
#include <string>

namespace drawmentor {

// The paytable store as the program reads it: the user's copy in the data
// folder when it exists, else the one installed beside the program. Saving
// writes the user's copy.
std::unique_ptr<TPayoutStorage> OpenPaytableStore();

// "JACKS OR BETTER  (2)  9/6": the caption of a game key with the short name
// players give its stored paytable, when it has one; the plain caption when
// the paytable cannot be read.
std::string PaytableCaption(const TPayoutStorage& store, const std::string& key);

} // namespace drawmentor
