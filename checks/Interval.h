#pragma once
// Exact fractions and intervals of them for the formula check. Numerators
// and denominators are 128-bit; a result that does not fit throws Overflow,
// and the line is then left unchecked rather than judged on a wrong figure.
#include <cstdint>
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

struct Interval {
    Rat lo, hi;
    static Interval Exact(const Rat& v) { return {v, v}; }
    static Interval Around(const Rat& v, const Rat& half) { return {v - half, v + half}; }
    friend Interval operator+(const Interval& a, const Interval& b);
    friend Interval operator-(const Interval& a, const Interval& b);
    friend Interval operator*(const Interval& a, const Interval& b);
};

// Round half away from zero to a whole number.
std::int64_t RoundHalfAway(const Rat& v);
// Hundredths as "16.25", "-0.05".
std::string FormatHundredths(std::int64_t v);

} // namespace checks
