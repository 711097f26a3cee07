#pragma once
#include <string>

namespace velmora {

// A browser window of the system: a web address or a local HTML file, shown
// with its tool bar and without its menu bar where the browser allows it.
class Browser {
public:
    virtual ~Browser() = default;
    // False when no browser window could be opened.
    virtual bool open(const std::string& target) = 0;
};

}  // namespace velmora
