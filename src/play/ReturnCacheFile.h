#pragma once

#include "strategy/ReturnJob.h"

#include <memory>

namespace drawmentor {

// The cache of paytable returns kept in the user's data folder
// ("DrawMentor.returns"), for the windows that show a paytable's return.
std::unique_ptr<TReturnCache> OpenUserReturnCache();

} // namespace drawmentor
