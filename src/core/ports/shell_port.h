#pragma once
#include <string>

namespace velmora {

// The program around the game: ending it, and a line for whoever started it
// when no box can be shown.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void quit() = 0;
    virtual void warn(const std::string& line) = 0;
};

}  // namespace velmora
