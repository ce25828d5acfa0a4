// The checks of one item: quantities below zero, formulas that do not add
// up, and inputs an estimator would look at twice.
#include "Checks.h"

#include "Checked.h"
#include "Error.h"
#include "Interval.h"
#include "SBsCalc.h"
#include "StatementText.h"
#include "UJSCalc.h"
#include "YohCalc.h"

#include <algorithm>
#include <map>
#include <optional>

namespace checks {

namespace {

using engine::Quantities;
using Mode = engine::StructureMode;

const yoheki::MessageFn kSilent = [](const std::string&) {};

std::string Mm(std::int64_t v) {
    return std::to_string(v) + " ㎜";
}

// ---------------------------------------------------------------- inputs

// What each field means on the screen of each structure.
const char* FieldLabel(Mode mode, int edit) {
    static const std::map<int, const char*> wall = {
        {1, "延べ長さ"},        {2, "仕上げ高[表]"},      {3, "仕上げ高[裏]"},
        {4, "根入長"},          {5, "均しｺﾝ厚"},          {6, "砕石厚"},
        {7, "ﾍﾞｰｽ幅"},          {8, "立上り厚"},          {9, "ﾍﾞｰｽ厚"},
        {10, "水抜ﾊﾟｲﾌﾟﾋﾟｯﾁ"},  {11, "ＣＢ高さ"},          {12, "ﾍﾞｰｽ主筋ﾋﾟｯﾁ"},
        {13, "立上り縦筋ﾋﾟｯﾁ"}, {14, "ﾍﾞｰｽ配力筋ﾋﾟｯﾁ"},   {15, "立上り横筋ﾋﾟｯﾁ"},
        {17, "設計GLと平均GLの差"}};
    static const std::map<int, const char*> base = {
        {1, "ﾍﾞｰｽ長さ"}, {2, "地上高さ"}, {4, "根入長"}, {7, "ﾍﾞｰｽ幅"}};
    static const std::map<int, const char*> ditch = {
        {1, "延べ長さ"}, {4, "側溝高さ"}, {7, "側溝幅"}, {8, "側壁厚"}, {9, "底版厚"}};
    const auto& own = mode == Mode::Base ? base : mode == Mode::Ditch ? ditch : wall;
    if (auto it = own.find(edit); it != own.end())
        return it->second;
    return wall.at(edit);
}

// The fields the structure's calculation reads, in screen order.
std::vector<int> FieldsInUse(const engine::Snapshot& s, Mode mode) {
    std::vector<int> f;
    if (mode == Mode::Base)
        f = {1, 2, 4, 5, 6, 7};
    else if (mode == Mode::Ditch)
        f = {1, 4, 5, 6, 7, 8, 9};
    else
        f = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    if (mode == Mode::Wall && s.CheckBox2)
        f.push_back(10);
    if (mode == Mode::Wall && s.CheckBox3)
        f.push_back(11);
    if (s.CheckBox1) {
        f.insert(f.end(), {12, 14});
        if (mode != Mode::Base)
            f.insert(f.end(), {13, 15});
    }
    if (s.A1)
        f.push_back(17);
    return f;
}

// What the calculation read from the screen, read again without messages.
struct Item {
    const engine::Snapshot& s;
    const engine::CalcOutput& out;
    Mode mode;
    engine::Reader reader;
    // The statement's figures by label, in statement order; a few are asked for.
    const std::vector<std::pair<std::string, std::int64_t>>& printed;

