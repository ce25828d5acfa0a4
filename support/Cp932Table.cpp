#include "Cp932Table.h"

#include "Error.h"

#include <cstdint>

namespace yoheki::cp932::table {
namespace {

#include "Cp932Tables.inc"

constexpr char kReplacement[] = "\xEF\xBF\xBD";

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code point of the character at `at` and its length, or length 0 when
// the bytes there are no valid character.
struct Char {
    std::int32_t cp;
    std::size_t length;
};

Char DecodeAt(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (kSingle[lead] >= 0)
        return {kSingle[lead], 1};
    if (lead >= 0x80 && at + 1 < bytes.size()) {
        const auto trail = static_cast<unsigned char>(bytes[at + 1]);
        if (const std::int32_t cp = kPair[(lead - 0x80) * 256 + trail]; cp >= 0)
            return {cp, 2};
    }
    return {0, 0};
}

std::size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

// Strict UTF-8, as the C library reads it: no overlong forms, no surrogates.
Char Utf8At(std::string_view s, std::size_t at) {
    const auto lead = static_cast<unsigned char>(s[at]);
    const std::size_t n = Utf8Length(lead);
    if (n == 1)
        return {lead, lead < 0x80 ? 1u : 0u};
    if (at + n > s.size())
        return {0, 0};
    std::uint32_t cp = lead & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[at + i]);
        if ((c & 0xC0) != 0x80)
            return {0, 0};
        cp = cp << 6 | (c & 0x3F);
    }
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0, 0};
    return {static_cast<std::int32_t>(cp), n};
}

} // namespace

std::string Decode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t at = 0; at < bytes.size();) {
        const Char c = DecodeAt(bytes, at);
        if (c.length == 0) {
            out += kReplacement; // one for the offending byte
            ++at;
            continue;
        }
        AppendUtf8(out, static_cast<std::uint32_t>(c.cp));
        at += c.length;
    }
    return out;
}

bool CanDecode(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const Char c = DecodeAt(bytes, at);
        if (c.length == 0)
            return false;
        at += c.length;
    }
    return true;
}

std::string Encode(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Char c = Utf8At(utf8, at);
        const std::int32_t code = c.length != 0 && c.cp < 0x10000 ? kEncode[c.cp] : -1;
        if (code < 0) {
            const auto lead = static_cast<unsigned char>(utf8[at]);
            throw EncodingError("「" + std::string(utf8.substr(at, Utf8Length(lead))) +
                                "」はShift-JIS(CP932)で保存できない文字です");
        }
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
        at += c.length;
    }
    return out;
}

} // namespace yoheki::cp932::table
