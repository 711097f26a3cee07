#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

enum class FileRead { Ok, Missing, Failed };

// Reads a whole file as bytes, without ever blocking or growing past
// `maxBytes`: the file is opened non-blocking (a pipe or a device never
// stalls the game) and must be a regular file no larger than the bound.
// Missing: no file of that name. Failed: it is there but cannot be read;
// `reason` then holds an errno value or FILE_NOT_REGULAR / FILE_TOO_LARGE.
// A file whose owner has taken away its read permission counts as
// unreadable even for a user privileged enough to read it anyway.
FileRead readWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& reason);

// The lines of a file's bytes, one at a time, without their line ends. Text
// after the last line end is one more line; nothing after it is none.
class LineSplitter {
public:
    enum Ends {
        LF,    // a line ends at LF; a CR right before it goes with it (record files)
        ANY,   // CR LF, LF or a CR alone (a settings file edited by hand)
    };
    LineSplitter(std::string_view text, Ends ends) : text_(text), ends_(ends) {}

    // False after the last line.
    bool next(std::string_view& line);
    // The last line's length as the file has it, a CR that went with the LF included.
    std::size_t rawLength() const { return rawLength_; }

private:
    std::string_view text_;
    Ends ends_;
    std::size_t start_ = 0;
    std::size_t rawLength_ = 0;
};

}  // namespace velmora
