#pragma once

namespace velmora {

// The modal version dialog; returns when the person has closed it.
class VersionDialog {
public:
    virtual ~VersionDialog() = default;
    virtual void showVersionDialog() = 0;
};

}  // namespace velmora
