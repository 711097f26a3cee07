// velmora-cli perft: counts the engine's move sequences from a position of a
// record file, optionally split by the first move, as JSON lines.
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "cli/json_out.h"
#include "engine/perft.h"
#include "engine/position.h"
#include "record/played_move.h"

namespace velmora::cli {
namespace {

// The side that made the move into snapshot n; none when nothing arrived.
std::optional<Colour> moverOf(const RecordFile& record, int n) {
    if (n <= 0) return std::nullopt;
    const SnapshotPair& now = record.snapshots[static_cast<size_t>(n)];
    const SnapshotPair& before = record.snapshots[static_cast<size_t>(n - 1)];
    return arrivedColour(before.left, before.right, now.left, now.right);
}

std::string moveJson(const engine::DivideEntry& e) {
    const engine::EngineMove m = e.move;
    JsonWriter json;
    json.beginObject().key("board").value(m.board() == BoardId::LEFT ? "left" : "right").key("from");
    writeSquare(json, {engine::fileOf(m.from()), engine::rankOf(m.from())});
    json.key("to");
    writeSquare(json, {engine::fileOf(m.to()), engine::rankOf(m.to())});
    json.key("placed").value(static_cast<int>(m.placed())).key("enPassant").boolean(m.enPassant());
    json.key("nodes").value(e.nodes).endObject();
    return json.text() + "\n";
}

}  // namespace

Colour perftColour(const RecordFile& record, int n, const Options& options) {
    if (options.side == "black") return engine::BLACK;
    // The side that did not make the last move.
    if (options.side.empty() && moverOf(record, n) == engine::WHITE) return engine::BLACK;
    return engine::WHITE;
}

bool perftLines(const SnapshotPair& s, int number, Colour colour, const Options& options,
                const std::function<bool(const std::string&)>& write) {
    engine::Position p = engine::positionFromBoards(s.left, s.right, colour);
    std::uint64_t total = 0;
    if (options.divide) {
        // Each first move's line goes out as soon as it is counted: a deep
        // count shows its progress, and a reader that has gone stops it.
        bool written = true;
        engine::divide(p, options.depth, [&](const engine::DivideEntry& e) {
            total += e.nodes;
            written = write(moveJson(e));
            return written;
        });
        if (!written) return false;
    } else {
        total = engine::perft(p, options.depth);
    }
    JsonWriter json;
    json.beginObject().key("move").value(number).key("side").value(colour == engine::WHITE ? "white" : "black");
    json.key("depth").value(options.depth).key("nodes").value(total).endObject();
    return write(json.text() + "\n");
}

}  // namespace velmora::cli
