#include "YohCalc.h"

#include "Checked.h"

namespace engine::yoh {

using yoheki::Add;
using yoheki::Mul;
using yoheki::Sub;

namespace {

constexpr const char* kRepair = "打放補修"; // fair-faced concrete, repaired
constexpr const char* kMortarBed = "下地モルタル";
constexpr const char* kSpecialBlockBed = "特殊下地処理";
constexpr const char* kRepairMark = "補";

void FaceAreas(const Snapshot& s, const Dims& d, Finishes& f) {
    f.frontName = s.ComboBox[2];
    f.facesDiffer = s.ComboBox[2] != s.ComboBox[3];
    // An empty back height means the back face is as high as the front.
    f.backHeight = s.REdit[3].empty() ? d.Hf : d.Hb;
    if (f.facesDiffer) {
        f.backName = s.ComboBox[3];
        f.frontArea = Area(Mul(d.L, d.Hf));
        f.backArea = Area(Mul(d.L, f.backHeight));
        f.backSubArea = f.backArea;
    } else {
        f.frontArea = Area(Mul(d.L, Add(d.Hf, f.backHeight)));
    }
    f.frontSubArea = f.frontArea;
}

void FrontFace(const Snapshot& s, const Dims& d, Finishes& f) {
    const std::string& name = f.frontName;
    if (TakesSubstrate(name)) {
        std::int64_t h = f.facesDiffer ? d.Hf : Add(d.Hf, f.backHeight);
        f.fairFaced = Area(Mul(d.L, h));
        if (!FairFacedSubstrate(s, f.frontSubName)) {
            if (f.facesDiffer || Contains(name, kRepairMark))
                f.fairFaced = 0;
            f.frontSubName = PlainSubstrate(s);
        }
    }
    ApplyFinishMarks(name, f.fairFaced, f.frontSubName);
}

void BackFace(const Snapshot& s, const Dims& d, Finishes& f) {
    const std::string& name = f.backName;
    std::int64_t own = 0; // what this face adds to the fair-faced area
    if (TakesSubstrate(name)) {
        own = Area(Mul(d.L, f.backHeight));
        if (!FairFacedSubstrate(s, f.backSubName)) {
            if (!Contains(name, kRepairMark))
                own = 0;
            f.backSubName = PlainSubstrate(s);
        }
    }
    ApplyFinishMarks(name, own, f.backSubName);
    f.fairFaced = Add(f.fairFaced, own);
}

// A block face: its finish unless that is the plain repair, and its substrate.
void BlockFace(const Snapshot& s, const std::string& finish, std::int64_t area, std::string& name,
               std::string& subName, std::int64_t& subArea) {
    name = finish == kRepair ? std::string() : finish;
    subArea = s.N22 ? 0 : area;
    subName.clear();
    if (!s.N22 && !s.N110)
        subName = s.N23 ? kSpecialBlockBed : kMortarBed;
}

void Block(const Snapshot& s, const Dims& d, Finishes& f) {
    f.block = true;
    f.topName.clear();
    f.topLen = 0;
    f.cbTopName = s.CB_T == kRepair ? std::string() : s.CB_T;
    f.cbTopLen = Len(d.L);
    f.cbArea = Area(Mul(d.Hc, d.L));
    BlockFace(s, s.CB_H, f.cbArea, f.cbFrontName, f.cbFrontSubName, f.cbFrontSubArea);
    BlockFace(s, s.CB_U, f.cbArea, f.cbBackName, f.cbBackSubName, f.cbBackSubArea);
}

} // namespace

Finishes ComputeFinishes(const Snapshot& s, const Dims& d) {
    Finishes f;
    f.topName = TopFinishName(s);
    f.topLen = Len(d.L);
    FaceAreas(s, d, f);
    FrontFace(s, d, f);
    if (!f.backName.empty())
        BackFace(s, d, f);
    if (s.CheckBox3)
        Block(s, d, f);
    return f;
}

} // namespace engine::yoh
