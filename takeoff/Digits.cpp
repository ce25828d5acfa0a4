#include "PriceBook.h"
#include "Utf8.h"

namespace estimate {

namespace {

// The figures a design book carries: earthwork to the whole cubic metre,
// concrete and crushed stone to 0.1 m³, formwork to the whole square metre,
// finishes and lengths to 0.1, counts whole, all rounded half up. Bars keep
// the 0.01 t the take-off gives; the program has no finer figure.
const std::vector<DigitRule> kDefaults = {
    {U("土工"), U("ｍ3"), 0, Rounding::HalfUp},     {U("コンクリート工"), U("ｍ3"), 1, Rounding::HalfUp},
    {U("型枠工"), U("ｍ2"), 0, Rounding::HalfUp},   {U("鉄筋工"), U("ｔ"), 2, Rounding::HalfUp},
    {U("仕上工"), U("ｍ2"), 1, Rounding::HalfUp},   {U("仕上工"), U("ｍ"), 1, Rounding::HalfUp},
    {U("雑工"), U("ｍ"), 1, Rounding::HalfUp},      {U("雑工"), U("ヶ所"), 0, Rounding::HalfUp},
    {QString(), U("ｍ3"), 1, Rounding::HalfUp},     {QString(), U("ｍ2"), 1, Rounding::HalfUp},
    {QString(), U("ｍ"), 1, Rounding::HalfUp},      {QString(), U("ヶ所"), 0, Rounding::HalfUp},
};

const DigitRule* Find(const std::vector<DigitRule>& rules, const QString& kind, const QString& unit,
                      bool anyKind) {
    const QString k = Canonical(kind), u = Canonical(unit);
    for (const DigitRule& r : rules)
        if (Canonical(r.unit) == u && (anyKind ? r.kind.isEmpty() : Canonical(r.kind) == k))
            return &r;
    return nullptr;
}

} // namespace

const std::vector<DigitRule>& DefaultDigits() {
    return kDefaults;
}

DigitRule DigitsFor(const PriceBook& book, const PriceRow* row, const QString& kind,
                    const QString& unit) {
    if (row && row->digits)
        return *row->digits;
    for (const auto* rules : {&book.digits, &kDefaults})
        for (const bool anyKind : {false, true})
            if (const DigitRule* r = Find(*rules, kind, unit, anyKind))
                return *r;
    return DigitRule{kind, unit, 2, Rounding::HalfUp};
}

} // namespace estimate
