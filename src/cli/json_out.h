#pragma once
// velmora-cli's JSON: one writer for every line it prints, in the one layout
// the reference answers use (", " between items, ": " after a key, reals
// always with a fraction or an exponent).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/com_state.h"
#include "game.h"
#include "rules/move_list.h"

namespace velmora::cli {

class JsonWriter {
public:
    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }
    // The key of the object member whose value comes next.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(int number);
    JsonWriter& value(std::uint64_t number);
    JsonWriter& boolean(bool truth);
    // The shortest text that reads back as the same double: 5 is 5.0.
    JsonWriter& value(double number);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& null();

    // What was written; every value opened must have been closed.
    const std::string& text() const { return out_; }

private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void beforeValue();

    std::string out_;
    std::vector<bool> hasItems_;  // one entry per open object or array
    bool afterKey_ = false;
};

// The game's values, each as one JSON value.
void writeSquare(JsonWriter& json, Square square);  // [file, rank]
void writeGrid(JsonWriter& json, const IntGrid& grid);  // eight files of eight ranks
void writeInfluence(JsonWriter& json, const BoardState& bs);
void writeBestMove(JsonWriter& json, const std::optional<BestMove>& best);  // null when none was found
void writeMoves(JsonWriter& json, const std::vector<Move>& moves);

}  // namespace velmora::cli
