// The formula check: every quantity line of a statement that shows how its
// figure was reached is worked out again from the numbers printed on it.
// A size printed in metres stands for anything within half a centimetre of
// it, so each one is an interval; a quantity quoted in brackets, a bar rate
// and a count are exact. The printed quantity must be the rounding (half away
// from zero, to 0.01) of some value in the resulting interval. The figures
// are worked as exact decimals; a formula whose decimals outgrow 128 bits is
// worked again in reduced fractions, as far as those reach.
#include "Checks.h"
#include "Interval.h"
#include "StatementText.h"

#include <cctype>
#include <optional>
#include <string_view>

namespace checks {

namespace {

// ---------------------------------------------------------------- tokens

enum class Tok { Num, Lit, Word, Open, Close, Add, Sub, Mul };

struct Token {
    Tok kind;
    std::string_view text; // Word: a piece of the formula
    Dec value;             // Num, Lit
};

constexpr std::string_view kIdeoSpace = "\u3000";

bool StartsWith(std::string_view s, std::size_t at, std::string_view part) {
    return s.substr(at, part.size()) == part;
}

std::size_t CharLen(unsigned char c) {
    return c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
}

// A number: digits with an optional decimal part, read exactly.
std::optional<Dec> ReadNumber(std::string_view s, std::size_t& at) {
    std::size_t i = at;
    Int num = 0, den = 1;
    int decimals = 0;
    bool digits = false, point = false;
    int places = 0; // below 10^18 the 64-bit product cannot overflow
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            decimals += point ? 1 : 0;
            if (++places < 18) {
                num = static_cast<Int>(static_cast<std::int64_t>(num) * 10 + (c - '0'));
                if (point)
                    den = static_cast<Int>(static_cast<std::int64_t>(den) * 10);
            } else {
                num = CheckedMul(num, 10) + (c - '0');
                if (point)
                    den = CheckedMul(den, 10);
            }
            digits = true;
        } else if (c == '.' && !point && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '9') {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    at = i;
    return Dec(num, decimals);
}

// Full-width digits: a count written into the formula ("×２").
std::optional<Dec> ReadWideDigits(std::string_view s, std::size_t& at) {
    static constexpr std::string_view zero = "０"; // U+FF10 .. U+FF19
    Int v = 0;
    std::size_t i = at;
    while (i + 3 <= s.size() && s.substr(i, 2) == zero.substr(0, 2) &&
           static_cast<unsigned char>(s[i + 2]) >= 0x90 &&
           static_cast<unsigned char>(s[i + 2]) <= 0x99) {
        v = CheckedMul(v, 10) + (static_cast<unsigned char>(s[i + 2]) - 0x90);
        i += 3;
    }
    if (i == at)
        return std::nullopt;
    at = i;
    return Dec(v, 0);
}

struct Symbol {
    std::string_view text;
    Tok kind;
};
constexpr Symbol kSymbols[] = {
    {"×", Tok::Mul},   {"＋", Tok::Add},  {"+", Tok::Add},   {"－", Tok::Sub},
    {"-", Tok::Sub},   {"(", Tok::Open},  {"（", Tok::Open}, {"[", Tok::Open},
    {"［", Tok::Open}, {")", Tok::Close}, {"）", Tok::Close}, {"]", Tok::Close},
    {"］", Tok::Close},
};

// The first bytes of the symbols: "×" C3, the full-width ones EF.
bool MaySymbol(unsigned char c) {
    return c == 0xC3 || c == 0xEF || c == '+' || c == '-' || c == '(' || c == ')' || c == '[' ||
           c == ']';
}

bool IsBlank(std::string_view s, std::size_t at) {
    return s[at] == ' ' || StartsWith(s, at, kIdeoSpace);
}

// Splits a formula into numbers, operators, brackets and words. Digits that
// follow a letter belong to the word ("D10", "ｍ3"); blanks only separate.
// `out` is the caller's, kept from formula to formula.
void Tokenize(std::string_view s, std::vector<Token>& out) {
    out.clear();
    bool blank = true;
    for (std::size_t i = 0; i < s.size();) {
        if (IsBlank(s, i)) {
            i += s[i] == ' ' ? 1 : kIdeoSpace.size();
            blank = true;
            continue;
        }
        const bool inWord = !blank && !out.empty() && out.back().kind == Tok::Word;
        blank = false;
        if (!inWord)
            if (std::optional<Dec> n = ReadNumber(s, i)) {
                out.push_back({Tok::Num, {}, *n});
                continue;
            }
        if (std::optional<Dec> n = ReadWideDigits(s, i)) {
            out.push_back({Tok::Lit, {}, *n});
            continue;
        }
        // No symbol is the start of another: the first that fits is the one.
        const Symbol* symbol = nullptr;
        if (MaySymbol(static_cast<unsigned char>(s[i])))
            for (const Symbol& sym : kSymbols)
                if (s[i] == sym.text[0] && StartsWith(s, i, sym.text)) {
                    symbol = &sym;
                    break;
                }
        if (symbol) {
            out.push_back({symbol->kind, symbol->text, {}});
            i += symbol->text.size();
            continue;
        }
        const std::size_t n = CharLen(static_cast<unsigned char>(s[i]));
        // A word runs on with no blank between: it stays one piece of `s`.
        if (inWord)
            out.back().text = std::string_view(out.back().text.data(), out.back().text.size() + n);
        else
            out.push_back({Tok::Word, s.substr(i, n), {}});
        i += n;
    }
}

// ---------------------------------------------------------------- parser

struct Unreadable {};

// The quantities of the statement by their label, for formulas that name one
// without quoting it ("根切り量", "ＲＣ全量×70㎏／ｍ3"); the first of a label
// counts. A statement has a score of them.
using Named = std::vector<std::pair<std::string_view, Dec>>;

const Dec* FindNamed(const Named& named, std::string_view label) {
    for (const auto& [name, value] : named)
        if (name == label)
            return &value;
    return nullptr;
}

template <class N>
class Parser {
  public:
    using Interval = BasicInterval<N>;
    Parser(const std::vector<Token>& t, const Named& named) : t_(t), named_(named) {}

