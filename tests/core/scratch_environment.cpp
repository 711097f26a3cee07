// The whole test program runs in a scratch working directory, so that
// start-up in any test never leaves a settings file in the caller's folder.
#include <gtest/gtest.h>

#include <memory>

#include "test_support.h"

namespace {

class ScratchWorkingDirectory : public ::testing::Environment {
    void SetUp() override { folder_ = std::make_unique<velmora::testing::ScratchFolder>(velmora::testing::ScratchFolder::ENTER); }
    void TearDown() override { folder_.reset(); }
    std::unique_ptr<velmora::testing::ScratchFolder> folder_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ScratchWorkingDirectory);

}  // namespace
