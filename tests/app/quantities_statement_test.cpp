// The quantities a calculation hands to the summary are the numbers its
// statement shows, for every structure and whatever was typed: the summary
// can never disagree with the statements.
#include "Calc.h"
#include "Error.h"
#include "StatementNumbers.h"
#include "Summary.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const char* const kSizes[] = {"",    "0",    "-5",   "50",    "100",  "150",   "300",
                              "600", "1200", "1800", "10000", "-800", "25000", "12.5"};
const char* const kFinishes[] = {"",       "打放補修",   "吹付タイル",   "モルタル金鏝",
                                 "打放し", "撥水剤塗布", "磁器タイル張", "コン鏝"};

class Source {
  public:
    explicit Source(unsigned seed) : rng_(seed) {}

    engine::Snapshot Next(int mode) {
        engine::Snapshot s;
        for (int i = 1; i <= 18; ++i)
            s.REdit[i] = Range(0, 2) ? std::to_string(Range(-200, 3000) * 10) : Pick(kSizes);
        s.REdit[1] = std::to_string(Range(-20, 300) * 100); // never stopped for want of a length
        s.ComboBox[1] = "item";
        for (int i = 2; i <= 4; ++i)
            s.ComboBox[i] = Pick(kFinishes);
        s.CB_H = Pick(kFinishes);
        s.CB_U = Pick(kFinishes);
        s.CB_T = Pick(kFinishes);
        for (bool* b : {&s.CheckBox1, &s.CheckBox2, &s.CheckBox3, &s.CheckBox5, &s.CheckBox6, &s.N4,
                        &s.A1, &s.K3, &s.N22, &s.N110, &s.N23})
            *b = Range(0, 1) == 1;
        for (int* g : {&s.RG_BL, &s.RG_HL, &s.RG_TL, &s.RG_YL})
            *g = Range(-1, 2);
        bool* rule[] = {&s.S1, &s.Y1, &s.N6061, &s.N4541};
        *rule[Range(0, 3)] = true;
        bool* retain[] = {&s.N8, &s.H1, &s.U1, &s.R2};
        *retain[Range(0, 3)] = true;
        s.B1 = mode == 2;
        s.U2 = mode == 3;
        return s;
    }

  private:
    template <std::size_t N> const char* Pick(const char* const (&pool)[N]) {
        return pool[Range(0, N - 1)];
    }
    int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::mt19937 rng_;
};

QStringList Lines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines)
        out << QString::fromStdString(l);
    return out;
}

void ExpectSameNumbers(const engine::Quantities& q, const statement::Numbers& shown) {
    for (const summary::Column& c : summary::Columns())
        EXPECT_EQ(q.*c.field, shown.values.at(QString::fromUtf8(c.name))) << c.name;
    std::vector<statement::Finish> got;
    for (const engine::Quantities::Finish& f : q.finishes)
        got.push_back({QString::fromStdString(f.kind), QString::fromStdString(f.name),
                       QString::fromStdString(f.unit), f.value});
    EXPECT_EQ(got.size(), shown.finishes.size());
    for (std::size_t i = 0; i < std::min(got.size(), shown.finishes.size()); ++i)
        EXPECT_TRUE(got[i] == shown.finishes[i])
            << got[i].kind.toStdString() << " " << got[i].name.toStdString() << " vs "
            << shown.finishes[i].kind.toStdString() << " " << shown.finishes[i].name.toStdString();
}

TEST(QuantitiesAsShown, EveryStructureOnVariedInput) {
    for (int mode : {1, 2, 3}) {
        Source source(1000u + static_cast<unsigned>(mode));
        int finished = 0;
        for (int run = 0; run < 300; ++run) {
            const engine::Snapshot s = source.Next(mode);
            std::optional<engine::CalcOutput> out;
            try {
                out = engine::Calculate(s, [](const std::string&) {});
            } catch (const yoheki::Error&) {
                continue; // a mistyped number stops the run before any quantity
            }
            if (!out)
                continue;
            ++finished;
            SCOPED_TRACE(testing::Message() << "mode " << mode << " run " << run);
            EXPECT_EQ(engine::ModeDigit(out->quantities.mode), mode);
            ExpectSameNumbers(out->quantities, statement::Read(Lines(out->lines)));
            if (HasFailure())
                return;
        }
        EXPECT_GT(finished, 100) << "mode " << mode;
    }
}

} // namespace