    Interval Formula() {
        Interval v = Expr();
        SkipLabels();
        if (i_ != t_.size())
            throw Unreadable{};
        return v;
    }

  private:
    bool At(Tok k) const { return i_ < t_.size() && t_[i_].kind == k; }

    Interval Expr() {
        Interval v = Term();
        while (At(Tok::Add) || At(Tok::Sub)) {
            const bool add = t_[i_++].kind == Tok::Add;
            const Interval r = Term();
            v = add ? v + r : v - r;
        }
        return v;
    }

    Interval Term() {
        Interval v = Factor();
        while (At(Tok::Mul)) {
            ++i_;
            v = v * Factor();
        }
        return v;
    }

    // A bracket holding only words is a label ("[延L]", "[GL以下]").
    bool LabelGroup() const {
        if (!At(Tok::Open))
            return false;
        for (std::size_t j = i_ + 1; j < t_.size(); ++j) {
            if (t_[j].kind == Tok::Close)
                return true;
            if (t_[j].kind != Tok::Word)
                return false;
        }
        return false;
    }

    void SkipLabels() {
        while (At(Tok::Word) || LabelGroup()) {
            if (At(Tok::Word))
                ++i_;
            else
                while (!At(Tok::Close))
                    ++i_;
            if (At(Tok::Close))
                ++i_;
        }
    }

    // Words and labels in front of a value name it.
    Interval Factor() {
        std::string_view name;
        while (At(Tok::Word) || LabelGroup()) {
            if (At(Tok::Word))
                name = t_[i_].text;
            SkipLabels();
        }
        if (At(Tok::Open))
            return Group(!name.empty());
        if (At(Tok::Num) || At(Tok::Sub) || At(Tok::Lit))
            return Primary(false);
        const Dec* value = FindNamed(named_, name);
        if (!value)
            throw Unreadable{};
        return Interval::Exact(As<N>(*value));
    }

    // A bracket after a name quoting one number is that quantity, exact;
    // any other bracket groups an expression.
    Interval Group(bool named) {
        ++i_;
        const std::size_t start = i_;
        Interval v;
        if (named && QuotedNumber()) {
            v = Primary(true);
        } else {
            i_ = start;
            v = Expr();
        }
        if (!At(Tok::Close))
            throw Unreadable{};
        ++i_;
        return v;
    }

    bool QuotedNumber() {
        std::size_t j = i_;
        if (j < t_.size() && t_[j].kind == Tok::Sub)
            ++j;
        return j + 1 < t_.size() && t_[j].kind == Tok::Num && t_[j + 1].kind == Tok::Close;
    }

    // A number: a printed size (half a centimetre either way), exact when
    // quoted or when it is a bar rate in kg per m³ (then in tonnes).
    Interval Primary(bool exact) {
        if (At(Tok::Lit))
            return Interval::Exact(As<N>(t_[i_++].value));
        const bool negative = At(Tok::Sub);
        if (negative)
            ++i_;
        if (!At(Tok::Num))
            throw Unreadable{};
        N v = As<N>(t_[i_++].value);
        if (negative)
            v = -v;
        if (At(Tok::Word) && t_[i_].text.starts_with("㎏／ｍ3")) {
            ++i_;
            return Interval::Exact(Thousandth(v));
        }
        if (exact)
            return Interval::Exact(v);
        return Interval::Around(v, As<N>(Dec(5, 3)));
    }

