#pragma once
#include <string>

namespace velmora {

// Check marks of menu items, addressed by the items' object names (LEVEL1, ...).
class MenuMarks {
public:
    virtual ~MenuMarks() = default;
    virtual void setChecked(const std::string& item, bool checked) = 0;
    // The settings file is written from the marks, so they are read back too.
    virtual bool isChecked(const std::string& item) const = 0;
};

}  // namespace velmora
