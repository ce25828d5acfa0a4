#include "SnapshotFile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace enginetest {

namespace {

struct MarkName {
    const char* name;
    bool engine::Snapshot::*mark;
};

using S = engine::Snapshot;
constexpr MarkName kMarks[] = {
    {"S1", &S::S1},       {"Y1", &S::Y1},       {"N6061", &S::N6061}, {"N4541", &S::N4541},
    {"N1001", &S::N1001}, {"N5051", &S::N5051}, {"N001", &S::N001},   {"N4", &S::N4},
    {"N5", &S::N5},       {"N8", &S::N8},       {"H1", &S::H1},       {"U1", &S::U1},
    {"R2", &S::R2},       {"N22", &S::N22},     {"M1", &S::M1},       {"N110", &S::N110},
    {"N23", &S::N23},     {"K3", &S::K3},       {"M2", &S::M2},       {"A1", &S::A1},
    {"D2", &S::D2},       {"Q1", &S::Q1},       {"B1", &S::B1},       {"U2", &S::U2},
};

struct TextName {
    const char* name;
    std::string engine::Snapshot::*text;
};

constexpr TextName kTexts[] = {
    {"YH_H", &S::YH_H}, {"YH_U", &S::YH_U}, {"YH_T", &S::YH_T},       {"CB_H", &S::CB_H},
    {"CB_U", &S::CB_U}, {"CB_T", &S::CB_T}, {"caption", &S::caption},
};

struct FlagName {
    const char* name;
    bool engine::Snapshot::*flag;
};

constexpr FlagName kFlags[] = {
    {"CheckBox1", &S::CheckBox1}, {"CheckBox2", &S::CheckBox2}, {"CheckBox3", &S::CheckBox3},
    {"CheckBox5", &S::CheckBox5}, {"CheckBox6", &S::CheckBox6},
};

struct RadioName {
    const char* name;
    int engine::Snapshot::*index;
};

constexpr RadioName kRadios[] = {
    {"RG_BL", &S::RG_BL}, {"RG_HL", &S::RG_HL}, {"RG_TL", &S::RG_TL}, {"RG_YL", &S::RG_YL}};

// "REdit12" -> 12 when the prefix matches and the number is within 1..last.
int Numbered(std::string_view key, std::string_view prefix, int last) {
    if (key.substr(0, prefix.size()) != prefix)
        return 0;
    std::string_view digits = key.substr(prefix.size());
    if (digits.empty() || digits.size() > 2)
        return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= last ? n : 0;
}

bool Flag(std::string_view value) {
    if (value == "1")
        return true;
    if (value == "0")
        return false;
    throw std::runtime_error("0 or 1 expected");
}

void SetMarks(engine::Snapshot& s, std::string_view list) {
    std::istringstream in{std::string(list)};
    std::string name;
    while (in >> name) {
        bool* mark = MarkByName(s, name);
        if (!mark)
            throw std::runtime_error("unknown mark " + name);
        *mark = true;
    }
}

bool SetNamed(engine::Snapshot& s, std::string_view key, std::string_view value) {
    for (const auto& t : kTexts)
        if (key == t.name)
            return s.*t.text = value, true;
    for (const auto& f : kFlags)
        if (key == f.name)
            return s.*f.flag = Flag(value), true;
    for (const auto& r : kRadios)
        if (key == r.name)
            return s.*r.index = std::stoi(std::string(value)), true;
    if (bool* mark = MarkByName(s, key))
        return *mark = Flag(value), true;
    return false;
}

void SetKey(engine::Snapshot& s, std::string_view key, std::string_view value) {
    if (int n = Numbered(key, "REdit", 18)) {
        s.REdit[n] = value;
    } else if (int c = Numbered(key, "ComboBox", 4)) {
        s.ComboBox[c] = value;
    } else if (key == "marks") {
        SetMarks(s, value);
    } else if (!SetNamed(s, key, value)) {
        throw std::runtime_error("unknown key");
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Unescape(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            char c = line[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += line[i];
        }
    }
    return out;
}

} // namespace

std::string DataPath(const std::string& name) {
    return std::string(YOHEKI_TESTDATA_DIR) + "/engine/" + name;
}

std::vector<std::string> ReadLines(const std::string& path) {
    return SplitLines(ReadFile(path));
}

bool* MarkByName(engine::Snapshot& s, std::string_view name) {
    for (const auto& m : kMarks)
        if (name == m.name)
            return &(s.*m.mark);
    return nullptr;
}

engine::Snapshot ParseSnapshot(std::string_view text) {
    engine::Snapshot s;
    int number = 0;
    for (const std::string& line : SplitLines(std::string(text))) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        auto eq = line.find('=');
        try {
            if (eq == std::string::npos)
                throw std::runtime_error("'=' missing");
            SetKey(s, std::string_view(line).substr(0, eq), std::string_view(line).substr(eq + 1));
        } catch (const std::exception& e) {
            throw std::runtime_error("snapshot line " + std::to_string(number) + " (" + line +
                                     "): " + e.what());
        }
    }
    return s;
}

engine::Snapshot LoadSnapshot(const std::string& path) {
    return ParseSnapshot(ReadFile(path));
}

::testing::AssertionResult SameLines(const std::vector<std::string>& actual,
                                     const std::vector<std::string>& expected,
                                     const std::string& what) {
    std::size_t n = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i)
        if (actual[i] != expected[i])
            return ::testing::AssertionFailure() << what << ": line " << i << " differs\n"
                                                 << "  actual:   [" << actual[i] << "]\n"
                                                 << "  expected: [" << expected[i] << "]";
    if (actual.size() != expected.size()) {
        auto& longer = actual.size() > expected.size() ? actual : expected;
        return ::testing::AssertionFailure()
               << what << ": " << actual.size() << " lines, expected " << expected.size()
               << "; first extra line " << n << " ("
               << (actual.size() > expected.size() ? "actual" : "expected") << "): [" << longer[n]
               << "]";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult MatchesExpected(const std::vector<std::string>& lines,
                                           const std::string& name) {
    std::string file = name + ".expected.txt";
    return SameLines(lines, ReadLines(DataPath(file)), file);
}

::testing::AssertionResult MatchesMessages(const std::vector<std::string>& messages,
                                           const std::string& name) {
    std::vector<std::string> expected;
    for (const std::string& line : ReadLines(DataPath(name + ".messages.txt")))
        expected.push_back(Unescape(line));
    return SameLines(messages, expected, name + ".messages.txt");
}

} // namespace enginetest
