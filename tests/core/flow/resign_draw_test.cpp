// 投了 and 引き分け提案 in each kind of game, and outside one.
#include <gtest/gtest.h>

#include "com/com_state.h"
#include "com/draw_offer.h"
#include "com/level.h"
#include "fakes.h"
#include "flow/game_flow.h"
#include "flow/resign_draw.h"
#include "test_support.h"

namespace velmora {
namespace {

// The engine as the window runs it, answering a search with a move scored
// as the test says.
struct ScoredEngine : EngineRunner {
    engine::Score score = 0;
    std::vector<engine::SearchLimits> asked;
    std::optional<engine::SearchResult> think(const engine::Position& p, const engine::SearchLimits& limits) override {
        asked.push_back(limits);
        engine::SearchResult r = engine::bestMove(p, 20);
        r.score = score;
        return r;
    }
};

struct World : testing::FakeWorld {
    ScoredEngine engine;
    World() : FakeWorld(&engine) {
        初期設定(game);
        dialogs.boxes.clear();
    }
    std::vector<std::string> boxTexts() const { return dialogs.titledTexts(); }
    // Both games go through the game's end; 続けますか？ answered Yes.
    std::vector<std::string> endedWith(const std::string& result) const {
        return {"終了|" + result, "再ゲーム|続けますか？"};
    }
};

TEST(ResignAndDraw, OutsideAGameBothAreRefusedAndNothingChanges) {
    World w;
    const GameState before = w.game.state;
    EXPECT_EQ(resignClick(w.game), GameOutcome::Continues);
    EXPECT_EQ(offerDrawClick(w.game), GameOutcome::Continues);
    EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{"開始|「対局」で始めて下さい", "開始|「対局」で始めて下さい"}));
    EXPECT_EQ(w.sound.played, (std::vector<std::int32_t>{w.game.sounds.forbiddenSound, w.game.sounds.forbiddenSound}));
    EXPECT_EQ(w.game.state, before);
    EXPECT_EQ(w.engine.asked.size(), 0u);
}

TEST(ResignAndDraw, BetweenPeopleTheSideToMoveResignsAndTheOtherWins) {
    for (const bool blackToMove : {false, true}) {
        World w;
        START_Click(w.game);
        if (blackToMove) testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
        w.dialogs.boxes.clear();
        // No: nothing happens.
        w.dialogs.answers = {Answer::No};
        const GameState before = w.game.state;
        EXPECT_EQ(resignClick(w.game), GameOutcome::Continues);
        EXPECT_EQ(w.game.state, before);
        w.dialogs.answers = {Answer::Yes, Answer::Yes};
        EXPECT_EQ(resignClick(w.game), GameOutcome::NewGame);
        std::vector<std::string> expected{"投了|投了しますか？", "投了|投了しますか？"};
        for (const auto& line : w.endedWith(blackToMove ? "先手の勝ちです" : "後手の勝ちです")) expected.push_back(line);
        EXPECT_EQ(w.boxTexts(), expected);
        EXPECT_EQ(w.game.state.sideToMove, Side::None);
    }
}

TEST(ResignAndDraw, AgainstTheComputerThePersonResignsAlsoWhileItsTurnStandsStopped) {
    World w;
    SENTE_Click(w.game);
    w.dialogs.boxes.clear();
    w.dialogs.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(resignClick(w.game), GameOutcome::NewGame);
    std::vector<std::string> expected{"投了|投了しますか？"};
    for (const auto& line : w.endedWith("ｺﾝﾋﾟｭｰﾀの勝ちです")) expected.push_back(line);
    EXPECT_EQ(w.boxTexts(), expected);
    // A command stopped the computer's search: the game is still on.
    World stopped;
    SENTE_Click(stopped.game);
    stopped.game.state.sideToMove = Side::None;
    comState(stopped.game).turnStopped = true;
    stopped.dialogs.boxes.clear();
    stopped.dialogs.answers = {Answer::Yes, Answer::No};
    EXPECT_EQ(resignClick(stopped.game), GameOutcome::ProgramEnds);
    EXPECT_EQ(stopped.boxTexts().at(1), "終了|ｺﾝﾋﾟｭｰﾀの勝ちです");
}

TEST(ResignAndDraw, BetweenPeopleTheOtherSideAnswersTheOffer) {
    World w;
    START_Click(w.game);
    w.dialogs.boxes.clear();
    w.dialogs.answers = {Answer::No};
    const GameState before = w.game.state;
    EXPECT_EQ(offerDrawClick(w.game), GameOutcome::Continues);
    EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{"引き分け提案|先手から引き分けの提案です。後手は受けますか？",
                                                      "引き分け提案|引き分けの提案は断られました"}));
    EXPECT_EQ(w.game.state, before);
    testing::clickMove(w.game, BoardId::LEFT, 5, 7, 5, 5);
    w.dialogs.boxes.clear();
    w.dialogs.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(offerDrawClick(w.game), GameOutcome::NewGame);
    std::vector<std::string> expected{"引き分け提案|後手から引き分けの提案です。先手は受けますか？"};
    for (const auto& line : w.endedWith("引き分けです")) expected.push_back(line);
    EXPECT_EQ(w.boxTexts(), expected);
    EXPECT_EQ(w.engine.asked.size(), 0u);
}

TEST(ResignAndDraw, TheComputerTakesADrawOnlyLateAndOnlyInAnEvenPosition) {
    struct Case {
        int level, moves;
        engine::Score score;
        bool accepted;
        size_t searches;
    };
    for (const Case& c : {Case{3, 40, 0, false, 0}, Case{4, DRAW_OFFER_MIN_MOVES - 1, 0, false, 0},
                          Case{4, DRAW_OFFER_MIN_MOVES, DRAW_OFFER_MARGIN, true, 1},
                          Case{6, 60, -DRAW_OFFER_MARGIN, true, 1}, Case{9, 60, DRAW_OFFER_MARGIN + 1, false, 1},
                          Case{9, 60, -300, false, 1}}) {
        World w;
        LEVEL_Click(w.game, c.level);
        SENTE_Click(w.game);
        w.game.state.moveNumber = w.game.state.lastMoveNumber = c.moves;
        w.engine.score = c.score;
        w.dialogs.boxes.clear();
        w.dialogs.answers = {Answer::Yes};
        const GameOutcome outcome = offerDrawClick(w.game);
        EXPECT_EQ(w.engine.asked.size(), c.searches) << c.level << " " << c.moves << " " << c.score;
        if (c.accepted) {
            EXPECT_EQ(outcome, GameOutcome::NewGame);
            EXPECT_EQ(w.boxTexts(), w.endedWith("引き分けです"));
        } else {
            EXPECT_EQ(outcome, GameOutcome::Continues);
            EXPECT_EQ(w.boxTexts(), (std::vector<std::string>{"引き分け提案|ｺﾝﾋﾟｭｰﾀは引き分けを断りました"}));
            EXPECT_EQ(w.game.state.sideToMove, Side::First);
        }
    }
    // The judgement is the level's search without its chance choices.
    World w;
    LEVEL_Click(w.game, 5);
    SENTE_Click(w.game);
    w.game.state.moveNumber = w.game.state.lastMoveNumber = 40;
    offerDrawClick(w.game);
    ASSERT_EQ(w.engine.asked.size(), 1u);
    EXPECT_EQ(w.engine.asked[0].rootSpread, 0);
    EXPECT_EQ(w.engine.asked[0].maxNodes, strengthOf(5).maxNodes);
}

}  // namespace
}  // namespace velmora
