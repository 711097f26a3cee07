#pragma once
#include "ports/browser.h"

namespace velmora::ui {

// The desktop's own browser: web addresses as they are, anything else as a
// local file.
class QtBrowser : public Browser {
public:
    bool open(const std::string& target) override;
};

}  // namespace velmora::ui
