#pragma once
// Everything a calculation reads from the main window, taken at the moment the
// run starts: the texts as typed, the check boxes, the radio groups and the
// menu check marks. The engine never sees a widget.
#include <array>
#include <string>

namespace engine {

struct Snapshot {
    std::array<std::string, 19> REdit;   // REdit1 .. REdit18 at their own numbers
    std::array<std::string, 5> ComboBox; // ComboBox1 .. ComboBox4 at their own numbers
    // Wall finish stash and block finish store (hidden labels).
    std::string YH_H, YH_U, YH_T, CB_H, CB_U, CB_T;
    std::string caption; // the main window's caption, "擁壁数量調書：" + project

    bool CheckBox1 = false; // 鉄筋計算
    bool CheckBox2 = false; // 水抜きﾊﾟｲﾌﾟ
    bool CheckBox3 = false; // ＣＢの有無
    bool CheckBox5 = false; // ﾍﾞｰｽ：複筋
    bool CheckBox6 = false; // 立上り：複筋
    int RG_BL = -1, RG_HL = -1, RG_TL = -1, RG_YL = -1; // 0 D10, 1 D10,13, 2 D13

    // Excavation rule, sub-base projection, embedment difference.
    bool S1 = false, Y1 = false, N6061 = false, N4541 = false;
    bool N1001 = false, N5051 = false, N001 = false;
    bool N4 = false, N5 = false;
    // Simple earth retaining, finish substrate, backfill soil.
    bool N8 = false, H1 = false, U1 = false, R2 = false;
    bool N22 = false, M1 = false, N110 = false, N23 = false;
    bool K3 = false, M2 = false;
    // Excavation-line difference, summary box, continuous output, structure mode.
    bool A1 = false, D2 = false, Q1 = false, B1 = false, U2 = false;

    bool operator==(const Snapshot&) const = default;
};

} // namespace engine
