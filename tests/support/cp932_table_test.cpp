// The table codec of the Windows build against the C library's converter of
// the Linux build: every character both ways, and random byte strings, so a
// project saved on Windows is byte for byte the one saved on Linux.
#include "Cp932.h"
#include "Cp932Table.h"
#include "Error.h"

#include <gtest/gtest.h>
#include <random>

using namespace yoheki;

namespace {

std::string Outcome(std::string (*encode)(std::string_view), const std::string& text) {
    try {
        return "ok:" + encode(text);
    } catch (const EncodingError& e) {
        return std::string("error:") + e.what();
    }
}

std::string Utf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | cp >> 18);
        s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

void ExpectSameDecoding(const std::string& bytes) {
    ASSERT_EQ(cp932::table::Decode(bytes), cp932::Decode(bytes)) << testing::PrintToString(bytes);
    ASSERT_EQ(cp932::table::CanDecode(bytes), cp932::CanDecode(bytes)) << testing::PrintToString(bytes);
}

} // namespace

TEST(Cp932Table, DecodesEveryOneAndTwoByteSequenceAsTheConverter) {
    for (int a = 0; a < 256; ++a) {
        ExpectSameDecoding(std::string(1, static_cast<char>(a)));
        for (int b = 0; b < 256; ++b)
            ExpectSameDecoding(std::string{static_cast<char>(a), static_cast<char>(b), 'x'});
    }
}

TEST(Cp932Table, EncodesEveryCharacterAsTheConverterAndRefusesTheSame) {
    for (char32_t cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        ASSERT_EQ(Outcome(cp932::table::Encode, "a" + Utf8(cp)), Outcome(cp932::Encode, "a" + Utf8(cp)))
                << std::hex << static_cast<unsigned>(cp);
    }
    EXPECT_EQ(Outcome(cp932::table::Encode, Utf8(0x1F600)), Outcome(cp932::Encode, Utf8(0x1F600)));
}

TEST(Cp932Table, AgreesOnRandomAndBrokenText) {
    std::mt19937 random(932);
    // Bytes near the lead and trail ranges, where the two could differ.
    const std::string pool = "A\\~\x81\x82\x87\x88\x9F\xA0\xA1\xDF\xE0\xEA\xED\xEE\xFA\xFC\xFD\xFF\x40\x7F\x80\xC0";
    for (int i = 0; i < 20000; ++i) {
        std::string s;
        for (int n = random() % 9; n > 0; --n)
            s += pool[random() % pool.size()];
        ExpectSameDecoding(s);
        ASSERT_EQ(Outcome(cp932::table::Encode, s), Outcome(cp932::Encode, s)) << testing::PrintToString(s);
    }
}
