// The priced estimate: the sample project priced with a small book against
// figures worked by hand (tests/data/estimate/small_book.working.md), the
// rounding table, books that are wrong in the ways estimators get them wrong,
// and reading that changes nothing.
#include "Cp932.h"
#include "Estimate.h"
#include "SummaryRun.h"
#include "Utf8.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString kData = QStringLiteral(YOHEKI_TESTDATA_DIR "/estimate");

summary::Table SampleTable() {
    return summary::Summarize(
        CalculateProject(QStringLiteral(YOHEKI_DATA_DIR) + U("/見本工事.Fa1"), std::nullopt, false)
            .items);
}

std::map<QString, estimate::Line> LinesByKey(const estimate::Estimate& e) {
    std::map<QString, estimate::Line> out;
    for (const auto& g : e.groups)
        for (const auto& l : g.lines)
            out[estimate::Canonical(l.key + u'|' + l.unit)] = l;
    return out;
}

TEST(EstimateTest, SampleProjectPricedAsWorkedByHand) {
    const auto book = estimate::ReadPriceBook(kData + U("/small_book.csv"));
    ASSERT_TRUE(book.problems.isEmpty()) << book.problems.join(u'\n').toStdString();
    const estimate::Estimate e = estimate::MakeEstimate(SampleTable(), book);

    struct Want { const char* key; std::int64_t posted; std::optional<std::int64_t> amount; };
    const Want want[] = {
        {"根切量|ｍ3", 9100, 180180},        {"埋戻し|ｍ3", 3200, 49760},
        {"不用土処分|ｍ3", 6800, {}},        {"砕石|ｍ3", 1110, 92496},
        {"ＲＣ全量|ｍ3", 4210, 1041975},     {"均しコン|ｍ3", 480, {}},
        {"普通型枠|ｍ2", 13500, 809865},     {"打放型枠|ｍ2", 6200, {}},
        {"異形鉄筋D10|ｔ", 122, 150617},     {"異形鉄筋D13|ｔ", 89, {}},
        {"異形鉄筋D10・D13合算|ｔ", 86, 106173},
        {"仕上：吹付タイル|ｍ2", 2220, 73992}, {"仕上：モルタル金鏝|ｍ", 4850, 37684},
        {"水抜ﾊﾟｲﾌﾟ|ヶ所", 900, 9000},        {"簡易山止 裏面|ｍ", 4300, 185803},
        {"簡易山止 表面|ｍ", 2500, {}},
    };
    const auto lines = LinesByKey(e);
    for (const Want& w : want) {
        const auto it = lines.find(estimate::Canonical(U(w.key)));
        ASSERT_NE(it, lines.end()) << w.key;
        EXPECT_EQ(it->second.posted, w.posted) << w.key;
        EXPECT_EQ(it->second.amount, w.amount) << w.key;
    }
    const std::map<QString, std::int64_t> subtotals = {
        {U("土工"), 229940},   {U("コンクリート工"), 1134471}, {U("型枠工"), 809865},
        {U("鉄筋工"), 256790}, {U("仕上工"), 111676},         {U("雑工"), 194803}};
    ASSERT_EQ(e.groups.size(), subtotals.size());
    QStringList order;
    for (const auto& g : e.groups) {
        order << g.kind;
        EXPECT_EQ(g.subtotal, subtotals.at(g.kind)) << g.kind.toStdString();
    }
    EXPECT_EQ(order.join(u','), U("土工,コンクリート工,型枠工,鉄筋工,仕上工,雑工"));
    EXPECT_EQ(e.direct, 2737545);
    ASSERT_TRUE(e.overhead && e.tax);
    EXPECT_EQ(e.overhead->amount, 342193);
    EXPECT_EQ(e.price, 3079738);
    EXPECT_EQ(e.tax->amount, 307973);
    EXPECT_EQ(e.total, 3387711);
    EXPECT_EQ(e.unpriced.size(), 15u);
    for (const auto& f : e.unpriced)
        EXPECT_EQ(f.level, checks::Level::Caution);
    EXPECT_TRUE(e.stopped.isEmpty());

    // The CSV carries the same figures, unformatted, for a spreadsheet.
    const QString csv = estimate::CsvText(e, U("見本工事"));
    for (const char* row : {",床掘り,バックホウ,91,ｍ3,1980,180180,", ",土工 小計,,,,,229940,",
                            "直接工事費,,,,,,2737545,", "諸経費,,,,,12.5%,342193,",
                            "工事費計,,,,,,3387711,", ",コンクリート,\"21-8-20, W/C55%\",42.1,"})
        EXPECT_TRUE(csv.contains(U(row))) << row;
}

TEST(EstimateTest, RoundingTable) {
    using estimate::Rounding;
    struct Case { std::int64_t in; int digits; Rounding how; std::int64_t out; };
    const Case cases[] = {
        {9088, 0, Rounding::HalfUp, 9100}, {9049, 0, Rounding::HalfUp, 9000},
        {9050, 0, Rounding::HalfUp, 9100}, {-9050, 0, Rounding::HalfUp, -9100},
        {1115, 1, Rounding::HalfUp, 1120}, {1119, 1, Rounding::Down, 1110},
        {1111, 1, Rounding::Up, 1120},     {1110, 1, Rounding::Up, 1110},
        {123456, -1, Rounding::HalfUp, 123000}, {208, 2, Rounding::Down, 208},
    };
    for (const Case& c : cases)
        EXPECT_EQ(estimate::RoundTo(c.in, c.digits, c.how), c.out) << c.in << " " << c.digits;
    EXPECT_EQ(estimate::AmountOf(-150, 1001), -1501); // cut towards zero, as ROUNDDOWN
    EXPECT_EQ(estimate::QuantityText(4850, 1), U("48.5"));
    EXPECT_EQ(estimate::YenText(-1234567), U("-1,234,567"));
}

