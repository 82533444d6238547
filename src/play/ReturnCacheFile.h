#pragma once

#include "ReturnCache.h"

#include <memory>

namespace drawmentor {

// The cache of paytable returns kept in the user's data folder
// ("DrawMentor.returns"), for the windows that show a paytable's return.
std::unique_ptr<TReturnCache> OpenUserReturnCache();

// One cache for everyone that holds it at a time (the return panels, the
// statistics), so that they do not overwrite each other's entries in the
// file. A new one is opened when the data folder changed.
std::shared_ptr<TReturnCache> SharedUserReturnCache();

} // namespace drawmentor
