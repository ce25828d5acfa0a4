// The program's table codec against the C library's converter the tables
// were made from: every character both ways, and random byte strings, so the
// tables are the converter's and a project saved on Windows is byte for byte
// the one saved on Linux.
#include "Cp932.h"
#include "Cp932Table.h"
#include "Error.h"

#include <gtest/gtest.h>
#include <random>

#ifndef _WIN32
#include <cerrno>
#include <iconv.h>
#endif

using namespace yoheki;

namespace {

#ifndef _WIN32
// The C library's converter, as the program used it before the tables: the
// text converted as far as it goes, U+FFFD for each byte it refuses.
std::size_t Convert(iconv_t cd, std::string_view in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    char buf[1024];
    while (left > 0) {
        char* dst = buf;
        std::size_t room = sizeof buf;
        const std::size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG)
            break;
    }
    return left;
}

// Opened once for the test program's life.
std::size_t FromCp932(std::string_view in, std::string& out) {
    static const iconv_t cd = iconv_open("UTF-8", "CP932");
    return Convert(cd, in, out);
}

std::size_t ToCp932(std::string_view in, std::string& out) {
    static const iconv_t cd = iconv_open("CP932", "UTF-8");
    return Convert(cd, in, out);
}

namespace reference {

std::string Decode(std::string_view bytes) {
    std::string out;
    while (!bytes.empty()) {
        const std::size_t left = FromCp932(bytes, out);
        if (left == 0)
            break;
        out += "\xEF\xBF\xBD";
        bytes.remove_prefix(bytes.size() - left + 1);
    }
    return out;
}

bool CanDecode(std::string_view bytes) {
    std::string out;
    return FromCp932(bytes, out) == 0;
}

std::string Encode(std::string_view utf8) {
    std::string out;
    const std::size_t left = ToCp932(utf8, out);
    if (left != 0) {
        std::string_view bad = utf8.substr(utf8.size() - left);
        const auto lead = static_cast<unsigned char>(bad[0]);
        const std::size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                              : (lead >> 3) == 0x1E ? 4 : 1;
        throw EncodingError("「" + std::string(bad.substr(0, n)) +
                            "」はShift-JIS(CP932)で保存できない文字です");
    }
    return out;
}

} // namespace reference
#else
namespace reference = cp932; // no converter to hold the tables to
#endif

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
    ASSERT_EQ(cp932::Decode(bytes), reference::Decode(bytes)) << testing::PrintToString(bytes);
    ASSERT_EQ(cp932::CanDecode(bytes), reference::CanDecode(bytes)) << testing::PrintToString(bytes);
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
        ASSERT_EQ(Outcome(cp932::Encode, "a" + Utf8(cp)), Outcome(reference::Encode, "a" + Utf8(cp)))
                << std::hex << static_cast<unsigned>(cp);
    }
    EXPECT_EQ(Outcome(cp932::Encode, Utf8(0x1F600)), Outcome(reference::Encode, Utf8(0x1F600)));
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
        ASSERT_EQ(Outcome(cp932::Encode, s), Outcome(reference::Encode, s)) << testing::PrintToString(s);
    }
}
