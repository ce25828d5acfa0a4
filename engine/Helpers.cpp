#include "Helpers.h"

#include "Checked.h"
#include "Hundredths.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

namespace engine {

using yoheki::Add;
using yoheki::Sub;

void Reader::Message(const std::string& text) const {
    if (message_) message_(text);
}

std::int64_t Reader::Mm(int edit) const { return yoheki::StrToMm(s_.REdit[edit], message_); }

std::int64_t Reader::SubBaseProjection() const {
    std::int64_t p = 0;
    if (s_.N1001) p = 100;
    if (s_.N5051) p = 50;
    if (s_.N001) p = 0;
    return p;
}

std::int64_t Reader::SideProjection(int side) const {
    std::int64_t p = SubBaseProjection();
    if (s_.R2) p = 50;
    if (side == 1 && s_.H1) p = SubBaseProjection();
    if (side == 2 && s_.U1) p = SubBaseProjection();
    return p;
}

std::int64_t Reader::ExcavDepth(int side) const {
    // A ditch has no finished heights and a base no back height: the screen
    // hides and empties those fields, so they are not read (an empty field
    // would otherwise bring a message about a field the user cannot see).
    std::int64_t hf = s_.U2 ? 0 : Mm(2);
    std::int64_t hb = (s_.B1 || s_.U2) ? 0 : Mm(3);
    // One statement per read keeps the reads in field order.
    std::int64_t e = Mm(4);
    e = Add(e, Mm(5));
    e = Add(e, Mm(6));
    std::int64_t g = s_.A1 ? Mm(17) : 0;
    std::int64_t n = 0;
    if (s_.N4 && side == 2) {
        n = Sub(hf, hb);
        if (n < 0) n = yoheki::Neg(n);
    }
    return Sub(Sub(e, n), g);
}

std::int64_t Reader::ExcavWidth(int side) const {
    int r = 0;
    if (s_.H1) r = 1;
    if (s_.U1) r = 2;
    if (s_.R2) r = 3;
    bool retained = ((r == 1 || r == 3) && side == 1) || ((r == 2 || r == 3) && side == 2);
    std::int64_t g = s_.A1 ? Mm(17) : 0;
    std::int64_t w = 0;
    if (s_.S1) {
        if (retained) {
            w = std::min<std::int64_t>(50, SubBaseProjection());
        } else {
            std::int64_t d = Sub(ExcavDepth(side), g);
            if (d >= 0 && d <= 1500)
                w = 500;
            else if (d > 1500 && d <= 5000)
                w = Add(500, RoundOff(static_cast<long double>(d) * 0.3L / 2));
            else
                w = Add(500, RoundOff(static_cast<long double>(d) * 0.6L / 2));
        }
    }
    if (s_.Y1) w = retained ? 50 : 500;
    if (s_.N6061)
        w = retained ? 50
                     : Add(500, RoundOff(static_cast<long double>(ExcavDepth(side)) /
                                         std::sqrt(3.0L) / 2));
    if (s_.N4541)
        w = retained ? 50
                     : Add(500, RoundOff(static_cast<long double>(Sub(ExcavDepth(side), g)) / 2));
    return w;
}

std::string Reader::BarSpec(int group) const {
    int kind = -1;
    const std::string* pitch = nullptr;
    bool twin = false;
    switch (group) {
    case 1: kind = s_.RG_BL, pitch = &s_.REdit[12], twin = s_.CheckBox5; break;
    case 2: kind = s_.RG_HL, pitch = &s_.REdit[14], twin = s_.CheckBox5; break;
    case 3: kind = s_.RG_TL, pitch = &s_.REdit[13], twin = s_.CheckBox6; break;
    case 4: kind = s_.RG_YL, pitch = &s_.REdit[15], twin = s_.CheckBox6; break;
    default: break;
    }
    std::string text;
    static const char* const prefix[] = {"D10@", "D10,13@", "D13@"};
    if (kind >= 0 && kind <= 2 && pitch) text = prefix[kind] + *pitch;
    return text + (twin ? "(W)" : "(S)");
}

std::string Reader::ProjectName() const {
    static const std::string colon = "：";
    auto pos = s_.caption.find(colon);
    if (pos == std::string::npos) return s_.caption;
    return s_.caption.substr(pos + colon.size());
}

std::string FmtQty(std::int64_t v) {
    // Right-aligned in seven columns, as the statement's figures stand.
    char text[yoheki::kHundredthsRoom + 8];
    char* at = yoheki::WriteHundredths(v, std::end(text));
    while (std::end(text) - at < 7) *--at = ' ';
    return std::string(at, std::end(text));
}

std::string FmtM(std::int64_t mm) { return FmtQty(RoundOff(static_cast<long double>(mm) / 10)); }

std::string PadNum(std::string_view text) {
    std::int64_t n = yoheki::StrToInt(text);
    // A false positive of GCC 12 at -O3, as above.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    if (n <= 99) return "  " + std::string(text);
    if (n <= 999) return " " + std::string(text);
#pragma GCC diagnostic pop
    return std::string(text);
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool TakesSubstrate(std::string_view finish) {
    static const char* const markers[] = {"T", "Ｔ", "タ", "ﾀ", "調", "塗", "補", "吹", "撥"};
    for (const char* m : markers)
        if (Contains(finish, m)) return true;
    return false;
}

} // namespace engine
