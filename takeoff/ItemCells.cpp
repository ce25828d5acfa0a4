#include "ItemCells.h"

#include "Checked.h"
#include "Error.h"

#include <cmath>
#include <cstdlib>

namespace takeoff::cells {

namespace {

using Q = engine::Quantities;

const std::vector<Column> kColumns = {
    {"名前", Kind::Name},
    {"構造", Kind::Mode},
    {"区分", Kind::Group},
    {"箇所数", Kind::Count},
    {"延べ長さ", Kind::Dimension, 1},
    {"仕上げ高[表]", Kind::Dimension, 2},
    {"仕上げ高[裏]", Kind::Dimension, 3},
    {"根入長", Kind::Dimension, 4},
    {"均しｺﾝ", Kind::Dimension, 5},
    {"砕石", Kind::Dimension, 6},
    {"ﾍﾞｰｽ幅", Kind::Dimension, 7},
    {"幅(W)", Kind::Dimension, 8},
    {"ﾍﾞｰｽ(B)", Kind::Dimension, 9},
    {"根切量", Kind::Quantity, 0, {&Q::excavation}, "ｍ3"},
    {"ＲＣ全量", Kind::Quantity, 0, {&Q::rcTotal}, "ｍ3"},
    {"型枠", Kind::Quantity, 0, {&Q::formOrdinary, &Q::fairFaced}, "ｍ2"},
    {"鉄筋", Kind::Quantity, 0, {&Q::barD10, &Q::barD13}, "ｔ"},
    {"備考", Kind::Remark},
};

std::string Hundredths(std::int64_t v) {
    const std::int64_t a = std::llabs(v);
    std::string cents = std::to_string(a % 100);
    std::string text = v < 0 ? "-" : "";
    text += std::to_string(a / 100);
    text += cents.size() < 2 ? ".0" : ".";
    return text + cents;
}

// Full-width digits and signs as a Japanese input method types them.
std::string Narrow(std::string_view text) {
    static const std::pair<const char*, char> wide[] = {
        {"＋", '+'}, {"－", '-'}, {"ー", '-'}, {"＊", '*'}, {"×", '*'}, {"／", '/'}, {"÷", '/'},
        {"（", '('}, {"）", ')'}, {"＝", '='}, {"．", '.'}, {"　", ' '}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\xEF\xBC") && rest.size() >= 3 &&
            static_cast<unsigned char>(rest[2]) >= 0x90 && static_cast<unsigned char>(rest[2]) <= 0x99) {
            out += static_cast<char>('0' + static_cast<unsigned char>(rest[2]) - 0x90);
            i += 3;
            continue;
        }
        bool matched = false;
        for (const auto& [from, to] : wide)
            if (rest.starts_with(from)) {
                out += to;
                i += std::string_view(from).size();
                matched = true;
                break;
            }
        if (!matched)
            out += text[i++];
    }
    return out;
}

// Arithmetic over decimal numbers by recursive descent; throws
// yoheki::Error with the reason.
class Expression {
  public:
    explicit Expression(std::string text) : s_(std::move(text)) {}
    long double Evaluate() {
        const long double v = Sum();
        Skip();
        if (i_ != s_.size())
            throw yoheki::Error("式を読めません（" + s_.substr(i_) + "）");
        return v;
    }

