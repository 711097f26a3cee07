#include "analysis/line_names.h"

#include <cmath>
#include <cstdio>

#include "analysis/review.h"
#include "record/notation.h"

namespace velmora {

std::vector<Text> lineNames(engine::Position position, const std::vector<engine::EngineMove>& line) {
    std::vector<Text> names;
    for (const engine::EngineMove m : line) {
        const Board lb = engine::boardOf(position, BoardId::LEFT), rb = engine::boardOf(position, BoardId::RIGHT);
        engine::Undo undo;
        position.make(m, undo);
        const std::optional<PlayedMove> played =
            readMove(lb, rb, engine::boardOf(position, BoardId::LEFT), engine::boardOf(position, BoardId::RIGHT));
        if (!played) break;
        names.push_back(moveName(*played, true));
    }
    return names;
}

Text scoreText(engine::Score s) {
    if (const std::optional<KingFall> fall = kingFallOf(s)) {
        if (fall->moves == 0) return Text(fall->forFirst ? "先手がキングを取った" : "後手がキングを取った");
        return Text(fall->forFirst ? "先手が%1手でキングを取る" : "後手が%1手でキングを取る").arg(fall->moves);
    }
    char number[32];
    std::snprintf(number, sizeof number, "%+.2f", s / 100.0);
    return Text::asIs(number);
}

}  // namespace velmora
