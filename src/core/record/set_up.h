#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "game.h"
#include "record/position_text.h"

namespace velmora {

// The position on the screen as text: the boards of the shown snapshot (as
// they stand unturned), the colour to move there and its move number.
PositionText shownPositionText(const Game& g);

// Puts `p` on the game as a fresh start, as a load leaves a record: snapshot
// 0 with no move after it, to be played from (both kinds of game) or
// analysed. The colour to move there is the first player's, as in a record
// whose first move that colour made; the pictures show every piece in its
// own colour (a loaded record whose first move is black's shows them
// exchanged, as such records always have).
void setUpPosition(Game& g, const PositionText& p);

// The first of the editor's rules `p` breaks (each board one king of each
// colour; no pawn on the first or last rank; the side to move cannot take
// the other side's king at once), none when it keeps them all.
std::optional<Text> setUpFault(const PositionText& p);

// 局面を貼り付け: reads `text` (white space around it aside) and sets it up.
// A refused text shows the reader's line in a box and changes nothing;
// during a game under way the person is asked first. True when set up.
bool pastePosition(Game& g, std::string_view text);
// Its first half: the text read, or its refusal shown in the box.
std::optional<PositionText> readPastedPosition(Game& g, std::string_view text);
// The same for a position already read (the editor's): asked first during a
// game under way, then set up and shown. True when set up.
bool placePosition(Game& g, const PositionText& p);
// The editor's OK: the first rule `p` breaks is named in a box (false, and
// nothing changes); otherwise it is placed as above.
bool acceptEditedPosition(Game& g, const PositionText& p);

}  // namespace velmora
