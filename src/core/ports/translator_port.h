#pragma once
#include <optional>
#include <string>

namespace velmora {

// The person's language. The game's own texts are written in Japanese; a
// translator gives a text in the run's language, or nothing when it has no
// translation of it. A Japanese run has no translator, and every text stays
// exactly as written.
class Translator {
public:
    virtual ~Translator() = default;
    virtual std::optional<std::string> translation(const std::string& source) const = 0;
};

}  // namespace velmora
