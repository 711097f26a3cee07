#pragma once
// The small jobs every test file needs: clicking a square of a board, a
// scratch folder that is gone afterwards, and a file's bytes.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "draw/geometry.h"
#include "game.h"
#include "input/mouse_input.h"

namespace velmora::testing {

// A click on a square of one board, by default in its middle; (dx, dy) is the
// place inside the square in twips from its top-left corner.
inline void clickSquare(Game& g, BoardId id, int file, int rank, int button = BUTTON_LEFT, int dx = SQUARE_WIDTH / 2,
                        int dy = SQUARE_HEIGHT / 2) {
    Form_MouseDown(g, button, 0, gridX(originX(id), file) + dx, gridY(rank) + dy);
}

// Two clicks: the piece, then where it goes.
inline void clickMove(Game& g, BoardId id, int fromFile, int fromRank, int toFile, int toRank,
                      int button = BUTTON_LEFT) {
    clickSquare(g, id, fromFile, fromRank, button);
    clickSquare(g, id, toFile, toRank, button);
}

// The whole file; a file that cannot be read fails the test that asked.
inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh, uniquely named folder, removed with everything in it at the end.
// ENTER makes it the working directory while it lives.
struct ScratchFolder {
    enum Mode { STAY, ENTER };

    explicit ScratchFolder(Mode mode = STAY) {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
        path = pattern;
        if (mode == ENTER) {
            previous = std::filesystem::current_path();
            std::filesystem::current_path(path);
        }
    }
    ~ScratchFolder() {
        if (!previous.empty()) std::filesystem::current_path(previous);
        // A test may have taken the folder's permissions away.
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path operator/(const std::filesystem::path& name) const { return path / name; }
    void write(const std::filesystem::path& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::string read(const std::filesystem::path& name) const { return readBytes(path / name); }

    std::filesystem::path path;
    std::filesystem::path previous;  // empty unless entered
};

}  // namespace velmora::testing
