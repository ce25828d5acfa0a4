#include "Interval.h"

#include "Hundredths.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <initializer_list>

namespace checks {

namespace {

Int Abs(Int v) {
    return v < 0 ? -v : v;
}

// Binary gcd on 64 bits: the figures of a statement are small, and a 128-bit
// remainder is a library call that dominated the checks of a large project.
std::uint64_t Gcd64(std::uint64_t a, std::uint64_t b) {
    if (a == 0 || b == 0)
        return a | b;
    const int shift = __builtin_ctzll(a | b);
    a >>= __builtin_ctzll(a);
    do {
        b >>= __builtin_ctzll(b);
        if (a > b)
            std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

Int Gcd(Int a, Int b) {
    a = Abs(a);
    b = Abs(b);
    constexpr Int kWide = static_cast<Int>(UINT64_MAX);
    while (b != 0) {
        if (a <= kWide && b <= kWide)
            return Gcd64(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b));
        const Int t = a % b;
        a = b;
        b = t;
    }
    return a;
}

Int CheckedAdd(Int a, Int b) {
    Int r;
    if (__builtin_add_overflow(a, b, &r))
        throw Overflow{};
    return r;
}

} // namespace

Int CheckedMul(Int a, Int b) {
    Int r;
    if (__builtin_mul_overflow(a, b, &r))
        throw Overflow{};
    return r;
}

Rat::Rat(Int num, Int den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    if (den == 1) { // whole numbers need no reducing
        num_ = num;
        return;
    }
    const Int g = Gcd(num, den);
    num_ = g > 1 ? num / g : num;
    den_ = g > 1 ? den / g : den;
}

Rat operator+(const Rat& a, const Rat& b) {
    return Rat(CheckedAdd(CheckedMul(a.num_, b.den_), CheckedMul(b.num_, a.den_)),
               CheckedMul(a.den_, b.den_));
}
Rat operator-(const Rat& a, const Rat& b) {
    return a + (-b);
}
Rat operator*(const Rat& a, const Rat& b) {
    return Rat(CheckedMul(a.num_, b.num_), CheckedMul(a.den_, b.den_));
}
Rat operator/(const Rat& a, const Rat& b) {
    return Rat(CheckedMul(a.num_, b.den_), CheckedMul(a.den_, b.num_));
}
bool operator<(const Rat& a, const Rat& b) {
    return CheckedMul(a.num_, b.den_) < CheckedMul(b.num_, a.den_);
}

namespace {

constexpr int kMaxPlaces = 38; // 10^38 is the largest power of ten in 128 bits

const Int* Powers() {
    static const auto table = [] {
        struct T {
            Int p[kMaxPlaces + 1];
        } t{};
        t.p[0] = 1;
        for (int i = 1; i <= kMaxPlaces; ++i)
            t.p[i] = t.p[i - 1] * 10;
        return t;
    }();
    return table.p;
}

// `n` scaled from `from` places to `to` (>= from).
Int Scaled(Int n, int from, int to) {
    return from == to ? n : CheckedMul(n, Powers()[to - from]);
}

} // namespace

Dec::Dec(Int n, int places) : n_(n), k_(places) {
    if (places < 0 || places > kMaxPlaces)
        throw Overflow{};
}

Rat Dec::ToRat() const {
    return Rat(n_, Powers()[k_]);
}

std::int64_t Dec::Hundredths() const {
    if (k_ <= 2)
        return static_cast<std::int64_t>(Scaled(n_, k_, 2));
    // floor((2|n| + d) / 2d) with the sign put back, d = 10^(k-2).
    const Int d = Powers()[k_ - 2];
    const Int r = CheckedAdd(CheckedMul(2, n_ < 0 ? -n_ : n_), d) / CheckedMul(2, d);
    return static_cast<std::int64_t>(n_ < 0 ? -r : r);
}

Dec operator+(const Dec& a, const Dec& b) {
    const int k = std::max(a.k_, b.k_);
    return Dec(CheckedAdd(Scaled(a.n_, a.k_, k), Scaled(b.n_, b.k_, k)), k);
}

Dec operator*(const Dec& a, const Dec& b) {
    return Dec(CheckedMul(a.n_, b.n_), a.k_ + b.k_);
}

bool operator<(const Dec& a, const Dec& b) {
    const int k = std::max(a.k_, b.k_);
    return Scaled(a.n_, a.k_, k) < Scaled(b.n_, b.k_, k);
}

std::int64_t RoundHalfAway(const Rat& v) {
    // floor((2|n| + d) / 2d) with the sign put back.
    const Int n = Abs(v.num()), d = v.den();
    const Int r = (CheckedAdd(CheckedMul(2, n), d)) / CheckedMul(2, d);
    return static_cast<std::int64_t>(v.num() < 0 ? -r : r);
}

std::string FormatHundredths(std::int64_t v) {
    return yoheki::Hundredths(v);
}

} // namespace checks