    Item(const engine::Snapshot& snap, const engine::CalcOutput& o,
         const std::vector<std::pair<std::string, std::int64_t>>& figures)
        : s(snap), out(o), mode(o.quantities.mode), reader(snap, kSilent), printed(figures) {}
    const Quantities& q() const { return out.quantities; }
    std::int64_t mm(int edit) const { return reader.Mm(edit); }
    std::string Input(int edit) const { return std::string(FieldLabel(mode, edit)) + " " + Mm(mm(edit)); }
};

// ---------------------------------------------------------------- negative

// The inputs among `edits` typed below zero, as "根入長 -500 ㎜、…".
std::string NegativeInputs(const Item& it, const std::vector<int>& edits) {
    std::string out;
    for (int e : edits)
        if ((e != 17 || it.s.A1) && it.mm(e) < 0)
            out += (out.empty() ? "" : "、") + it.Input(e);
    return out;
}

std::string InputNames(const Item& it, const std::vector<int>& edits) {
    std::string out;
    for (int e : edits)
        if (e != 17 || it.s.A1)
            out += (out.empty() ? "" : "・") + std::string(FieldLabel(it.mode, e));
    return out;
}

// Why the pit has no depth or no width.
std::string ExcavationCause(const Item& it) {
    const engine::Reader& r = it.reader;
    const bool stepped = it.mode == Mode::Wall && it.s.N4 && it.mm(2) != it.mm(3);
    std::string out;
    const std::int64_t dt = yoheki::Add(it.mm(4), it.mm(5), it.mm(6));
    for (int side : {1, 2}) {
        if (side == 2 && !(stepped || it.mode == Mode::Ditch))
            continue;
        const std::int64_t d = yoheki::Round10(r.ExcavDepth(side));
        if (d >= 0)
            continue;
        out += std::string(side == 1 ? "表側" : "裏側") + "の根切り深さが " + Mm(d) +
               "：根入長＋均しｺﾝ＋砕石 " + Mm(dt) + " に対し";
        if (side == 2 && stepped)
            out += "、仕上げ高[表] " + Mm(it.mm(2)) + " と仕上げ高[裏] " + Mm(it.mm(3)) +
                   " の差（根入差）" + Mm(yoheki::Sub(std::max(it.mm(2), it.mm(3)), std::min(it.mm(2), it.mm(3))));
        if (it.s.A1)
            out += "、設計GLと平均GLの差 " + Mm(it.mm(17));
        out += " が大きすぎます。";
    }
    const std::int64_t x1 = yoheki::Round10(r.ExcavWidth(1)), x2 = yoheki::Round10(r.ExcavWidth(2));
    if (yoheki::Add(x1, x2, it.mm(7)) < 0)
        out += "根切り幅（余幅 " + Mm(x1) + "＋" + FieldLabel(it.mode, 7) + " " + Mm(it.mm(7)) +
               "＋余幅 " + Mm(x2) + "）が負です。";
    return out;
}

std::string BackfillCause(const Item& it) {
    const std::int64_t surplus = yoheki::Sub(it.q().excavation, it.q().backfill);
    return "砕石・均しｺﾝ・ＧＬ以下のコンクリートの合計 " + FormatHundredths(surplus) +
           " ｍ3 が根切量 " + FormatHundredths(it.q().excavation) +
           " ｍ3 を超えています。根切りの深さと余幅、根入長・設計GLと平均GLの差を確かめて下さい。";
}

std::string BelowGlCause(const Item& it);

std::string UpstandCause(const Item& it) {
    if (it.mode == Mode::Wall && yoheki::Add(it.mm(4), it.mm(2)) < it.mm(9))
        return "ﾍﾞｰｽ厚 " + Mm(it.mm(9)) + " が擁壁高さ（根入長＋仕上げ高[表]）" +
               Mm(yoheki::Add(it.mm(4), it.mm(2))) + " を超え、立上りの高さが負です。";
    if (it.mode == Mode::Ditch && it.mm(4) < it.mm(9))
        return "底版厚 " + Mm(it.mm(9)) + " が側溝高さ " + Mm(it.mm(4)) +
               " を超え、側壁の高さが負です。";
    return {};
}

// Imported backfill: all that is dug leaves the site.
std::string DisposalCause(const Item& it) {
    if (!it.s.K3)
        return "埋戻しに搬入土を使うため根切量をそのまま搬出します。根切量の原因を確かめて下さい。";
    return BelowGlCause(it);
}

std::string BelowGlCause(const Item& it) {
    if (it.s.A1 && it.mm(17) > it.mm(4))
        return "設計GLと平均GLの差 " + Mm(it.mm(17)) + " が根入長 " + Mm(it.mm(4)) +
               " を超えています。";
    return {};
}

std::string FormworkCause(const Item& it) {
    return "打放型枠 " + FormatHundredths(it.q().fairFaced) + " ｍ2 が型枠全数量 " +
           FormatHundredths(yoheki::Add(it.q().formOrdinary, it.q().fairFaced)) +
           " ｍ2 を超えています。仕上げ高と根入長を確かめて下さい。";
}

struct NegativeRule {
    const char* label;
    const char* unit;
    std::optional<std::int64_t> (*value)(const Item&);
    std::vector<int> edits[3]; // wall, base, ditch
    std::string (*cause)(const Item&);
};

template <std::int64_t Quantities::*F>
std::optional<std::int64_t> Field(const Item& it) {
    return it.q().*F;
}
template <const char* Label>
std::optional<std::int64_t> Printed(const Item& it) {
    // The first line of that label, as the statement's reader counts it.
    for (const auto& [label, value] : it.printed)
        if (label == Label)
            return value;
    return std::nullopt;
}
constexpr char kRcBase[] = "ＲＣﾍﾞｰｽ", kRcUp[] = "ＲＣ立上り", kRcBelow[] = "ＲＣ残土用",
               kFormTotal[] = "型枠全数量";

std::string NoCause(const Item&) {
    return {};
}

const std::vector<NegativeRule>& NegativeRules() {
    using Q = Quantities;
    static const std::vector<NegativeRule> rules = {
        {"根切量", "ｍ3", Field<&Q::excavation>, {{4, 5, 6, 2, 3, 17, 7}, {4, 5, 6, 17, 1, 7}, {4, 5, 6, 17, 7}},
         ExcavationCause},
        {"不用土処分", "ｍ3", Field<&Q::disposal>, {{1, 7, 5, 6, 4, 17}, {1, 7, 5, 6, 4, 17}, {1, 7, 5, 6, 4, 17}},
         DisposalCause},
        {"埋戻し", "ｍ3", Field<&Q::backfill>, {{}, {}, {}}, BackfillCause},
        {"砕石", "ｍ3", Field<&Q::stone>, {{1, 7, 6}, {1, 7, 6}, {1, 7, 6}}, NoCause},
        {"均しコン", "ｍ3", Field<&Q::levelling>, {{1, 7, 5}, {1, 7, 5}, {1, 7, 5}}, NoCause},
        {"ＲＣ全量", "ｍ3", Field<&Q::rcTotal>, {{1, 7, 9, 8, 4, 2}, {1, 7, 2, 4}, {1, 7, 9, 8, 4}},
         UpstandCause},
        {kRcBase, "ｍ3", Printed<kRcBase>, {{1, 7, 9}, {1, 7, 2, 4}, {1, 7, 9}}, NoCause},
        {kRcUp, "ｍ3", Printed<kRcUp>, {{1, 8, 4, 2, 9}, {}, {1, 8, 4, 9}}, UpstandCause},
        {kRcBelow, "ｍ3", Printed<kRcBelow>, {{1, 7, 8, 4, 17}, {1, 7, 4, 17}, {1, 7, 4, 17}},
         BelowGlCause},
        {kFormTotal, "ｍ2", Printed<kFormTotal>, {{1, 2, 4}, {1, 7, 2, 4}, {1, 4, 9}}, NoCause},
        {"普通型枠", "ｍ2", Field<&Q::formOrdinary>, {{}, {}, {}}, FormworkCause},
        {"打放型枠", "ｍ2", Field<&Q::fairFaced>, {{1, 2, 3}, {1, 7, 2}, {1, 4, 9}}, NoCause},
        {"異形鉄筋D10", "ｔ", Field<&Q::barD10>, {{1, 7, 9, 8, 4, 2}, {1, 7, 2, 4}, {1, 7, 9, 8, 4}},
         NoCause},
        {"異形鉄筋D13", "ｔ", Field<&Q::barD13>, {{1, 7, 9, 8, 4, 2}, {1, 7, 2, 4}, {1, 7, 9, 8, 4}},
         NoCause},
        {"異形鉄筋D10・D13合算", "ｔ", Field<&Q::barMerged>,
         {{1, 7, 9, 8, 4, 2}, {1, 7, 2, 4}, {1, 7, 9, 8, 4}}, NoCause},
    };
    return rules;
}

std::string NegativeText(const Item& it, const std::string& label, const char* unit,
                         std::int64_t v, const std::vector<int>& edits, const std::string& cause) {
    std::string text = label + "が負の値 " + FormatHundredths(v) + " " + unit + " です。";
    if (!cause.empty())
        return text + cause;
    const std::string negative = NegativeInputs(it, edits);
    if (!negative.empty())
        return text + "負の入力があります：" + negative + "。";
    if (!edits.empty())
        return text + InputNames(it, edits) + " の入力を確かめて下さい。";
    return text + "寸法の入力を確かめて下さい。";
}

void CheckNegative(const Item& it, std::vector<Finding>& out) {
    if (it.mm(1) < 0) {
        out.push_back({Level::Error, Check::Negative, FieldLabel(it.mode, 1),
                       std::string(FieldLabel(it.mode, 1)) + "が負の値 " + Mm(it.mm(1)) +
                           " です。すべての数量が負になります。長さを正の値で入力して下さい。"});
        return;
    }
    const int m = engine::ModeDigit(it.mode) - 1;
    for (const NegativeRule& rule : NegativeRules()) {
        const std::optional<std::int64_t> v = rule.value(it);
        if (v && *v < 0)
            out.push_back({Level::Error, Check::Negative, rule.label,
                           NegativeText(it, rule.label, rule.unit, *v, rule.edits[m], rule.cause(it))});
    }
    for (const Quantities::Finish& f : it.q().finishes)
        if (f.value < 0)
            out.push_back({Level::Error, Check::Negative, f.kind,
                           NegativeText(it, f.kind, f.unit.c_str(), f.value,
                                        it.mode == Mode::Wall ? std::vector<int>{1, 2, 3, 11}
                                                     : std::vector<int>{1, 2, 4, 7},
                                        {})});
}

// ---------------------------------------------------------------- cautions

// Kilograms of bar per m³ of concrete, as the pitches give them.
std::optional<std::int64_t> BarRate(const Item& it) {
    if (!it.s.CheckBox1)
        return std::nullopt;
    const engine::Reader& r = it.reader;
    engine::TSR_CL_L bar;
    int kind = engine::ModeDigit(it.mode);
    if (it.mode == Mode::Base) {
        engine::sbs::Dims d = engine::sbs::ReadDims(r);
        bar = engine::sbs::FillRebar(r, d);
    } else if (it.mode == Mode::Ditch) {
        engine::ujs::Dims d = engine::ujs::ReadDims(r);
        bar = engine::ujs::FillRebar(r, d);
    } else {
        engine::yoh::Dims d = engine::yoh::ReadDims(r);
        engine::yoh::ReadExcavation(r, d);
        bar = engine::UpstandRebar(r, d.Bw, d.Bt, d.W, yoheki::Sub(d.Hw, d.Bt));
        kind = 1;
    }
    bar.CalcRebar(kind, kSilent);
    const std::int64_t kg = yoheki::Add(bar.ResultD10, bar.ResultD13);
    if (it.mode != Mode::Base)
        return kg;
    // A base's bars are kilograms for the whole base.
    if (it.q().rcTotal <= 0)
        return std::nullopt;
    return RoundHalfAway(Rat(yoheki::Mul(kg, 100), it.q().rcTotal));
}

void CheckBarRate(const Item& it, std::vector<Finding>& out) {
    const std::optional<std::int64_t> rate = BarRate(it);
    if (!rate || (*rate >= 20 && *rate <= 250))
        return;
    out.push_back({Level::Caution, Check::BarRate, "鉄筋量",
                   "配筋から求めた鉄筋量が " + std::to_string(*rate) +
                       " ㎏／ｍ3 です（通常は 20～250 ㎏／ｍ3）。ピッチ・鉄筋径・複筋の指定を確かめて下さい。"});
}

void CheckPipes(const Item& it, std::vector<Finding>& out) {
    if (it.mode != Mode::Wall || !it.s.CheckBox2 || it.q().pipes > 0)
        return;
    out.push_back({Level::Caution, Check::Pipes, "水抜ﾊﾟｲﾌﾟ",
                   "水抜きﾊﾟｲﾌﾟにチェックがありますが 0 ヶ所です（延べ長さ " + Mm(it.mm(1)) +
                       "、ピッチ " + Mm(it.mm(10)) + "）。ピッチを確かめて下さい。"});
}

void CheckThickness(const Item& it, std::vector<Finding>& out) {
    if (it.mode == Mode::Base)
        return;
    const std::int64_t w = it.mm(8), b = it.mm(9), e = it.mm(4);
    const std::int64_t height = it.mode == Mode::Wall ? yoheki::Add(e, it.mm(2)) : e;
    const std::string wall = FieldLabel(it.mode, 8), base = FieldLabel(it.mode, 9);
    if (w > b)
        out.push_back({Level::Caution, Check::UpstandThick, wall,
                       wall + " " + Mm(w) + " が" + base + " " + Mm(b) +
                           " より厚くなっています。入力欄の取り違えがないか確かめて下さい。"});
    if (b > height)
        out.push_back({Level::Caution, Check::BaseThick, base,
                       base + " " + Mm(b) + " が" +
                           (it.mode == Mode::Wall ? "擁壁高さ（根入長＋仕上げ高[表]）" : "側溝高さ ") +
                           Mm(height) + " より厚くなっています。"});
}

// The typed number, when the text is a whole number at all.
std::optional<std::int64_t> Typed(const std::string& text) {
    bool bad = false;
    const std::int64_t v = yoheki::StrToMm(text, [&bad](const std::string&) { bad = true; });
    (void)v;
    if (bad)
        return std::nullopt;
    return yoheki::StrToInt(text);
}

void CheckFields(const Item& it, std::vector<Finding>& out) {
    for (int e : FieldsInUse(it.s, it.mode)) {
        const std::string& text = it.s.REdit[static_cast<std::size_t>(e)];
        const std::string label = FieldLabel(it.mode, e);
        const std::optional<std::int64_t> typed = Typed(text);
        if (!typed) {
            out.push_back({Level::Caution, Check::ZeroField, label,
                           label + (text.empty() ? " が空欄のため" : " の「" + text + "」は数値でないため") +
                               " 0 ㎜ として計算しました。"});
        } else if (it.mm(e) != *typed) {
            out.push_back({Level::Caution, Check::Rounded, label,
                           label + " は 10 ㎜ 単位に丸めて " + Mm(*typed) + " を " + Mm(it.mm(e)) +
                               " として計算しました。"});
        }
    }
}

// ---------------------------------------------------------------- shapes

// The caption beside a dimension field, where it differs from what the field
// means on this structure's screen: "側壁厚（幅(W)）".
std::string Named(Mode mode, int edit) {
    static const char* const captions[] = {"",       "延べ長さ", "仕上げ高[表]", "仕上げ高[裏]",
                                           "根入長", "均しｺﾝ",   "砕石",         "ﾍﾞｰｽ幅",
                                           "幅(W)",  "ﾍﾞｰｽ(B)"};
    const std::string label = FieldLabel(mode, edit);
    if (edit < 1 || edit > 9 || label == captions[edit])
        return label;
    return label + "（" + captions[edit] + "）";
}

// Sections that cannot be built, whatever the quantities say.
void CheckShape(const Item& it, std::vector<Finding>& out) {
    if (it.mode == Mode::Ditch) {
        const std::int64_t both = yoheki::Mul(it.mm(8), 2);
        if (both >= it.mm(7))
            out.push_back({Level::Error, Check::Shape, FieldLabel(Mode::Ditch, 8),
                           Named(Mode::Ditch, 8) + " " + Mm(it.mm(8)) + " の側壁 2 枚で " + Mm(both) + " が" +
                               Named(Mode::Ditch, 7) + " " + Mm(it.mm(7)) + " 以上あり、内幅が " +
                               Mm(yoheki::Sub(it.mm(7), both)) +
                               " になります。側溝幅と側壁厚を確かめて下さい。"});
        return;
    }
    if (it.mode != Mode::Wall)
        return;
    if (it.mm(9) == 0)
        out.push_back({Level::Error, Check::Shape, FieldLabel(Mode::Wall, 9),
                       Named(Mode::Wall, 9) + " が 0 ㎜ です。ベースのないＬ型擁壁は造れません。"});
    if (it.mm(7) <= it.mm(8))
        out.push_back({Level::Error, Check::Shape, FieldLabel(Mode::Wall, 7),
                       Named(Mode::Wall, 7) + " " + Mm(it.mm(7)) + " が" + Named(Mode::Wall, 8) + " " +
                           Mm(it.mm(8)) + " 以下で、ベースが立上りの外に出ません。" +
                           "ベース幅と立上り厚を確かめて下さい。"});
}

// A finish row without a name cannot be ordered or priced.
void CheckFinishNames(const Item& it, std::vector<Finding>& out) {
    for (const Quantities::Finish& f : it.q().finishes)
        if (f.name.empty())
            out.push_back({Level::Caution, Check::FinishName, f.kind,
                           "拾い「" + it.s.ComboBox[1] + "」の" + f.kind + "に仕上名がありません（" +
                               FormatHundredths(f.value) + " " + f.unit +
                               "）。仕上を選ぶか、不要なら数量を確かめて下さい。"});
}

// The typed values among `edits` at or below zero, as "仕上げ高[表] 0 ㎜、…".
std::string NotPositive(Mode mode, const engine::Reader& r, const std::vector<int>& edits) {
    std::string out;
    for (int e : edits)
        if (r.Mm(e) <= 0)
            out += (out.empty() ? "" : "、") + Named(mode, e) + " " + Mm(r.Mm(e));
    return out;
}

std::string Flat(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

std::vector<Finding> CheckItem(const engine::Snapshot& snapshot, const engine::CalcOutput& out) {
    std::vector<Finding> found;
    try {
        StatementReading reading = ReadStatement(out.lines);
        const Item it(snapshot, out, reading.quantities);
        CheckNegative(it, found);
        for (Finding& f : reading.mismatches)
            found.push_back(std::move(f));
        CheckBarRate(it, found);
        CheckPipes(it, found);
        CheckThickness(it, found);
        CheckFields(it, found);
        CheckShape(it, found);
        CheckFinishNames(it, found);
    } catch (const yoheki::Error&) {
        // A figure too large for the checks' own arithmetic: what was found
        // so far stands, the rest is left unchecked.
    }
    std::stable_partition(found.begin(), found.end(),
                          [](const Finding& f) { return f.level == Level::Error; });
    return found;
}

// The wall's back stands 100 ㎜ below its top at least; a ditch is at least
// 100 ㎜ high. The run stops on its own message; this says which inputs.
std::vector<Finding> CheckStopped(const engine::Snapshot& s) {
    const Mode mode = engine::ModeOf(s);
    if (mode == Mode::Base)
        return {};
    const engine::Reader r(s, kSilent);
    std::string text;
    std::vector<int> edits;
    if (mode == Mode::Ditch) {
        if (r.Mm(4) >= 100)
            return {};
        text = Named(Mode::Ditch, 4) + " " + Mm(r.Mm(4)) + " が 100 ㎜ に足りず、側溝の高さが取れません。";
        edits = {4};
    } else {
        const std::int64_t high = yoheki::Add(r.Mm(4), r.Mm(2)), need = yoheki::Add(r.Mm(3), 100);
        if (need <= high)
            return {};
        text = "擁壁高さ（根入長 " + Mm(r.Mm(4)) + "＋仕上げ高[表] " + Mm(r.Mm(2)) + "）" +
               Mm(high) + " が仕上げ高[裏] " + Mm(r.Mm(3)) + "＋100 ㎜ に足りず、断面が低すぎます。";
        edits = {2, 4, 3};
    }
    const std::string low = NotPositive(mode, r, edits);
    text += low.empty() ? "仕上げ高と根入長を確かめて下さい。" : "0 以下の入力：" + low + "。";
    return {{Level::Error, Check::TooLow, "裏面高さ", text}};
}

std::vector<int> UnreadableFields(const engine::Snapshot& s) {
    std::vector<int> out;
    for (int e : FieldsInUse(s, engine::ModeOf(s)))
        if (!Typed(s.REdit[static_cast<std::size_t>(e)]))
            out.push_back(e);
    return out;
}

std::string LevelName(Level level) {
    return level == Level::Error ? "エラー" : "注意";
}

std::string CheckName(Check check) {
    switch (check) {
    case Check::Negative:
        return "負の数量";
    case Check::Formula:
        return "式と数量の不一致";
    case Check::BarRate:
        return "鉄筋量";
    case Check::Pipes:
        return "水抜ﾊﾟｲﾌﾟ0ヶ所";
    case Check::UpstandThick:
        return "立上りがﾍﾞｰｽより厚い";
    case Check::BaseThick:
        return "ﾍﾞｰｽが高さより厚い";
    case Check::Rounded:
        return "10㎜丸め";
    case Check::ZeroField:
        return "空欄を0";
    case Check::Shape:
        return "造れない形";
    case Check::TooLow:
        return "断面が低すぎる";
    case Check::FinishName:
        return "仕上名なし";
    case Check::Unpriced:
        return "単価なし";
    }
    return {};
}

std::string FindingLine(const Finding& f) {
    return Flat("［" + LevelName(f.level) + "］" + f.quantity + "：" + f.text);
}

std::string FindingFields(const Finding& f) {
    return LevelName(f.level) + "\t" + Flat(f.quantity) + "\t" + Flat(f.text);
}

bool HasError(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.level == Level::Error; });
}

} // namespace checks