// Each bad book names the file, the line and the column, and the rows that
// can be used still price.
TEST(EstimateTest, BadBooksAreReportedAndStillPrice) {
    const QByteArray head = "キー,工種,名称,規格,単位,単価,摘要\r\n";
    const QByteArray good = "根切量,土工,床掘り,,ｍ3,2000,\r\n";
    struct Case { const char* what; QByteArray utf8; bool cp932; const char* where; bool priced; };
    const Case cases[] = {
        {"missing column", "キー,名称,単位,単価\r\n根切量,床掘り,ｍ3,2000\r\n", true,
         "1行目：列がありません：工種、規格、摘要", true},
        {"no price column", "キー,工種,名称\r\n根切量,土工,床掘り\r\n", true, "1行目：列がありません：規格、単位、単価、摘要（単価は読めません）", false},
        {"not a number", head + good + "埋戻し,土工,埋戻し,,ｍ3,千円,\r\n", true,
         "3行目6列目（単価）：単価が数値ではありません「千円」", true},
        {"negative", head + good + "埋戻し,土工,埋戻し,,ｍ3,-100,\r\n", true,
         "3行目6列目（単価）：単価が負です「-100」", true},
        {"twice", head + good + "根切量,土工,床掘り,,ｍ3,9999,\r\n", true,
         "3行目1列目（キー）：キー「根切量」が二度あります（2行目を使います）", true},
        {"unknown key", head + good + "根切り量,土工,床掘り,,ｍ3,2000,\r\n", true,
         "3行目1列目（キー）：知らないキーです「根切り量」", true},
        {"wrong unit", head + good + "砕石,,,,ｍ2,2000,\r\n", true,
         "3行目5列目（単位）：「砕石」の単位はｍ3です「ｍ2」", true},
        {"BOM", "\xEF\xBB\xBF" + head + good, false, "1行目：UTF-8（BOM付き）", true},
        {"UTF-8", head + good, false, "1行目：UTF-8で保存されています", true},
        {"empty", "\r\n\r\n", true, "1行目：空のファイルです", false},
    };
    const summary::Table table = SampleTable();
    for (const Case& c : cases) {
        const QByteArray bytes =
            c.cp932 ? QByteArray::fromStdString(yoheki::cp932::Encode(c.utf8.toStdString()))
                    : c.utf8;
        const auto book = estimate::ParsePriceBook(bytes, U("/tmp/単価.csv"));
        ASSERT_FALSE(book.problems.isEmpty()) << c.what;
        // The file named as the system writes paths.
        EXPECT_TRUE(book.problems.join(u'\n').contains(
            U("単価表【") + QDir::toNativeSeparators(U("/tmp/単価.csv")) + U("】") + U(c.where)))
            << c.what << ": " << book.problems.join(u'\n').toStdString();
        const auto e = estimate::MakeEstimate(table, book);
        EXPECT_EQ(e.groups.front().lines.front().amount.has_value(), c.priced) << c.what;
        EXPECT_EQ(e.direct, c.priced ? 182000 : 0) << c.what;
        EXPECT_EQ(e.problems, book.problems) << c.what;
    }
}

TEST(EstimateTest, ReadingChangesNothingAndSavingReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(U("物件_単価.csv"));
    ASSERT_TRUE(QFile::copy(kData + U("/small_book.csv"), path));
    const auto digest = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
    };
    const QByteArray before = digest();
    const auto book = estimate::ReadPriceBook(path);
    estimate::MakeEstimate(SampleTable(), book);
    EXPECT_EQ(digest(), before);
    EXPECT_EQ(estimate::BookFor(dir.filePath(U("物件.Fa1")), QString()), path);

    ASSERT_FALSE(estimate::SavePriceBook(book, path).has_value());
    const auto again = estimate::ReadPriceBook(path);
    EXPECT_TRUE(again.problems.isEmpty()) << again.problems.join(u'\n').toStdString();
    EXPECT_EQ(estimate::MakeEstimate(SampleTable(), again).total, 3387711);
}

TEST(EstimateTest, DeliveredBookPricesEverySampleQuantity) {
    const auto book = estimate::ReadPriceBook(QStringLiteral(YOHEKI_DATA_DIR) + U("/単価表.csv"));
    EXPECT_TRUE(book.problems.isEmpty()) << book.problems.join(u'\n').toStdString();
    const auto e = estimate::MakeEstimate(SampleTable(), book);
    QStringList unpriced;
    for (const auto& f : e.unpriced)
        unpriced << QString::fromStdString(f.quantity);
    EXPECT_TRUE(unpriced.isEmpty()) << unpriced.join(u',').toStdString();
    EXPECT_FALSE(e.overhead.has_value());
    ASSERT_TRUE(e.tax.has_value());
}

} // namespace
