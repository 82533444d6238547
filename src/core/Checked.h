#pragma once

#include "Error.h"

#include <concepts>
#include <cstdint>

// Counting must be exact: these helpers raise instead of wrapping or reading
// outside a table. They compile to one arithmetic instruction and a branch.
namespace drawmentor {

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseRange(const char* what, long long value);

template <std::integral T> inline T CheckedAdd(T a, T b) {
    T r;
    if (__builtin_add_overflow(a, b, &r)) [[unlikely]]
        RaiseOverflow();
    return r;
}

template <std::integral T> inline T CheckedSub(T a, T b) {
    T r;
    if (__builtin_sub_overflow(a, b, &r)) [[unlikely]]
        RaiseOverflow();
    return r;
}

template <std::integral T> inline T CheckedMul(T a, T b) {
    T r;
    if (__builtin_mul_overflow(a, b, &r)) [[unlikely]]
        RaiseOverflow();
    return r;
}

// Returns `index` when lo <= index <= hi, raises a range error otherwise.
inline int CheckIndex(int index, int lo, int hi, const char* what = "index") {
    if (index < lo || index > hi) [[unlikely]]
        RaiseRange(what, index);
    return index;
}

} // namespace drawmentor
