// The inputs of an item that moved between two revisions, named as the main
// window names its fields, check boxes and condition menus.
#include "Compare.h"
#include "Utf8.h"

#include <QRegularExpression>

namespace compare {

namespace {

using takeoff::ItemRecord;

// A menu caption without its accelerator: "積算基準(&S)" -> "積算基準".
QString Bare(const char* caption) {
    static const QRegularExpression accel(QStringLiteral("\\(&.\\)$"));
    return U(caption).remove(accel);
}

QString Shown(const std::string& text) {
    return text.empty() ? U("（空欄）") : QString::fromStdString(text);
}

QString Line(const QString& label, const QString& before, const QString& after) {
    return label + u' ' + before + U(" → ") + after;
}

void Text(QStringList& out, const char* label, const std::string& a, const std::string& b) {
    if (a != b)
        out << Line(U(label), Shown(a), Shown(b));
}

void Flag(QStringList& out, const char* label, bool a, bool b) {
    if (a != b)
        out << Line(U(label), U(a ? "有" : "無"), U(b ? "有" : "無"));
}

// A condition group: its menu caption and its entries in code order.
struct Condition {
    const char* menu;
    std::vector<const char*> entries;
    int ItemRecord::*code;
};

const std::vector<Condition>& Conditions() {
    static const std::vector<Condition> list = {
        {"根切要項(&B)",
         {"積算基準(&S)", "余幅のみ[500](&Y)", "60度勾配[+500](&6)", "45度勾配[+500](&4)"},
         &ItemRecord::Ne},
        {"埋戻し土(&S)", {"根切り土使用(&K)", "搬入土(山砂等使用)(&M)"}, &ItemRecord::Ps},
        {"地業出幅(&A)", {"出幅=100(&1)", "出幅=50(&5)", "出幅=0(&0)"}, &ItemRecord::Ad},
        {"簡易山止(&K)", {"なし(&N)", "表面のみ(&H)", "裏面のみ(&U)", "両面(&R)"}, &ItemRecord::Sr},
        {"ﾀｲﾙ･塗装等下地(&T)",
         {"打放補修(&V)", "モルタル(&M)", "特殊下地：打放有(&1)", "特殊下地：打放無(&2)"},
         &ItemRecord::Sh},
    };
    return list;
}

QString Entry(const Condition& c, int code) {
    if (code < 1 || code > static_cast<int>(c.entries.size()))
        return U("（未選択）");
    return Bare(c.entries[static_cast<std::size_t>(code - 1)]);
}

void Conditions(QStringList& out, const ItemRecord& a, const ItemRecord& b) {
    for (const Condition& c : Conditions())
        if (a.*c.code != b.*c.code)
            out << Line(Bare(c.menu), Entry(c, a.*c.code), Entry(c, b.*c.code));
    if (a.embedDiff != b.embedDiff) {
        const auto entry = [](bool on) { return U(on ? "根入差：有" : "根入差：無"); };
        out << Line(Bare("根入差有無(&N)"), entry(a.embedDiff), entry(b.embedDiff));
    }
    Flag(out, "根切ﾗｲﾝ差異", a.level, b.level);
    if (a.level && b.level)
        Text(out, "設計GLと平均GLの差", a.REdit[17], b.REdit[17]);
}

QString Bars(int index) {
    const char* names[] = {"D10", "D10,13", "D13"};
    return index >= 0 && index < 3 ? U(names[index]) : U("（未選択）");
}

void Reinforcement(QStringList& out, const ItemRecord& a, const ItemRecord& b) {
    Flag(out, "鉄筋計算", a.rebar, b.rebar);
    if (!a.rebar && !b.rebar)
        Text(out, "鉄筋歩掛(㎏/m³)", a.REdit[18], b.REdit[18]);
    if (!a.rebar || !b.rebar)
        return;
    struct Group {
        const char* caption;
        int ItemRecord::*bars;
        const char* pitchLabel;
        int pitch;
    };
    const Group groups[] = {
        {"ベース筋(主)", &ItemRecord::RG_BL, "(主)ﾋﾟｯﾁ(＠)", 12},
        {"ベース筋(配)", &ItemRecord::RG_HL, "(配)ﾋﾟｯﾁ(＠)", 14},
        {"立上り(ﾀﾃ)", &ItemRecord::RG_TL, "(ﾀﾃ)ﾋﾟｯﾁ(＠)", 13},
        {"立上り(ﾖｺ)", &ItemRecord::RG_YL, "(ﾖｺ)ﾋﾟｯﾁ(＠)", 15},
    };
    for (const Group& g : groups) {
        if (a.*g.bars != b.*g.bars)
            out << Line(U(g.caption), Bars(a.*g.bars), Bars(b.*g.bars));
        Text(out, g.pitchLabel, a.REdit[g.pitch], b.REdit[g.pitch]);
    }
    Flag(out, "ﾍﾞｰｽ：複筋", a.baseDouble, b.baseDouble);
    Flag(out, "立上り：複筋", a.upDouble, b.upDouble);
}

void Extras(QStringList& out, const ItemRecord& a, const ItemRecord& b) {
    Flag(out, "水抜きﾊﾟｲﾌﾟ", a.pipes, b.pipes);
    if (a.pipes && b.pipes)
        Text(out, "水抜きﾊﾟｲﾌﾟ間隔", a.REdit[10], b.REdit[10]);
    Flag(out, "ＣＢの有無", a.blocks, b.blocks);
    if (!a.blocks || !b.blocks)
        return;
    Text(out, "ＣＢ高さ", a.REdit[11], b.REdit[11]);
    Text(out, "ＣＢ幅", a.REdit[16], b.REdit[16]);
    Text(out, "ＣＢ仕上[表面]", a.blockFront, b.blockFront);
    Text(out, "ＣＢ仕上[裏面]", a.blockBack, b.blockBack);
    Text(out, "ＣＢ仕上[天端]", a.blockTop, b.blockTop);
}

} // namespace

QStringList ChangedInputs(const ItemRecord& a, const ItemRecord& b) {
    QStringList out;
    const char* labels[] = {"延べ長さ", "仕上げ高[表]", "仕上げ高[裏]", "根入長", "均しｺﾝ",
                            "砕石",     "ﾍﾞｰｽ幅",       "幅(W)",        "ﾍﾞｰｽ(B)"};
    for (int n = 1; n <= 9; ++n)
        Text(out, labels[n - 1], a.REdit[static_cast<std::size_t>(n)],
             b.REdit[static_cast<std::size_t>(n)]);
    Text(out, "仕上[表面]", a.front, b.front);
    Text(out, "仕上[裏面]", a.back, b.back);
    Text(out, "仕上[天端]", a.top, b.top);
    Reinforcement(out, a, b);
    Extras(out, a, b);
    Conditions(out, a, b);
    Text(out, "箇所数", std::to_string(a.count), std::to_string(b.count));
    Text(out, "区分", a.group, b.group);
    return out;
}

} // namespace compare
