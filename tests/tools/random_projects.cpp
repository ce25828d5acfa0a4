// Writes random projects for comparing two builds' outputs on them:
//   yoheki-random-projects FOLDER COUNT [SEED]
// FOLDER/random-01.Fa1 ... each of 2 to 12 items.
#include "../RandomProject.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: yoheki-random-projects FOLDER COUNT [SEED]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int count = std::stoi(argv[2]);
    std::mt19937 rng(argc > 3 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 20261208u);
    randomproject::Generator generator(rng);
    std::filesystem::create_directories(folder);
    for (int p = 1; p <= count; ++p) {
        char name[32];
        std::snprintf(name, sizeof name, "random-%02d.Fa1", p);
        const std::filesystem::path path = folder / name;
        std::filesystem::remove(path);
        yoheki::IniFile ini(reinterpret_cast<const char*>(path.u8string().c_str()));
        generator.Write(ini, 2 + static_cast<int>(rng() % 11));
    }
    return 0;
}
