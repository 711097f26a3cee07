#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// The sound library as the game uses it: opaque 32-bit handles, 0 = none.
class SoundPort {
public:
    virtual ~SoundPort() = default;
    virtual std::int32_t dsInitialize() = 0;
    // Loads a complete wave file image; the returned buffer plays independently of it.
    virtual std::int32_t dsCreateDSB(std::int32_t device, const std::string& waveImage, std::int32_t flags) = 0;
    virtual void dsPlay(std::int32_t buffer) = 0;
    virtual void dsPlayLooping(std::int32_t buffer) = 0;
    virtual void dsStop(std::int32_t buffer) = 0;
    virtual void dsFree(std::int32_t buffer) = 0;
    virtual void dsTerminate(std::int32_t device) = 0;
};

}  // namespace velmora
