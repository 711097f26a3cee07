// Every input the fuzzers were seeded with or have found a crash with, run
// through the same checks in the ordinary test build.
#include <gtest/gtest.h>

#include <filesystem>

#include "file_fuzz_body.h"
#include "position_fuzz_body.h"
#include "record_fuzz_body.h"
#include "settings_fuzz_body.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs(const std::string& target) {
    std::vector<fs::path> files;
    for (const char* dir : {VELMORA_FUZZ_SEEDS, VELMORA_FUZZ_REGRESSIONS}) {
        const fs::path folder = fs::path(dir) / target;
        if (!fs::is_directory(folder)) continue;
        for (const auto& e : fs::directory_iterator(folder)) {
            if (e.is_regular_file() && e.path().filename() != "README.md") files.push_back(e.path());
        }
    }
    return files;
}

using testing::readBytes;

TEST(FuzzRegressions, RecordInputs) {
    const auto files = inputs("record");
    ASSERT_GE(files.size(), 5u);
    for (const fs::path& f : files) EXPECT_TRUE(fuzz::recordInput(readBytes(f))) << f;
}

TEST(FuzzRegressions, SettingsInputs) {
    const auto files = inputs("settings");
    ASSERT_GE(files.size(), 5u);
    for (const fs::path& f : files) EXPECT_TRUE(fuzz::settingsInput(readBytes(f))) << f;
}

TEST(FuzzRegressions, FileInputs) {
    const auto files = inputs("file");
    ASSERT_GE(files.size(), 5u);
    for (const fs::path& f : files) EXPECT_TRUE(fuzz::fileInput(readBytes(f))) << f;
}

TEST(FuzzRegressions, PositionInputs) {
    const auto files = inputs("position");
    ASSERT_GE(files.size(), 5u);
    for (const fs::path& f : files) EXPECT_TRUE(fuzz::positionInput(readBytes(f))) << f;
}

}  // namespace
}  // namespace velmora
