// Random screens for the calculations: whatever is typed or ticked, a run
// either ends with a statement or nothing, or stops with yoheki::Error. Any
// other exception fails; a crash or undefined behaviour shows under the
// sanitizers. Each calculation gets a time budget, so the suite stays fast.
#include "Calc.h"
#include "SnapshotFile.h"

#include "Error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <set>

namespace {

using Calc = std::function<std::optional<engine::CalcOutput>(const engine::Snapshot&,
                                                             const yoheki::MessageFn&)>;

class RandomScreen {
  public:
    explicit RandomScreen(std::uint32_t seed) : rng_(seed) {}

    engine::Snapshot Next() {
        engine::Snapshot s;
        for (int i = 1; i <= 18; ++i)
            s.REdit[i] = Text();
        for (int i = 1; i <= 4; ++i)
            s.ComboBox[i] = Name();
        for (std::string* t : {&s.YH_H, &s.YH_U, &s.YH_T, &s.CB_H, &s.CB_U, &s.CB_T})
            *t = Name();
        s.caption = Chance(2) ? "擁壁数量調書：" + Name() : Name();
        for (bool* b : {&s.CheckBox1, &s.CheckBox2, &s.CheckBox3, &s.CheckBox5, &s.CheckBox6})
            *b = Chance(2);
        for (int* rg : {&s.RG_BL, &s.RG_HL, &s.RG_TL, &s.RG_YL})
            *rg = Between(-1, 3);
        for (const char* m :
             {"S1", "Y1", "N6061", "N4541", "N1001", "N5051", "N001", "N4", "N5", "N8", "H1",
              "U1", "R2", "N22",   "M1",    "N110",  "N23",   "K3",   "M2", "A1", "D2", "Q1"})
            *enginetest::MarkByName(s, m) = Chance(3);
        return s;
    }

    engine::Snapshot& Mode(engine::Snapshot& s) {
        s.B1 = Chance(3);
        s.U2 = Chance(3);
        return s;
    }

  private:
    bool Chance(int oneIn) { return Between(1, oneIn) == 1; }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // Mostly plausible sizes, so runs get past the input checks; now and then
    // the kinds of text the conversions must refuse.
    std::string Text() {
        switch (Between(0, 11)) {
        case 0:
            return "";
        case 1:
            return std::to_string(Between(-3000, 3000));
        case 2:
            return std::to_string(
                std::uniform_int_distribution<std::int64_t>(-2147483648LL, 2147483647LL)(rng_));
        case 3:
            return "99999999999999999999";
        case 4:
            return std::to_string(Between(0, 99)) + "." + std::to_string(Between(0, 9));
        case 5:
            return "abc";
        case 6:
            return std::string(Between(100, 3000), '9');
        case 7:
            return Bytes();
        default:
            return std::to_string(Between(1, 200) * 50);
        }
    }

    std::string Name() {
        static const char* const names[] = {"",         "打放補修", "吹付タイル", "ﾀｲﾙ",
                                            "モルタル", "撥水剤",   "T",          "刷毛引き"};
        if (Chance(6))
            return Bytes();
        return names[Between(0, 7)];
    }

    std::string Bytes() {
        std::string t(Between(0, 40), ' ');
        for (char& c : t)
            c = static_cast<char>(Between(0, 255));
        return t;
    }

    std::mt19937 rng_;
};

bool KnownMessage(const std::string& m) {
    static const std::set<std::string> known = {
        yoheki::kMmMessage,
        "問題点を訂正して再度実行して下さい",
        "無理な数字だと思いますが？ >> 裏面高さ",
        "D13の重量が0.01ｔ以下です\n\r　D10に合算しておきます",
        "単位重量７０㎏／ｍ3で計算します(固定)",
        "現在の配筋では計算出来ません",
        "水抜きﾊﾟｲﾌﾟのピッチが0のため、水抜ﾊﾟｲﾌﾟは計上しません",
    };
    return known.count(m) > 0 || m.starts_with("根  切  量 ;");
}

struct Tally {
    int runs = 0, statements = 0, stopped = 0, errors = 0;
};

// Runs `calc` on random screens until the budget is spent. `modes` lets the
// dispatching entry see base and ditch screens too; `checkMessages` holds the
// run to the wall's messages.
Tally Fuzz(const Calc& calc, std::chrono::milliseconds budget, std::uint32_t seed, bool modes,
           bool checkMessages) {
    RandomScreen screens(seed);
    Tally t;
    auto end = std::chrono::steady_clock::now() + budget;
    while (std::chrono::steady_clock::now() < end) {
        engine::Snapshot s = screens.Next();
        if (modes)
            screens.Mode(s);
        enginetest::Recorder r;
        ++t.runs;
        try {
            auto out = calc(s, r.fn());
            if (out) {
                ++t.statements;
                EXPECT_FALSE(out->lines.empty());
            } else {
                ++t.stopped;
            }
        } catch (const yoheki::Error&) {
            ++t.errors;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "run " << t.runs << " (seed " << seed << "): " << e.what();
            break;
        }
        if (checkMessages)
            for (const std::string& m : r.texts)
                if (!KnownMessage(m)) {
                    ADD_FAILURE() << "run " << t.runs << ": unexpected message " << m;
                    return t;
                }
    }
    return t;
}

TEST(Fuzz, RetainingWall) {
    Tally t = Fuzz(engine::CalcYoH, std::chrono::milliseconds(1200), 20240611, false, true);
    RecordProperty("runs", t.runs);
    // Enough runs to mean something, and all three outcomes reached.
    EXPECT_GT(t.runs, 1000);
    EXPECT_GT(t.statements, 0);
    EXPECT_GT(t.stopped, 0);
    EXPECT_GT(t.errors, 0);
}

TEST(Fuzz, EveryStructureThroughTheDispatch) {
    Tally t = Fuzz(engine::Calculate, std::chrono::milliseconds(500), 7, true, false);
    RecordProperty("runs", t.runs);
    EXPECT_GT(t.runs, 300);
}

} // namespace
