#pragma once
// Exact numbers and intervals of them for the formula check: decimals first,
// fractions in lowest terms where decimals outgrow their room. Both are
// 128-bit; a result that does not fit throws Overflow, and the line is then
// left unchecked rather than judged on a wrong figure.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace checks {

using Int = __int128;

struct Overflow {};

Int CheckedMul(Int a, Int b);

class Rat {
  public:
    Rat() = default;
    Rat(Int num, Int den); // den != 0

    Int num() const { return num_; }
    Int den() const { return den_; }

    friend Rat operator+(const Rat& a, const Rat& b);
    friend Rat operator-(const Rat& a, const Rat& b);
    friend Rat operator*(const Rat& a, const Rat& b);
    friend Rat operator/(const Rat& a, const Rat& b);
    Rat operator-() const { return Rat(-num_, den_); }
    friend bool operator<(const Rat& a, const Rat& b);
    friend bool operator<=(const Rat& a, const Rat& b) { return !(b < a); }
    friend bool operator==(const Rat& a, const Rat& b) {
        return a.num_ == b.num_ && a.den_ == b.den_;
    }

  private:
    Int num_ = 0, den_ = 1; // lowest terms, den_ > 0
};

// An exact decimal n / 10^k: every figure a statement prints is one, and so
// is every sum, difference and product of them, with no common divisor to
// find. A result beyond 128 bits or 38 places throws Overflow.
class Dec {
  public:
    Dec() = default;
    Dec(Int n, int places); // places 0 .. 38

    Rat ToRat() const;
    // Hundredths rounded half away from zero, as RoundHalfAway(v * 100).
    std::int64_t Hundredths() const;
    Dec Thousandth() const { return Dec(n_, k_ + 3); } // v / 1000

    friend Dec operator+(const Dec& a, const Dec& b);
    friend Dec operator-(const Dec& a, const Dec& b) { return a + (-b); }
    friend Dec operator*(const Dec& a, const Dec& b);
    Dec operator-() const { return Dec(-n_, k_); }
    friend bool operator<(const Dec& a, const Dec& b);
    friend bool operator<=(const Dec& a, const Dec& b) { return !(b < a); }
    friend bool operator==(const Dec& a, const Dec& b) { return !(a < b) && !(b < a); }

  private:
    Int n_ = 0;
    int k_ = 0;
};

// The value of `d` in the number type N (Rat or Dec).
template <class N>
N As(const Dec& d);
template <>
inline Dec As<Dec>(const Dec& d) {
    return d;
}
template <>
inline Rat As<Rat>(const Dec& d) {
    return d.ToRat();
}

inline Rat Thousandth(const Rat& v) {
    return v / Rat(1000, 1);
}
inline Dec Thousandth(const Dec& v) {
    return v.Thousandth();
}

template <class N>
struct BasicInterval {
    N lo, hi;
    static BasicInterval Exact(const N& v) { return {v, v}; }
    static BasicInterval Around(const N& v, const N& half) { return {v - half, v + half}; }
    friend BasicInterval operator+(const BasicInterval& a, const BasicInterval& b) {
        return {a.lo + b.lo, a.hi + b.hi};
    }
    friend BasicInterval operator-(const BasicInterval& a, const BasicInterval& b) {
        return {a.lo - b.hi, a.hi - b.lo};
    }
    friend BasicInterval operator*(const BasicInterval& a, const BasicInterval& b) {
        const N p[] = {a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi};
        return {*std::min_element(std::begin(p), std::end(p)),
                *std::max_element(std::begin(p), std::end(p))};
    }
};

// Round half away from zero to a whole number.
std::int64_t RoundHalfAway(const Rat& v);
// Hundredths as "16.25", "-0.05".
std::string FormatHundredths(std::int64_t v);

} // namespace checks
