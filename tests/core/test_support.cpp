#include "test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace velmora::testing {

GameOutcome clickSquare(Game& g, BoardId id, int file, int rank, MouseButton button, int dx, int dy) {
    return Form_MouseDown(g, button, 0, gridX(originX(id), file) + dx, gridY(rank) + dy);
}

GameOutcome clickMove(Game& g, BoardId id, int fromFile, int fromRank, int toFile, int toRank, MouseButton button) {
    clickSquare(g, id, fromFile, fromRank, button);
    return clickSquare(g, id, toFile, toRank, button);
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ScratchFolder::ScratchFolder(Mode mode) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
    path = pattern;
    if (mode == ENTER) {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
    }
}

ScratchFolder::~ScratchFolder() {
    if (!previous.empty()) std::filesystem::current_path(previous);
    // A test may have taken the folder's permissions away.
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path, ignored);
}

void ScratchFolder::write(const std::filesystem::path& name, const std::string& bytes) const {
    std::ofstream(path / name, std::ios::binary) << bytes;
}

namespace {

// Start-up in any test never leaves a settings file in the caller's folder.
class ScratchWorkingDirectory : public ::testing::Environment {
    void SetUp() override { folder_ = std::make_unique<ScratchFolder>(ScratchFolder::ENTER); }
    void TearDown() override { folder_.reset(); }
    std::unique_ptr<ScratchFolder> folder_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ScratchWorkingDirectory);

}  // namespace
}  // namespace velmora::testing
