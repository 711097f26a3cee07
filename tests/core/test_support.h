#pragma once
// The small jobs every test file needs: clicking a square of a board, a
// scratch folder that is gone afterwards, and a file's bytes. The whole test
// program runs in a scratch working directory of its own (test_support.cpp).
#include <filesystem>
#include <string>

#include "draw/geometry.h"
#include "game.h"
#include "input/mouse_input.h"

namespace velmora::testing {

// A click on a square of one board, by default in its middle; (dx, dy) is the
// place inside the square in twips from its top-left corner. Returns how the
// game goes on after the click.
GameOutcome clickSquare(Game& g, BoardId id, int file, int rank, MouseButton button = MouseButton::Left,
                        int dx = SQUARE_WIDTH / 2, int dy = SQUARE_HEIGHT / 2);

// Two clicks: the piece, then where it goes; how the game goes on after them.
GameOutcome clickMove(Game& g, BoardId id, int fromFile, int fromRank, int toFile, int toRank,
                      MouseButton button = MouseButton::Left);

// The whole file; a file that cannot be read fails the test that asked.
std::string readBytes(const std::filesystem::path& path);

// A fresh, uniquely named folder, removed with everything in it at the end.
// ENTER makes it the working directory while it lives.
struct ScratchFolder {
    enum Mode { STAY, ENTER };

    explicit ScratchFolder(Mode mode = STAY);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path operator/(const std::filesystem::path& name) const { return path / name; }
    void write(const std::filesystem::path& name, const std::string& bytes) const;
    std::string read(const std::filesystem::path& name) const { return readBytes(path / name); }

    std::filesystem::path path;
    std::filesystem::path previous;  // empty unless entered
};

}  // namespace velmora::testing
