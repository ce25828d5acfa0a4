#include "Cp932.h"

#include "Error.h"

#ifdef _WIN32
// The C library here has no CP932 converter; the tables of the Linux build's
// converter give the same bytes.
#include "Cp932Table.h"

namespace yoheki::cp932 {

std::string Decode(std::string_view bytes) {
    return table::Decode(bytes);
}

std::string Encode(std::string_view utf8) {
    return table::Encode(utf8);
}

bool CanDecode(std::string_view bytes) {
    return table::CanDecode(bytes);
}

#else
#include <cerrno>
#include <iconv.h>

namespace yoheki::cp932 {
namespace {

// One conversion descriptor per direction and thread; opening one is far
// dearer than converting a short line.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Error(std::string("文字コード変換を開けません: ") + from + " -> " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as far as possible; returns the number of input bytes left
    // unconverted at the first failure (0 on success).
    std::size_t Run(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buf[1024];
        while (left > 0) {
            char* dst = buf;
            std::size_t room = sizeof buf;
            std::size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) return left;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

Converter& Decoder() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& Encoder() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

bool IsAscii(std::string_view s) {
    for (unsigned char ch : s)
        if (ch >= 0x80) return false;
    return true;
}

std::size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

} // namespace

std::string Decode(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!bytes.empty()) {
        std::size_t left = Decoder().Run(bytes, out);
        if (left == 0) break;
        out += "\xEF\xBF\xBD"; // U+FFFD for the offending byte
        bytes.remove_prefix(bytes.size() - left + 1);
    }
    return out;
}

std::string Encode(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::size_t left = Encoder().Run(utf8, out);
    if (left != 0) {
        std::string_view bad = utf8.substr(utf8.size() - left);
        bad = bad.substr(0, Utf8Length(static_cast<unsigned char>(bad[0])));
        throw EncodingError("「" + std::string(bad) +
                            "」はShift-JIS(CP932)で保存できない文字です");
    }
    return out;
}

bool CanDecode(std::string_view bytes) {
    if (IsAscii(bytes)) return true;
    std::string out;
    return Decoder().Run(bytes, out) == 0;
}

#endif

bool CanEncode(std::string_view utf8) {
    try {
        Encode(utf8);
        return true;
    } catch (const EncodingError&) {
        return false;
    }
}

} // namespace yoheki::cp932
