#pragma once
// Sections as a DXF drawing for CAD: the ASCII R12 form that every CAD
// program reads, full size (1 unit = 1 mm), texts in CP932 as Japanese CAD
// files carry them. One block per item, inserted side by side in model space.
#include "Section.h"

#include <string>
#include <vector>

namespace takeoff {

struct DxfItem {
    std::string name; // the item's name, its block's name
    engine::section::Drawing drawing;
};

// The file's bytes. Throws yoheki::EncodingError when a text cannot be held
// in CP932.
std::string DxfOf(const std::vector<DxfItem>& items);

// The layer names: the concrete body, the levelling concrete and stone, the
// excavation and ground lines, dimensions, notes.
const char* DxfLayer(engine::section::Layer layer);

} // namespace takeoff
