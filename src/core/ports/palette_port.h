#pragma once
// The sixteen-colour palette the drawing port takes: colour numbers 0..15,
// and the roles the game gives some of them.

namespace velmora {

// Palette colour numbers and their roles.
constexpr int SHADOW_COLOR = 0;
constexpr int BACK_COLOR = 2;
constexpr int OUTLINE_COLOR = 2;
constexpr int SELECT_COLOR = 12;
constexpr int LABEL_COLOR = 14;
constexpr int WHITE_COLOR = 15;
constexpr int RESULT_COLOR = 15;
// The computer's destination square and its move text.
constexpr int COM_MOVE_COLOR = 15;
// The last move's marks: yellow on its from and to squares, magenta on the
// square of the other board whose piece the two-board capture took. Both read
// on the teal and on the red squares, and neither is a colour the game marks
// with otherwise: the selection is light red (12), the guidance and the
// computer's destination bright white (15).
constexpr int LAST_MOVE_COLOR = 14;
constexpr int TWIN_CAPTURE_COLOR = 13;
// The keyboard's square cursor: dark blue, which nothing else draws with and
// which stands out at least 3:1 from every pixel of both marble squares
// (their lightest veins included, where light cyan fell below 2:1); of the
// palette only black does so too, and black is the texts' shadow.
constexpr int KEY_CURSOR_COLOR = 1;

}  // namespace velmora
