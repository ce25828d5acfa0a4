#include "Calc.h"
#include "SnapshotFile.h"

#include "Error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace {

// Texts an estimator might type, or mistype, into a dimension field.
const char* const kTexts[] = {
    "",     "0",      "4",   "5",    "10",          "95",         "100",        "150",  "600",
    "1500", "10000",  "-5",  "-400", "-2147483648", "2147483647", "2147483648", "12.5", "abc",
    " 100", "１００", "1e3", "+50",  "0x10",        "99999",      "-99999"};
const char* const kNames[] = {"",         "打放補修",   "タイル", "ﾀｲﾙ",  "吹付Ｔ", "塗装",
                              "モルタル", "モルタル塗", "打放し", "調整", "撥水",   "金鏝"};
const char* const kMarks[] = {"S1",  "Y1", "N6061", "N4541", "N1001", "N5051", "N001", "N4",
                              "N5",  "N8", "H1",    "U1",    "R2",    "N22",   "M1",   "N110",
                              "N23", "K3", "M2",    "A1",    "D2",    "Q1"};

class SnapshotSource {
  public:
    explicit SnapshotSource(unsigned seed) : rng_(seed) {}

    engine::Snapshot Next(bool ditch) {
        engine::Snapshot s;
        for (int i = 1; i <= 18; ++i)
            s.REdit[i] = Text();
        for (int i = 1; i <= 4; ++i)
            s.ComboBox[i] = Pick(kNames);
        s.YH_T = Pick(kNames);
        s.caption = Pick(kNames);
        for (const char* m : kMarks)
            *enginetest::MarkByName(s, m) = Coin();
        s.CheckBox1 = Coin();
        s.CheckBox5 = Coin();
        s.CheckBox6 = Coin();
        for (int* g : {&s.RG_BL, &s.RG_HL, &s.RG_TL, &s.RG_YL})
            *g = Range(-1, 2);
        s.B1 = !ditch;
        s.U2 = ditch;
        return s;
    }

  private:
    template <std::size_t N> const char* Pick(const char* const (&pool)[N]) {
        return pool[Range(0, N - 1)];
    }
    std::string Text() {
        if (Range(0, 3) == 0)
            return Pick(kTexts);
        return std::to_string(Range(-3000, 30000));
    }
    bool Coin() { return Range(0, 1) == 1; }
    int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    std::mt19937 rng_;
};

using Calc = std::optional<engine::CalcOutput> (*)(const engine::Snapshot&,
                                                   const yoheki::MessageFn&);

// Runs the calculation on random input for about two seconds. Only the
// program's own error may escape; a finished run has its full heading block.
void Fuzz(Calc calc, bool ditch, int mode) {
    SnapshotSource source(ditch ? 20240611u : 19991231u);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int runs = 0, finished = 0;
    while (std::chrono::steady_clock::now() < until) {
        engine::Snapshot s = source.Next(ditch);
        enginetest::Recorder rec;
        ++runs;
        try {
            auto out = calc(s, rec.fn());
            if (!out)
                continue;
            ++finished;
            ASSERT_EQ(engine::ModeDigit(out->quantities.mode), mode);
            ASSERT_GE(out->lines.size(), 20u);
        } catch (const yoheki::Error&) {
        } catch (const std::exception& e) {
            FAIL() << "run " << runs << ": " << e.what();
        }
    }
    EXPECT_GT(finished, 0);
    testing::Test::RecordProperty("runs", runs);
    testing::Test::RecordProperty("finished", finished);
}

TEST(FuzzBaseDitch, BaseFoundationOnlyRaisesItsOwnError) {
    Fuzz(engine::CalcSBs, false, 2);
}

TEST(FuzzBaseDitch, DitchOnlyRaisesItsOwnError) {
    Fuzz(engine::CalcUJS, true, 3);
}

} // namespace