  private:
    void Skip() {
        while (i_ < s_.size() && s_[i_] == ' ')
            ++i_;
    }
    bool Take(char c) {
        Skip();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    long double Sum() {
        long double v = Product();
        for (;;) {
            if (Take('+'))
                v += Product();
            else if (Take('-'))
                v -= Product();
            else
                return Checked(v);
        }
    }
    long double Product() {
        long double v = Factor();
        for (;;) {
            if (Take('*')) {
                v *= Factor();
            } else if (Take('/')) {
                const long double d = Factor();
                if (d == 0)
                    throw yoheki::Error("0で割ることはできません");
                v /= d;
            } else {
                return Checked(v);
            }
        }
    }
    long double Factor() {
        if (Take('-'))
            return -Factor();
        if (Take('(')) {
            const long double v = Sum();
            if (!Take(')'))
                throw yoheki::Error("括弧が閉じていません");
            return v;
        }
        Skip();
        const std::size_t start = i_;
        while (i_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.'))
            ++i_;
        if (start == i_)
            throw yoheki::Error("数値がありません");
        return Checked(std::strtold(s_.substr(start, i_ - start).c_str(), nullptr));
    }
    static long double Checked(long double v) {
        if (!std::isfinite(v) || std::fabs(v) > 1e12L)
            throw yoheki::Error("値が大きすぎます");
        return v;
    }

    std::string s_;
    std::size_t i_ = 0;
};

} // namespace

const std::vector<Column>& Columns() {
    return kColumns;
}

bool HasDimension(const ItemRecord& item, int field) {
    switch (Mode(item)) {
    case engine::StructureMode::Base:
        return field != 3 && field != 8 && field != 9;
    case engine::StructureMode::Ditch:
        return field != 2 && field != 3;
    case engine::StructureMode::Wall:
        break;
    }
    return true;
}

std::int64_t Quantity(const Column& column, const Q& q) {
    std::int64_t sum = 0;
    for (auto field : column.quantities)
        sum = yoheki::Add(sum, q.*field);
    return sum;
}

std::string Text(const Column& column, const std::string& name, const ItemRecord& item,
                 const std::optional<Q>& q) {
    switch (column.kind) {
    case Kind::Name:
        return name;
    case Kind::Mode:
        return Mode(item) == engine::StructureMode::Base    ? "設備基礎"
               : Mode(item) == engine::StructureMode::Ditch ? "Ｕ型側溝"
                                                             : "Ｌ型擁壁";
    case Kind::Group:
        return item.group;
    case Kind::Count:
        return std::to_string(item.count);
    case Kind::Dimension:
        return HasDimension(item, column.field) ? item.REdit[column.field] : "";
    case Kind::Quantity:
        return q ? Hundredths(Quantity(column, *q)) : "";
    case Kind::Remark:
        return item.remark;
    }
    return "";
}

Typed TypedDimension(std::string_view typed) {
    std::string text = Narrow(typed);
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (text.empty())
        return {"", ""};
    const bool formula = text.front() == '=';
    long double mm = 0;
    try {
        if (!formula && text.find_first_not_of("0123456789") != std::string::npos)
            throw yoheki::Error("数値以外は入力できません");
        mm = Expression(formula ? text.substr(1) : text).Evaluate();
    } catch (const yoheki::Error& e) {
        return {"", "【" + std::string(typed) + "】は寸法になりません\n\r" + e.what()};
    }
    if (mm < 0)
        return {"", "【" + std::string(typed) + "】は負の寸法です"};
    // Whole millimetres, then 10 mm, each half away from zero.
    const auto whole = static_cast<std::int64_t>(std::llround(mm));
    if (whole > 99'999'990)
        return {"", "【" + std::string(typed) + "】は寸法として大きすぎます"};
    return {std::to_string((whole + 5) / 10 * 10), ""};
}

std::string SetCell(const Column& column, ItemRecord& item, std::string_view typed) {
    switch (column.kind) {
    case Kind::Group:
        item.group = std::string(typed);
        return "";
    case Kind::Remark:
        item.remark = std::string(typed);
        return "";
    case Kind::Count: {
        const auto count = ParseCount(typed);
        if (!count)
            return CountProblem(typed);
        item.count = *count;
        return "";
    }
    case Kind::Dimension: {
        if (!HasDimension(item, column.field))
            return std::string(column.header) + "はこの構造にはありません";
        const Typed t = TypedDimension(typed);
        if (!t.problem.empty())
            return std::string(column.header) + "：" + t.problem;
        item.REdit[column.field] = t.text;
        return "";
    }
    default:
        return std::string(column.header) + "は一覧では変えられません";
    }
}

} // namespace takeoff::cells
