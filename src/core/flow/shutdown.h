#pragma once
#include <memory>
#include <optional>
#include <string>

#include "game.h"
#include "game_outcome.h"

namespace velmora {

// The result box's text: "引き分けです", or the winner's name and "の勝ちです".
std::string resultText(Winner winner);

// The end of a game: the result box, then "続けますか？". Yes sets up a new
// board and draws it, No ends the program.
GameOutcome 終了(Game& g, Winner winner);

// After a turn that may have ended the game (the computer's): the end of the
// game when it names a winner; otherwise the game continues.
GameOutcome finishTurn(Game& g, std::optional<Winner> winner);

// How a step that may run later left the game, for a caller that returns an
// outcome: the step's own when it ran within the call, else Continues.
class OutcomeInCall {
public:
    // Hands the step's outcome to the caller while the call lasts.
    void set(GameOutcome outcome) const {
        if (*outcome_) *outcome_ = outcome;
    }
    // The outcome so far; later steps no longer report to the caller.
    GameOutcome take() const {
        const GameOutcome outcome = outcome_->value();
        outcome_->reset();
        return outcome;
    }

private:
    std::shared_ptr<std::optional<GameOutcome>> outcome_ =
        std::make_shared<std::optional<GameOutcome>>(GameOutcome::Continues);
};

// The computer's turn (beginComputerTurn), the game's end following it when
// it names a winner. Returns how the turn left the game when it ran to its
// end within the call (a headless game); otherwise Continues, and the rest
// follows as the search answers and the screen shows the move.
GameOutcome playComputerTurn(Game& g);

// The end of the game once the screen has shown the move that ended it: at
// once, with its outcome, when nothing is still to be shown.
GameOutcome endWhenShown(Game& g, Winner winner);

// Releases the sound buffers and the device; every way out of the program runs it.
void 終了処理(Game& g);

// Who ends the program: the person (終わり, Esc, closing the window, No to
// "続けますか？"), or a signal from the system, when nobody is there to
// answer a box.
enum class EndCause { Person, Signal };

// Every way out of the program: keeps a game with unsaved moves in the
// resume record, releases what the program holds, then tells the shell to
// end the program. A game that cannot be kept is not lost in silence: the
// person is told in a box naming the file and the reason, a signal's end
// says it in one line through the shell; the program ends either way. A
// second call finds nothing more to keep or release.
void endProgram(Game& g, EndCause cause = EndCause::Person);

}  // namespace velmora
