#include "Cp932.h"
#include "Error.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

using namespace yoheki;

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<std::string> SplitLines(const std::string& text, const std::string& eol) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = text.find(eol, start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + eol.size();
    }
    return lines;
}

} // namespace

// The window's captions, messages and the file keys, encoded by an independent
// CP932 codec into the reference file: ours must give the same bytes both ways.
TEST(Cp932, RoundTripsEveryCaptionMessageAndKey) {
    auto texts = SplitLines(ReadBytes(YOHEKI_TESTDATA_DIR "/quoted_texts.txt"), "\n");
    auto bytes = SplitLines(ReadBytes(YOHEKI_TESTDATA_DIR "/quoted_texts.cp932"), "\r\n");
    ASSERT_GT(texts.size(), 100u);
    ASSERT_EQ(texts.size(), bytes.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(cp932::Encode(texts[i]), bytes[i]) << texts[i];
        EXPECT_EQ(cp932::Decode(bytes[i]), texts[i]) << texts[i];
    }
}

TEST(Cp932, IsTheWindowsCodePageNotJisShiftJis) {
    struct Case {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"㎜", "\x87\x6F"},     {"－", "\x81\x7C"}, {"～", "\x81\x60"}, {"\\", "\x5C"},
        {"①", "\x87\x40"},     {"髙", "\xFB\xFC"}, {"表", "\x95\x5C"}, {"ｱ", "\xB1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::Encode(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(cp932::Decode(c.bytes), c.utf8) << c.utf8;
    }
}

TEST(Cp932, WritesLinuxLookalikesAsWindowsWould) {
    EXPECT_EQ(cp932::Encode("\xE3\x80\x9C"), "\x81\x60"); // U+301C wave dash
    EXPECT_EQ(cp932::Encode("\xE2\x88\x92"), "\x81\x7C"); // U+2212 minus sign
}

TEST(Cp932, ReportsCharactersItCannotHoldInsteadOfWritingQuestionMarks) {
    EXPECT_THROW(cp932::Encode("仕上😀"), EncodingError);
    EXPECT_THROW(cp932::Encode("한국"), EncodingError);
    EXPECT_FALSE(cp932::CanEncode("é"));
    EXPECT_TRUE(cp932::CanEncode("打放補修"));
    try {
        cp932::Encode("ab한");
        FAIL();
    } catch (const EncodingError& e) {
        EXPECT_NE(std::string(e.what()).find("한"), std::string::npos);
    }
}

TEST(Cp932, InvalidBytesDecodeWithoutCrashing) {
    EXPECT_EQ(cp932::Decode("A\x81"), "A\xEF\xBF\xBD");          // truncated lead byte
    EXPECT_EQ(cp932::Decode("\xFF" "B"), "\xEF\xBF\xBD" "B");    // not a lead byte
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_FALSE(cp932::Decode(noise).empty());
}
