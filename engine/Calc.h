#pragma once
// The three quantity calculations. Each reads a snapshot of the main window,
// sends every message box text through `message` in the order the user sees
// them, and returns the complete new statement, or nothing when an input check
// stopped the run. A failed integer conversion or a 64-bit overflow throws
// yoheki::Error; the caller shows it and keeps the previous statement.
#include "CLF.h"
#include "Snapshot.h"
#include "Structure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// The quantities of one run as numbers, produced by the same run as the
// statement (hundredths of their unit; pipes as a plain count).
struct Quantities {
    StructureMode mode = StructureMode::Wall;
    std::int64_t excavation = 0;   // 根切量
    std::int64_t disposal = 0;     // 不用土処分, as the statement shows it
    std::int64_t backfill = 0;     // 埋戻し
    std::int64_t stone = 0;        // 砕石
    std::int64_t levelling = 0;    // 均しコン
    std::int64_t rcTotal = 0;      // ＲＣ全量
    std::int64_t formOrdinary = 0; // 普通型枠
    std::int64_t fairFaced = 0;    // 打放型枠
    std::int64_t barD10 = 0;       // 異形鉄筋D10 (with a D13 weight too small to list)
    std::int64_t barD13 = 0;       // 異形鉄筋D13
    std::int64_t barMerged = 0;    // 異形鉄筋D10・D13合算: by a rate, not split by size
    std::int64_t retainFront = 0;  // 簡易山止 表面 (0.01 m)
    std::int64_t retainBack = 0;   // 簡易山止 裏面 (0.01 m)
    std::int64_t pipes = 0;        // 水抜ﾊﾟｲﾌﾟ (ヶ所)
    struct Finish {
        std::string kind;  // the statement's label: "天端仕上", "表面仕上", "表面下地", ...
        std::string name;  // the finish name
        std::string unit;  // "ｍ", "ｍ2"
        std::int64_t value = 0;
    };
    std::vector<Finish> finishes; // those the statement lists, in its order
};

struct CalcOutput {
    std::vector<std::string> lines;
    Quantities quantities;
};

std::optional<CalcOutput> CalcYoH(const Snapshot& s, const yoheki::MessageFn& message);
std::optional<CalcOutput> CalcSBs(const Snapshot& s, const yoheki::MessageFn& message);
std::optional<CalcOutput> CalcUJS(const Snapshot& s, const yoheki::MessageFn& message);

// Dispatch on the structure the snapshot's check marks choose (ModeOf).
std::optional<CalcOutput> Calculate(const Snapshot& s, const yoheki::MessageFn& message);

} // namespace engine
