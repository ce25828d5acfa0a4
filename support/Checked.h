#pragma once
// Overflow-checked 64-bit arithmetic. Every product and sum of millimetres and
// quantities goes through these, so absurd dimensions stop the run with an
// error instead of wrapping round into plausible-looking numbers.
#include "Error.h"

#include <cstdint>

namespace yoheki {

[[noreturn]] void throwOverflow();

inline std::int64_t Add(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_add_overflow(a, b, &r)) throwOverflow();
    return r;
}

inline std::int64_t Sub(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a, b, &r)) throwOverflow();
    return r;
}

inline std::int64_t Mul(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_mul_overflow(a, b, &r)) throwOverflow();
    return r;
}

template <typename... Rest>
std::int64_t Mul(std::int64_t a, std::int64_t b, Rest... rest) {
    return Mul(Mul(a, b), rest...);
}

template <typename... Rest>
std::int64_t Add(std::int64_t a, std::int64_t b, Rest... rest) {
    return Add(Add(a, b), rest...);
}

inline std::int64_t Neg(std::int64_t a) { return Sub(0, a); }

} // namespace yoheki
