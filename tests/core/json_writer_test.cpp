// velmora-cli's JSON writer: the layout every answer line has, which the
// reference answers share byte for byte.
#include <gtest/gtest.h>

#include <limits>

#include "cli/json_out.h"
#include "com/com_state.h"

namespace velmora::cli {
namespace {

TEST(JsonWriter, SeparatorsAndNesting) {
    JsonWriter json;
    json.beginObject().key("a").value(1).key("b").beginArray().value(2).beginArray().endArray();
    json.beginObject().endObject().null().endArray().key("c").value("x").endObject();
    EXPECT_EQ(json.text(), R"({"a": 1, "b": [2, [], {}, null], "c": "x"})");
}

TEST(JsonWriter, RealsAlwaysReadAsReals) {
    JsonWriter json;
    json.beginArray().value(5.0).value(-9998.0).value(0.1).value(2.2).value(1e100).value(-0.5).endArray();
    EXPECT_EQ(json.text(), "[5.0, -9998.0, 0.1, 2.2, 1e+100, -0.5]");
    // The shortest text that reads back as the same double.
    JsonWriter third;
    third.value(1.0 / 3);
    EXPECT_EQ(std::stod(third.text()), 1.0 / 3);
    EXPECT_EQ(third.text(), "0.3333333333333333");
}

TEST(JsonWriter, StringsAreEscaped) {
    JsonWriter json;
    json.value(std::string_view("q\"b\\n\n\x01", 7));
    EXPECT_EQ(json.text(), R"("q\"b\\n\u000a\u0001")");
}

TEST(JsonWriter, GameValues) {
    IntGrid grid;
    grid.at(1, 2) = 3;
    grid.at(8, 8) = -1;
    JsonWriter json;
    writeGrid(json, grid);
    const std::string row0 = "[0, 3, 0, 0, 0, 0, 0, 0]";
    const std::string zeros = "[0, 0, 0, 0, 0, 0, 0, 0]";
    EXPECT_EQ(json.text(), "[" + row0 + ", " + zeros + ", " + zeros + ", " + zeros + ", " + zeros + ", " + zeros +
                               ", " + zeros + ", [0, 0, 0, 0, 0, 0, 0, -1]]");
    JsonWriter moves;
    writeMoves(moves, {{{1, 2}, {1, 4}}, {{7, 1}, {6, 3}}});
    EXPECT_EQ(moves.text(), "[[1, 2, 1, 4], [7, 1, 6, 3]]");
    JsonWriter best;
    best.beginArray();
    writeBestMove(best, std::nullopt);
    writeBestMove(best, BestMove{0.1, {3, 1}, {1, 3}, BLACK_BISHOP, BLACK_BISHOP});
    best.endArray();
    EXPECT_EQ(best.text(),
              R"([null, {"score": 0.1, "from": [3, 1], "to": [1, 3], "placedPiece": 3, "movingPiece": 3}])");
}

}  // namespace
}  // namespace velmora::cli
