// The computer's turn driven by events: a pause is a timer event, the search
// answers when its worker is done, and every command works in every phase of
// the turn. A command that changes the position sets a turn that has not
// moved aside (its move never lands on the changed game) or lets one that
// has moved finish showing at once; the others run beside the turn.
#include <gtest/gtest.h>

#include <filesystem>

#include "com/com_state.h"
#include "com/handicap.h"
#include "com/hint.h"
#include "com/level.h"
#include "engine/position.h"
#include "event_fakes.h"
#include "flow/clock_commands.h"
#include "flow/last_game.h"
#include "help/help.h"
#include "options/option_commands.h"
#include "record/listed_moves.h"
#include "record/record_commands.h"
#include "record/notation.h"
#include "record/replay.h"
#include "record/resume.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::EventWorld;
using Turn = ComState::Turn;

// Where the computer's turn stands when a command arrives.
enum class Phase { BeforeSearch, Searching, Blinking, PauseAfter };

const char* nameOf(Phase p) {
    switch (p) {
        case Phase::BeforeSearch: return "before the search";
        case Phase::Searching: return "during the search";
        case Phase::Blinking: return "during the blinking";
        case Phase::PauseAfter: return "in the pause after the move";
    }
    return "";
}

// A game against `level` with the person first, e2-e4 played on the left
// board, and the turn driven on to `phase`. False when the phase never came.
bool reach(EventWorld& w, int level, Phase phase) {
    w.command([&] { LEVEL_Click(w.game, level); });
    w.command([&] { SENTE_Click(w.game); });
    w.command([&] { testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5); });
    const ComState& c = comState(w.game);
    for (int events = 0; events < 50; ++events) {
        const bool paused = w.timer.running();
        switch (phase) {
            case Phase::BeforeSearch:
                if (c.turn == Turn::Thinking && paused) return true;
                break;
            case Phase::Searching:
                if (c.turn == Turn::Thinking && w.engine.holding()) return true;
                break;
            case Phase::Blinking:
                if (c.turn == Turn::Showing && paused && w.timer.pendingMs == 200) return true;
                break;
            case Phase::PauseAfter:
                if (c.turn == Turn::Showing && paused && w.timer.pendingMs == 500) return true;
                break;
        }
        if (!w.timer.fire()) w.engine.answerAll();
    }
    return false;
}

// The computer's move has been made and stored.
bool computerMoved(const EventWorld& w) { return w.game.state.lastMoveNumber == 2; }

struct Case {
    const char* name;
    std::function<void(EventWorld&)> send;
    // Checks the command's effect once everything has played out; `moved`:
    // the computer's move had landed when the command came.
    std::function<void(EventWorld&, bool moved)> check;
};

// The game stands as the command left it: a turn that had not moved never
// moves on it, one that had moved is kept.
void expectNoMoveAfter(const EventWorld& w, bool moved) {
    EXPECT_EQ(w.game.state.lastMoveNumber, moved ? 2 : 1);
    EXPECT_EQ(comState(w.game).turn, Turn::None);
}

// The command left the position as it was: the computer's turn was taken up
// again (or had moved already), and the person is to move after its move.
void expectComputerWentOn(const EventWorld& w, bool) {
    EXPECT_TRUE(computerMoved(w));
    EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
    EXPECT_EQ(w.game.state.moveNumber, 2);
    EXPECT_FALSE(comState(w.game).turnStopped);
}

bool boxSaid(const EventWorld& w, const std::string& titledText) {
    const auto texts = w.boxes.titledTexts();
    return std::find(texts.begin(), texts.end(), titledText) != texts.end();
}

