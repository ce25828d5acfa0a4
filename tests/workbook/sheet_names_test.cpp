// Item names mapped onto sheet names, and statement lines split into cells.
#include "SheetNames.h"
#include "StatementCells.h"
#include "Utf8.h"

#include <gtest/gtest.h>

using namespace workbook;

namespace {

QStringList L(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out << U(t);
    return out;
}

} // namespace

TEST(SheetNames, MapsAwkwardNamesAndNumbersClashes) {
    const QString long40(40, u'長');
    struct Case {
        QStringList names, expected;
    } cases[] = {
        {L({"A/B", "x[1]", "a:b*c?d\\e"}), L({"A／B", "x［1］", "a：b＊c？d＼e"})},
        {L({"abc", "ABC", "Abc"}), L({"abc", "ABC(2)", "Abc(3)"})},
        {L({"ａｂｃ", "ＡＢＣ", "abc"}), L({"ａｂｃ", "ＡＢＣ(2)", "abc(3)"})},
        {L({"ひらがな", "ヒラガナ", "ﾋﾗｶﾞﾅ"}), L({"ひらがな", "ヒラガナ(2)", "ﾋﾗｶﾞﾅ(3)"})},
        {L({"A/B", "A／B"}), L({"A／B", "A／B(2)"})},
        {L({"数量総括表", "仕上集計", "history"}),
         L({"数量総括表(2)", "仕上集計(2)", "history(2)"})},
        {L({"'quoted'", "it's"}), L({"’quoted’", "it's"})},
        {L({""}), L({"拾い"})},
        {L({"A1", "123", "R1C1", "rc", "TRUE", "Sheet1", "x.1", "A1通り"}),
         L({"Ａ１", "１２３", "Ｒ１Ｃ１", "ｒｃ", "ＴＲＵＥ", "Sheet1", "x.1", "A1通り"})},
        {{long40, long40 + u'x', long40.left(31)},
         {long40.left(31), long40.left(28) + U("(2)"), long40.left(28) + U("(3)")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetNames(c.names, L({"数量総括表", "仕上集計"})), c.expected)
            << c.names.join(u'|').toStdString();
}

TEST(StatementCells, SplitsQuantityLinesIntoLabelQuantityUnitAndFormula) {
    struct Case {
        const char* line;
        const char* label;
        std::int64_t value;
        bool count;
        const char* unit;
        const char* formula;
    } cases[] = {
        {"根  切   量：  16.25（ｍ3）", "根  切   量", 1625, false, "ｍ3", ""},
        {"砕       石：   1.60（ｍ3）　:=   1.60×   0.10×  10.00", "砕       石", 160, false, "ｍ3",
         ":=   1.60×   0.10×  10.00"},
        {"     ＲＣ:ﾍﾞ ｰ ｽ：   4.50（ｍ3）:=   1.50×   0.30×  10.00", "     ＲＣ:ﾍﾞ ｰ ｽ", 450,
         false, "ｍ3", ":=   1.50×   0.30×  10.00"},
        {"不用土 処分：   7.30（ｍ3）　［場外搬出］", "不用土 処分", 730, false, "ｍ3",
         "［場外搬出］"},
        {"天端仕上：コン鏝 :   10.00（ｍ）[Ｗ 200]", "天端仕上：コン鏝", 1000, false, "ｍ",
         "[Ｗ 200]"},
        {"異形鉄筋D10,13：   0.51（ｔ）　 :=ＲＣ全量×70㎏／ｍ3", "異形鉄筋D10,13", 51, false, "ｔ",
         ":=ＲＣ全量×70㎏／ｍ3"},
        {"水抜ﾊﾟｲﾌﾟ：9（ヶ所）", "水抜ﾊﾟｲﾌﾟ", 9, true, "ヶ所", ""},
        {"埋  戻  し ：  -0.05（ｍ3）", "埋  戻  し", -5, false, "ｍ3", ""},
        {"延べ数量：1234567.89（ｍ）", "延べ数量", 123456789, false, "ｍ", ""},
    };
    for (const Case& c : cases) {
        const auto cells = SplitQuantityLine(U(c.line));
        ASSERT_TRUE(cells) << c.line;
        EXPECT_EQ(cells->label, U(c.label)) << c.line;
        EXPECT_EQ(cells->value, c.value) << c.line;
        EXPECT_EQ(cells->count, c.count) << c.line;
        EXPECT_EQ(cells->unit, U(c.unit)) << c.line;
        EXPECT_EQ(cells->formula, U(c.formula)) << c.line;
    }
    EXPECT_DOUBLE_EQ(CellValue(*SplitQuantityLine(U("埋戻し：  -0.05（ｍ3）"))), -0.05);
    EXPECT_DOUBLE_EQ(CellValue(*SplitQuantityLine(U("水抜ﾊﾟｲﾌﾟ：12（ヶ所）"))), 12.0);
}

TEST(StatementCells, LeavesLinesWithoutAQuantityWhole) {
    for (const char* line : {"【物件名：見本工事】", "数量：１（ヶ所当り）", "配筋", "",
                             "　　　　　　　　　　　　　　 :=[延L]   2.50×[D]   0.65×[H]  10.00",
                             "根切要項：積算基準による", " 　ベ ース　主　筋：D10,13@200(S)"})
        EXPECT_FALSE(SplitQuantityLine(U(line))) << line;
}
