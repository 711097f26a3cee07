#pragma once

namespace velmora {

// The program around the game: ending it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void quit() = 0;
};

}  // namespace velmora