std::vector<Case> commands(const testing::ScratchFolder& folder) {
    return {
        // The game goes on from the position as the command found it: with
        // black to move the computer makes that move (its own turn, afresh),
        // with white to move it is the person's. Either way one black move.
        {"new game (先手)", [](EventWorld& w) { SENTE_Click(w.game); },
         [](EventWorld& w, bool) {
             EXPECT_EQ(w.game.state.lastMoveNumber, 2);
             EXPECT_TRUE(isBlack(調査_手番駒(w.game, 2)));
             EXPECT_EQ(comState(w.game).turn, Turn::None);
             EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
         }},
        {"読込 (a record chosen)", [&folder](EventWorld& w) { File1_Click(w.game, (folder / "play.棋譜").string()); },
         [](EventWorld& w, bool) {
             EXPECT_TRUE(w.game.state.recordMode);
             EXPECT_EQ(w.game.state.moveNumber, 0);
             EXPECT_EQ(comState(w.game).turn, Turn::None);
         }},
        {"前回の対局 (none kept)", [](EventWorld& w) { KIFU_RESUME_Click(w.game); },
         [](EventWorld& w, bool moved) {
             EXPECT_TRUE(boxSaid(w, "棋譜|前回の対局はありません"));
             expectComputerWentOn(w, moved);
         }},
        {"最初", [](EventWorld& w) { CANCEL_Click(w.game); },
         [](EventWorld& w, bool) {
             EXPECT_EQ(w.game.state.moveNumber, 0);
             EXPECT_EQ(w.game.state.sideToMove, Side::None);
             EXPECT_EQ(w.game.board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
             EXPECT_FALSE(comState(w.game).turnStopped);
         }},
        {"戻", [](EventWorld& w) { REPLAY_Click(w.game); },
         [](EventWorld& w, bool moved) {
             expectNoMoveAfter(w, moved);
             EXPECT_EQ(w.game.state.moveNumber, moved ? 1 : 0);
             EXPECT_EQ(w.game.state.sideToMove, Side::None);
             EXPECT_EQ(w.game.board(BoardId::LEFT), w.game.history.left[w.game.state.moveNumber]);
         }},
        {"進 (at the last move)", [](EventWorld& w) { AFTER_Click(w.game); },
         [](EventWorld& w, bool moved) {
             EXPECT_TRUE(boxSaid(w, "進む|できません"));
             expectComputerWentOn(w, moved);
         }},
        {"the move list (move 0)", [](EventWorld& w) { stepToMove(w.game, 0); },
         [](EventWorld& w, bool moved) {
             expectNoMoveAfter(w, moved);
             EXPECT_EQ(w.game.state.moveNumber, 0);
             EXPECT_EQ(w.game.board(BoardId::LEFT), w.game.history.left[0]);
         }},
        {"the level", [](EventWorld& w) { LEVEL_Click(w.game, 2); },
         [](EventWorld& w, bool moved) {
             EXPECT_EQ(w.game.state.comLevel, 2);
             expectComputerWentOn(w, moved);
         }},
        {"the handicap (refused in a game)", [](EventWorld& w) { LBEL_UP_Click(w.game); },
         [](EventWorld& w, bool moved) {
             EXPECT_EQ(w.game.state.handicapLevel, 0);
             expectComputerWentOn(w, moved);
         }},
        {"反転", [](EventWorld& w) { REVERSE_Click(w.game); },
         [](EventWorld& w, bool moved) {
             EXPECT_TRUE(w.game.state.reversed);
             expectComputerWentOn(w, moved);
         }},
        {"a time control", [](EventWorld& w) { chooseTimeControl(w.game, TIME_CONTROL_PRESETS[1]); },
         [](EventWorld& w, bool moved) {
             EXPECT_EQ(w.game.options.timeControl, TIME_CONTROL_PRESETS[1]);
             expectComputerWentOn(w, moved);
         }},
        // Beside the turn: it goes on as if nothing happened.
        {"背景画 緑", [](EventWorld& w) { MIDORI_Click(w.game); },
         [](EventWorld& w, bool moved) {
             EXPECT_TRUE(w.marks.isChecked(MenuItem::Green));
             expectComputerWentOn(w, moved);
             EXPECT_EQ(w.engine.cancelled(), 0);
         }},
        {"解説", [](EventWorld& w) { KAISETU_Click(w.game); },
         [](EventWorld& w, bool moved) {
             expectComputerWentOn(w, moved);
             EXPECT_EQ(w.engine.cancelled(), 0);
         }},
        {"バージョン情報", [](EventWorld& w) { VER_Click(w.game); },
         [](EventWorld& w, bool moved) {
             expectComputerWentOn(w, moved);
             EXPECT_EQ(w.engine.cancelled(), 0);
         }},
        {"書込", [](EventWorld& w) { KIFU_WRITE_Click(w.game); },
         [](EventWorld& w, bool moved) {
             expectComputerWentOn(w, moved);
             EXPECT_EQ(w.engine.cancelled(), 0);
         }},
    };
}

class TurnEvents : public ::testing::TestWithParam<int> {};

TEST_P(TurnEvents, EveryCommandWorksInEveryPhaseAndNoMoveLandsOnAChangedGame) {
    const int level = GetParam();
    testing::ScratchFolder folder(testing::ScratchFolder::ENTER);
    std::filesystem::copy_file(VELMORA_GOLDEN_DIR "/play.棋譜", folder / "play.棋譜");
    std::vector<Phase> phases = {Phase::BeforeSearch, Phase::Blinking, Phase::PauseAfter};
    if (isEngineLevel(level)) phases.push_back(Phase::Searching);
    for (const Case& c : commands(folder)) {
        for (Phase phase : phases) {
            SCOPED_TRACE(std::string(c.name) + ", " + nameOf(phase) + ", LEVEL" + std::to_string(level));
            EventWorld w;
            w.game.options.resumeFile = (folder / "resume.棋譜").string();
            std::filesystem::remove(folder / "resume.棋譜");
            ASSERT_TRUE(reach(w, level, phase));
            const bool moved = computerMoved(w);
            EXPECT_EQ(moved, phase == Phase::Blinking || phase == Phase::PauseAfter);
            w.command([&] { c.send(w); });
            w.settle();
            c.check(w, moved);
            // Whatever was under way has played out: no pause, no search left.
            EXPECT_FALSE(w.timeline.waiting());
            EXPECT_FALSE(w.engine.holding());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(OneMoveAndEngineLevels, TurnEvents, ::testing::Values(3, MAX_LEVEL));

TEST(TurnEvents, TheTurnIsStepsNotOneCall) {
    EventWorld w;
    w.command([&] { LEVEL_Click(w.game, 3); });
    w.command([&] { SENTE_Click(w.game); });
    w.command([&] { testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5); });
    // The click returned with the person's move text still on its pause and
    // the computer's turn only begun: nothing of it is on the boards.
    EXPECT_EQ(comState(w.game).turn, Turn::Thinking);
    EXPECT_TRUE(w.timer.running());
    EXPECT_EQ(w.game.state.lastMoveNumber, 1);
    // A click on the board while the computer thinks is dropped.
    w.command([&] { testing::clickSquare(w.game, BoardId::LEFT, 4, 7); });
    EXPECT_FALSE(w.game.selection(BoardId::LEFT).pieceSelected);
    // The pauses, one timer event each: the blink of the other board's
    // square, the move text, before the left board's search, before the
    // right board's; then the move is made.
    std::vector<int> pauses;
    while (w.game.state.lastMoveNumber == 1 && w.timer.running()) {
        pauses.push_back(w.timer.pendingMs);
        w.timer.fire();
    }
    EXPECT_EQ(pauses, (std::vector<int>{200, 200, 200, 200, 300, 300, 300}));
    EXPECT_EQ(w.game.state.lastMoveNumber, 2);
    // Made and stored, and still shown: the piece's blink, the other
    // board's, the move text, the pause after it.
    EXPECT_EQ(comState(w.game).turn, Turn::Showing);
    pauses.clear();
    while (w.timer.running()) {
        pauses.push_back(w.timer.pendingMs);
        w.timer.fire();
    }
    EXPECT_EQ(pauses, (std::vector<int>{200, 200, 200, 200, 200, 200, 200, 200, 300, 500}));
    EXPECT_EQ(comState(w.game).turn, Turn::None);
    EXPECT_EQ(w.game.state.sideToMove, w.game.state.whiteSide);
    // Now the board is the person's again.
    w.command([&] { testing::clickSquare(w.game, BoardId::LEFT, 4, 7); });
    EXPECT_TRUE(w.game.selection(BoardId::LEFT).pieceSelected);
}

TEST(TurnEvents, AnAnswerForAnotherPositionIsDropped) {
    EventWorld w;
    ASSERT_TRUE(reach(w, MAX_LEVEL, Phase::Searching));
    // The engine's answer arrives for boards that were changed behind the
    // turn's back (no command did it): the core plays nothing.
    w.game.board(BoardId::RIGHT).at(1, 7) = EMPTY;
    w.engine.answerAll();
    EXPECT_EQ(w.game.state.lastMoveNumber, 1);
    EXPECT_EQ(comState(w.game).turn, Turn::None);
    EXPECT_TRUE(comState(w.game).turnStopped);
    EXPECT_EQ(w.game.state.sideToMove, Side::None);
}

// The window's runner, with the test as its worker: a cancelled search's
// answer is dropped, a new search gives up the one before, and each search
// begins with its own stop flag clear.
TEST(TurnEvents, ACancelledSearchIsNeverAnsweredAndTheNextOneRunsToItsDepth) {
    testing::HeldEngine runner;
    Board b;
    setStartPosition(b);
    const engine::Position start = engine::positionFromBoards(b, b, engine::WHITE);
    std::vector<int> answered;
    const auto answerAs = [&answered](int n) {
        return [&answered, n](std::optional<engine::SearchResult> r) {
            if (r && r->found()) answered.push_back(n);
        };
    };
    const std::shared_ptr<SearchTask> first = runner.start(start, {}, answerAs(1));
    EXPECT_TRUE(runner.thinking());
    first->cancel();
    runner.answerAll();
    EXPECT_EQ(answered, std::vector<int>{});
    EXPECT_TRUE(first->answered());
    EXPECT_FALSE(runner.thinking());
    // A search started while another one runs gives that one up.
    const std::shared_ptr<SearchTask> second = runner.start(start, {}, answerAs(2));
    const std::shared_ptr<SearchTask> third = runner.start(start, {}, answerAs(3));
    EXPECT_TRUE(second->cancelled());
    EXPECT_FALSE(third->cancelled());
    runner.answerAll();
    EXPECT_EQ(answered, std::vector<int>{3});
    EXPECT_FALSE(runner.thinking());
    ASSERT_EQ(runner.searches.size(), 3u);
    for (const testing::HeldEngine::Search& s : runner.searches) EXPECT_FALSE(s.stoppedAtStart);
    // Not stopped by the flags set before it: the whole depth was searched.
    ASSERT_TRUE(runner.searches[2].result);
    EXPECT_EQ(runner.searches[2].result->depth, 2);
}

// 反転 during the search: the turn's search is stopped and never plays, and
// the computer thinks again from a search of its own that is not stopped.
TEST(TurnEvents, AfterAStoppedSearchTheComputerPlaysTheNextSearchsMove) {
    EventWorld w;
    ASSERT_TRUE(reach(w, MAX_LEVEL, Phase::Searching));
    w.command([&] { REVERSE_Click(w.game); });
    w.settle();
    ASSERT_EQ(w.engine.searches.size(), 2u);
    EXPECT_TRUE(w.engine.searches[0].task->cancelled());
    EXPECT_FALSE(w.engine.searches[1].task->cancelled());
    EXPECT_FALSE(w.engine.searches[1].stoppedAtStart);
    ASSERT_TRUE(w.engine.searches[1].result);
    const engine::SearchResult& played = *w.engine.searches[1].result;
    EXPECT_EQ(played.depth, 2);
    // Its move, and one move only, is on the boards.
    EXPECT_EQ(w.game.state.lastMoveNumber, 2);
    const Board& after = played.board == BoardId::LEFT ? w.game.history.left[2] : w.game.history.right[2];
    EXPECT_EQ(after.at(played.to), static_cast<PieceCode>(played.placed));
    EXPECT_EQ(after.at(played.from), EMPTY);
}

TEST(TurnEvents, EscEndsFromEveryPhaseWithNothingLeftRunning) {
    for (Phase phase : {Phase::BeforeSearch, Phase::Searching, Phase::Blinking, Phase::PauseAfter}) {
        SCOPED_TRACE(nameOf(phase));
        testing::ScratchFolder folder;
        EventWorld w;
        w.game.options.resumeFile = (folder / "resume.棋譜").string();
        ASSERT_TRUE(reach(w, MAX_LEVEL, phase));
        const int stored = w.game.state.lastMoveNumber;
        w.command([&] { Form_KeyDown(w.game, 27); });
        EXPECT_TRUE(w.shell.quitRequested);
        // No pause waits and the search was cancelled: nothing more happens.
        EXPECT_FALSE(w.timer.running());
        EXPECT_FALSE(w.engine.holding());
        EXPECT_FALSE(w.timeline.waiting());
        EXPECT_EQ(w.game.state.lastMoveNumber, stored);
        // The game is kept as it stood: move 0 and each stored move.
        const std::string kept = folder.read("resume.棋譜");
        size_t lines = 0;
        for (size_t at = kept.find("\r\n"); at != std::string::npos; at = kept.find("\r\n", at + 2)) ++lines;
        EXPECT_EQ(lines, static_cast<size_t>(3 + stored + 1));
    }
}

TEST(TurnEvents, AHintRunsBesideCommandsAndAChangeOfPositionCancelsIt) {
    struct HintCase {
        const char* name;
        std::function<void(EventWorld&)> send;
        bool cancels;
    };
    const std::vector<HintCase> cases = {
        {"戻", [](EventWorld& w) { REPLAY_Click(w.game); }, true},
        {"the level", [](EventWorld& w) { LEVEL_Click(w.game, 2); }, true},
        {"反転", [](EventWorld& w) { REVERSE_Click(w.game); }, true},
        {"new game", [](EventWorld& w) { START_Click(w.game); }, true},
        {"背景画", [](EventWorld& w) { UCHU_Click(w.game); }, false},
        {"解説", [](EventWorld& w) { KAISETU_Click(w.game); }, false},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        EventWorld w;
        w.command([&] { START_Click(w.game); });
        w.command([&] { testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5); });
        w.playOut();
        w.command([&] { HINT_Click(w.game); });
        ASSERT_TRUE(w.engine.holding());
        // A second hint while one is searched is not started.
        w.command([&] { HINT_Click(w.game); });
        EXPECT_EQ(w.engine.searches.size(), 1u);
        const int outlines = w.screen.whiteOutlines;
        w.command([&] { c.send(w); });
        w.settle();
        EXPECT_EQ(w.engine.cancelled(), c.cancels ? 1 : 0);
        // The hint's two outlines are drawn only when it was left to answer.
        EXPECT_EQ(w.screen.whiteOutlines - outlines, c.cancels ? 0 : 2);
        EXPECT_FALSE(comState(w.game).hintSearch);
    }
}

TEST(TurnEvents, BetweenPeopleAMoveDuringTheOthersMoveTextIsKept) {
    EventWorld w;
    w.command([&] { START_Click(w.game); });
    w.command([&] { testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5); });
    ASSERT_TRUE(w.timer.running());  // white's move text on its pause
    w.command([&] { testing::clickMove(w.game, BoardId::RIGHT, 4, 2, 4, 4); });
    EXPECT_EQ(w.game.state.moveNumber, 2);
    EXPECT_EQ(w.game.history.right[2].at(4, 4), BLACK_PAWN);
    EXPECT_EQ(w.game.state.sideToMove, Side::First);
    w.playOut();
    EXPECT_FALSE(w.timeline.waiting());
}

}  // namespace
}  // namespace velmora
