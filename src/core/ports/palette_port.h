#pragma once
// The sixteen-colour palette the drawing port takes: colour numbers 0..15,
// and the roles the game gives some of them.

#include <cstdint>

namespace velmora {

// A colour of the palette by its number, 0..15: what is drawn in, never a
// side of the game (that is `Colour`).
enum class PaletteColour : std::uint8_t {};

constexpr PaletteColour paletteColour(int number) { return static_cast<PaletteColour>(number); }
constexpr int paletteNumber(PaletteColour c) { return static_cast<int>(c); }

// Palette colour numbers and their roles.
constexpr PaletteColour SHADOW_COLOR{0};
constexpr PaletteColour BACK_COLOR{2};
constexpr PaletteColour OUTLINE_COLOR{2};
constexpr PaletteColour SELECT_COLOR{12};
constexpr PaletteColour LABEL_COLOR{14};
constexpr PaletteColour WHITE_COLOR{15};
constexpr PaletteColour RESULT_COLOR{15};
// The computer's destination square and its move text.
constexpr PaletteColour COM_MOVE_COLOR{15};
// The last move's marks: yellow on its from and to squares, magenta on the
// square of the other board whose piece the two-board capture took. Both read
// on the teal and on the red squares, and neither is a colour the game marks
// with otherwise: the selection is light red (12), the guidance and the
// computer's destination bright white (15).
constexpr PaletteColour LAST_MOVE_COLOR{14};
constexpr PaletteColour TWIN_CAPTURE_COLOR{13};
// The keyboard's square cursor: dark blue, which nothing else draws with and
// which stands out at least 3:1 from every pixel of both marble squares
// (their lightest veins included, where light cyan fell below 2:1); of the
// palette only black does so too, and black is the texts' shadow.
constexpr PaletteColour KEY_CURSOR_COLOR{1};

}  // namespace velmora
