#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "board/side.h"
#include "timing/time_control.h"

namespace velmora {

// What a game kept as the program ended needs, beside its positions, to go
// on as it was: who played it, the computer's level, and its clocks. It is
// written as the kept record's title line, which the record format leaves
// free, so the file stays an ordinary record any version reads:
//
//   velmora game: computer level=3 clock=300000+2000 white=251234 black=187000
//   velmora game: people
//
// (times in milliseconds; no clock part for a game without clocks).
struct KeptGame {
    GameMode mode = GameMode::BetweenPeople;
    int level = 3;
    TimeControl control;  // off: no clocks
    double whiteMs = 0;
    double blackMs = 0;
};

std::string keptGameLine(const KeptGame& game);

// The kept game a title line describes; nothing for any other title, or for
// one that is damaged (an unknown word, a level outside 1-12, a time out of
// range).
std::optional<KeptGame> readKeptGameLine(std::string_view line);

}  // namespace velmora
