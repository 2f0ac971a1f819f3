// Feeds arbitrary bytes to the game as its save file: the start-up header read and a continue
// must never read or write outside the world's arrays; a continue that finds no game changes
// neither the world (beyond what the header read already took) nor the file; and whatever a
// continue takes must save back to exactly the bytes it came from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/MainCanvas.h"

namespace {

void writeSave(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen("savedata.bin", "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

std::vector<uint8_t> readSave() {
    std::vector<uint8_t> bytes;
    std::FILE* f = std::fopen("savedata.bin", "rb");
    if (f == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
}

namespace fs = std::filesystem;

// The directory where the runs keep their save file, and the one libFuzzer works in.
fs::path g_saveDir;
fs::path g_workDir;

// Moves into the save directory for one input and back, so that libFuzzer's own relative paths
// (corpus, artifacts) keep working between inputs.
struct InSaveDir {
    InSaveDir() { fs::current_path(g_saveDir); }
    ~InSaveDir() { fs::current_path(g_workDir); }
};

}  // namespace

// The save file lives in the working directory: the run gets a directory of its own.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_workDir = fs::current_path();
    g_saveDir =
        fs::temp_directory_path() / ("valmore-fuzz-" + std::to_string(std::random_device{}()));
    fs::create_directories(g_saveDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InSaveDir inSaveDir;
    auto game = std::make_unique<MainCanvas>();
    writeSave(data, size);
    game->loadGame(0, 0);
    writeSave(data, size);
    const std::vector<int8_t> before = game->getSaveRecord(1);
    if (game->loadGame(1, 0) == 0) {
        if (game->getSaveRecord(1) != before) std::abort();
        if (readSave() != std::vector<uint8_t>(data, data + size)) std::abort();
    } else {
        if (game->saveGame(1, 0) != 1) std::abort();
        std::vector<uint8_t> again = readSave();
        if (size < static_cast<size_t>(MainCanvas::SAVE_RECORD_BYTES) ||
            again != std::vector<uint8_t>(data, data + MainCanvas::SAVE_RECORD_BYTES))
            std::abort();
    }
    return 0;
}