    const std::vector<Token>& t_;
    const Named& named_;
    std::size_t i_ = 0;
};

// ---------------------------------------------------------------- lines

// A quantity line's figure: the number just before its unit ("（ｍ3）").
std::optional<Dec> LineQuantity(std::string_view line, std::size_t& end) {
    for (std::size_t at = line.find("（"); at != std::string_view::npos;
         at = line.find("（", at + 1)) {
        const std::string_view unit = line.substr(at + std::string_view("（").size());
        if (!unit.starts_with("ｍ") && !unit.starts_with("ｔ") && !unit.starts_with("ヶ所"))
            continue;
        std::size_t start = at;
        while (start > 0 && (std::isdigit(static_cast<unsigned char>(line[start - 1])) ||
                             line[start - 1] == '.'))
            --start;
        if (start == at)
            continue;
        std::size_t i = start;
        std::optional<Dec> v = ReadNumber(line, i);
        if (!v || i != at)
            continue;
        if (start > 0 && line[start - 1] == '-')
            *v = -*v;
        end = at;
        return v;
    }
    return std::nullopt;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.starts_with(kIdeoSpace)))
        s.remove_prefix(s.front() == ' ' ? 1 : kIdeoSpace.size());
    return s;
}

// The label of a quantity line without its aligning blanks and colons:
// "根  切   量：" -> "根切量", "ＲＣ:全  量：" -> "ＲＣ全量".
std::string Label(std::string_view line) {
    line = line.substr(0, line.find("："));
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        if (IsBlank(line, i) || line[i] == ':') {
            i += line[i] == ' ' || line[i] == ':' ? 1 : kIdeoSpace.size();
            continue;
        }
        const std::size_t n = CharLen(static_cast<unsigned char>(line[i]));
        out += line.substr(i, n);
        i += n;
    }
    return out;
}

struct Entry {
    std::string label;
    Dec quantity;
    std::string formula;
    std::size_t line = 0; // index of the quantity line
};

// A sub-formula "(型枠全数量):=..." works out a quantity quoted in the line
// before it as "型枠全数量［  34.00］".
std::optional<Entry> SubFormula(std::string_view text, const Entry& before, std::size_t line) {
    const std::size_t close = text.find(")");
    if (!text.starts_with("(") || close == std::string_view::npos ||
        text.substr(close + 1, 2) != ":=")
        return std::nullopt;
    const std::string label(text.substr(1, close - 1));
    const std::size_t at = before.formula.find(label + "［");
    if (at == std::string::npos)
        return std::nullopt;
    std::size_t i = at + label.size() + std::string_view("［").size();
    while (i < before.formula.size() && before.formula[i] == ' ')
        ++i;
    const bool negative = i < before.formula.size() && before.formula[i] == '-';
    i += negative ? 1 : 0;
    std::optional<Dec> v = ReadNumber(before.formula, i);
    if (!v)
        return std::nullopt;
    return Entry{label, negative ? -*v : *v, std::string(text.substr(close + 3)), line};
}

// Groups the quantity lines with their formulas, which
// may stand on the line itself, on the next line, or go on with "+" or "＋".
std::vector<Entry> Entries(const std::vector<std::string>& lines) {
    std::vector<Entry> out;
    out.reserve(lines.size() / 2);
    bool open = false;
    for (std::size_t n = engine::statement::kFirstQuantity; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        const std::string_view text = TrimBlanks(line);
        if (text.empty()) {
            open = false;
            continue;
        }
        if (open && text.starts_with(":=") && out.back().formula.empty()) {
            out.back().formula = std::string(text.substr(2));
            continue;
        }
        if (open && (text.starts_with("+") || text.starts_with("＋")) &&
            !out.back().formula.empty()) {
            out.back().formula += std::string(text);
            continue;
        }
        if (open) {
            if (std::optional<Entry> sub = SubFormula(text, out.back(), n)) {
                out.push_back(*sub);
                continue;
            }
        }
        std::size_t end = 0;
        std::optional<Dec> q = LineQuantity(line, end);
        open = q.has_value();
        if (!q)
            continue;
        Entry e{Label(line), *q, std::string(), n};
        const std::size_t f = line.find(":=", end);
        if (f != std::string_view::npos)
            e.formula = std::string(line.substr(f + 2));
        out.push_back(std::move(e));
    }
    return out;
}

Named NamedQuantities(const std::vector<Entry>& entries) {
    Named named;
    named.reserve(entries.size() + 1);
    for (const Entry& e : entries)
        if (!FindNamed(named, e.label))
            named.emplace_back(e.label, e.quantity);
    const Dec* excavation = FindNamed(named, "根切量");
    if (excavation && !FindNamed(named, "根切り量"))
        named.emplace_back("根切り量", *excavation);
    return named;
}

