#pragma once
// The cover steps: a piece of code p on square (af, ar) covers square (sf, sr).
// Shared by the survey and the line and diagonal walks.
#include "rules/board_state.h"

namespace velmora::cover {

// White step 1-3. The white king performs these only; other white pieces add step 4.
inline void whiteSteps123(BoardState& bs, int p, int af, int ar, int sf, int sr) {
    InfluenceMap& m = bs.influence;
    const int idx = IntGrid::index(sf, sr);
    m.whiteAttacks.cells[idx] += 1;
    const PieceCode there = bs.board.cells[idx];
    if (there < 0) {
        if (m.whiteDefender.cells[idx] > p) m.whiteDefender.cells[idx] = static_cast<std::int16_t>(p);
    } else if (there > 0) {
        if (m.whiteThreat.cells[idx] < p) {
            m.whiteThreat.cells[idx] = static_cast<std::int16_t>(p);
            m.whiteThreatFile.cells[idx] = static_cast<std::int16_t>(af);
            m.whiteThreatRank.cells[idx] = static_cast<std::int16_t>(ar);
        }
    }
}

// Black step 2 and 3 with or without writing the square grids, step 3 optional.
struct BlackSteps {
    bool writeSquares;
    bool step3;
};

inline void blackSteps123(BoardState& bs, int p, int af, int ar, int sf, int sr, BlackSteps how) {
    InfluenceMap& m = bs.influence;
    const int idx = IntGrid::index(sf, sr);
    m.blackAttacks.cells[idx] += 1;
    const PieceCode there = bs.board.cells[idx];
    if (there >= 1) {
        if (m.blackDefender.cells[idx] > p) {
            m.blackDefender.cells[idx] = static_cast<std::int16_t>(p);
            if (how.writeSquares) {
                m.blackDefenderFile.cells[idx] = static_cast<std::int16_t>(af);
                m.blackDefenderRank.cells[idx] = static_cast<std::int16_t>(ar);
            }
        }
    } else if (there <= -1 && how.step3) {
        if (m.blackThreat.cells[idx] > p) {
            m.blackThreat.cells[idx] = static_cast<std::int16_t>(p);
            if (how.writeSquares) {
                m.blackThreatFile.cells[idx] = static_cast<std::int16_t>(af);
                m.blackThreatRank.cells[idx] = static_cast<std::int16_t>(ar);
            }
        }
    }
}

}  // namespace velmora::cover
