#include "Checked.h"

#include <string>

namespace drawmentor {

void RaiseOverflow() {
    throw EOverflowError("Integer overflow");
}

void RaiseRange(const char* what, long long value) {
    throw ERangeError("Range check error: " + std::string(what) + " " + std::to_string(value));
}

} // namespace drawmentor