// The base statement gives its bars as kilograms per base ("×65㎏／ヶ所"):
// the weight is that figure alone, whatever stands in front of it.
std::optional<Dec> PerPlace(std::string_view formula) {
    const std::size_t at = formula.find("㎏／ヶ所");
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t start = at;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(formula[start - 1])))
        --start;
    std::size_t i = start;
    std::optional<Dec> kg = ReadNumber(formula, i);
    if (!kg || i != at)
        throw Unreadable{};
    return kg->Thousandth();
}

Rat Reduced(const Rat& v) {
    return v;
}
Rat Reduced(const Dec& v) {
    return v.ToRat();
}

template <class N>
std::string Hundredths(const N& v) {
    return FormatHundredths(RoundHalfAway(Reduced(v) * Rat(100, 1)));
}

// Whether some value of `v` rounds half away from zero to `q` (0.01 steps):
// a positive q takes [q − 0.005, q + 0.005), a negative one (q − 0.005,
// q + 0.005], zero the open interval around it.
template <class N>
bool RoundsTo(const BasicInterval<N>& v, const N& q) {
    const N half = As<N>(Dec(5, 3)), zero;
    const N low = q - half, high = q + half;
    const bool fromBelow = zero < q ? low <= v.hi : low < v.hi;
    const bool fromAbove = q < zero ? v.lo <= high : v.lo < high;
    return fromBelow && fromAbove;
}

// Throws Overflow when a figure outgrows N.
template <class N>
std::optional<Finding> CheckAs(const Entry& e, const std::optional<Dec>& perPlace,
                               const std::vector<Token>& tokens, const Named& named) {
    const BasicInterval<N> v = perPlace ? BasicInterval<N>::Exact(As<N>(*perPlace))
                                        : Parser<N>(tokens, named).Formula();
    if (RoundsTo(v, As<N>(e.quantity)))
        return std::nullopt;
    const std::string range = v.lo == v.hi ? Hundredths(v.lo)
                                           : Hundredths(v.lo) + "～" + Hundredths(v.hi);
    return Finding{Level::Error, Check::Formula, e.label,
                   "明細の式の数字からは " + range + " になるはずですが、数量は " +
                       Hundredths(e.quantity) + " と書かれています（明細" +
                       std::to_string(e.line + 1) + "行目）。式と数量のどちらかが誤っています"};
}

std::optional<Finding> CheckEntry(const Entry& e, const Named& named) {
    if (e.formula.empty())
        return std::nullopt;
    try {
        const std::optional<Dec> perPlace = PerPlace(e.formula);
        thread_local std::vector<Token> tokens;
        tokens.clear();
        if (!perPlace)
            Tokenize(e.formula, tokens);
        try {
            return CheckAs<Dec>(e, perPlace, tokens, named);
        } catch (const Overflow&) {
        }
        return CheckAs<Rat>(e, perPlace, tokens, named);
    } catch (const Unreadable&) {
        return std::nullopt;
    } catch (const Overflow&) {
        return std::nullopt;
    }
}

} // namespace

namespace {

// A figure of the statement in hundredths: directly from its digits, through a
// fraction only when they are too many for that.
std::int64_t Cents(const Dec& figure) {
    try {
        return figure.Hundredths();
    } catch (const Overflow&) {
        return RoundHalfAway(figure.ToRat() * Rat(100, 1));
    }
}

std::vector<std::pair<std::string, std::int64_t>> Printed(const std::vector<Entry>& entries) {
    std::vector<std::pair<std::string, std::int64_t>> out;
    out.reserve(entries.size());
    try {
        for (const Entry& e : entries)
            out.emplace_back(e.label, Cents(e.quantity));
    } catch (const Overflow&) {
    }
    return out;
}

std::vector<Finding> Mismatches(const std::vector<Entry>& entries) {
    const Named named = NamedQuantities(entries);
    std::vector<Finding> out;
    for (const Entry& e : entries)
        if (std::optional<Finding> f = CheckEntry(e, named))
            out.push_back(std::move(*f));
    return out;
}

std::vector<Entry> EntriesOrNone(const std::vector<std::string>& lines) {
    try {
        return Entries(lines);
    } catch (const Overflow&) {
        return {};
    }
}

} // namespace

std::vector<std::pair<std::string, std::int64_t>>
StatementQuantities(const std::vector<std::string>& lines) {
    return Printed(EntriesOrNone(lines));
}

StatementReading ReadStatement(const std::vector<std::string>& lines) {
    const std::vector<Entry> entries = EntriesOrNone(lines);
    return {Printed(entries), Mismatches(entries)};
}

std::vector<Finding> CheckFormulas(const std::vector<std::string>& lines) {
    return Mismatches(EntriesOrNone(lines));
}

} // namespace checks
