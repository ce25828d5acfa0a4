// Not a timing program: two processes save their own item of one project
// back to back, the way the window saves, and every save that the other
// process's write replaced is counted (run by hand, never by ctest).
//
//   save_race [ROUNDS [ITEMS [FOLDER]]]     defaults 10000, 200, the temporary folder
#include "SaveRace.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int items = argc > 2 ? std::atoi(argv[2]) : 200;
    const std::filesystem::path folder =
        argc > 3 ? std::filesystem::path(argv[3]) : std::filesystem::temp_directory_path();
    const std::string path = (folder / ("save_race_" + std::to_string(::getpid()) + ".Fa1")).string();
    saverace::WriteProject(path, items);
    const auto size = std::filesystem::file_size(path);
    const auto start = std::chrono::steady_clock::now();
    const int lost = saverace::Race(path, 2, rounds);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d rounds by each of 2 processes on a %d-item project (%ju bytes): %d lost, "
                "%.1f s\n",
                rounds, items, static_cast<std::uintmax_t>(size), lost, seconds);
    std::filesystem::remove(path);
    return lost == 0 ? 0 : 1;
}
