// A monkey player: seeded random streams of clicks anywhere, menu commands and
// dialog answers, through the game's real handlers. After every event the
// game's invariants must hold; over all seeds games must end in wins and draws.
#include <gtest/gtest.h>

#include <array>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "com/handicap.h"
#include "com/level.h"
#include "help/help.h"
#include "options/option_commands.h"
#include "sound/sound.h"
#include "draw/board_painter.h"
#include "command_support.h"
#include "flow/game_flow.h"
#include "input/mouse_input.h"
#include "record/record_commands.h"
#include "record/snapshot_line.h"
#include "record/replay.h"
#include "rules/move_list.h"
#include "rules/setup.h"
#include "test_support.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class MonkeyDialogs : public Dialogs {
public:
    explicit MonkeyDialogs(std::mt19937& random) : random_(random) {}
    Answer messageBox(const std::string& text, const std::string&, Buttons buttons, bool) override {
        if (text.find("の勝ちです") != std::string::npos) ++wins;
        if (text == "引き分けです") ++draws;
        if (text == " 読み込みました") ++loads;
        if (buttons == Buttons::Ok) return Answer::Ok;
        // Mostly go on playing after a game; now and then end the program.
        if (text == "続けますか？") return random_() % 8 == 0 ? Answer::No : Answer::Yes;
        return random_() % 2 ? Answer::Yes : Answer::No;
    }
    std::optional<PieceCode> choosePromotion(PromotionDialog dialog, int, int) override {
        const int pick = static_cast<int>(random_() % 7);
        if (pick == 6) return std::nullopt;  // closed without a choice
        static constexpr PieceCode KINDS[6] = {BLACK_QUEEN, BLACK_BISHOP, BLACK_KNIGHT, BLACK_ROOK, BLACK_PAWN, BLACK_KING};
        return static_cast<PieceCode>(dialog == PromotionDialog::Form2 ? KINDS[pick] : -KINDS[pick]);
    }
    void showPromotionDialog(PromotionDialog, int, int) override {}
    void highlightPromotionButton(PromotionDialog, PieceCode) override {}
    void closePromotionDialog(PromotionDialog) override {}
    void hidePromotionDialogs() override {}
    long wins = 0;
    long draws = 0;
    long loads = 0;

private:
    std::mt19937& random_;
};

class MonkeyPanel : public RecordPanel {
public:
    void 描画_可視(bool, bool, bool) override {}
    void 描画_棋譜_IO(bool) override {}
    std::string fieldText(RecordField k) override { return fields[static_cast<int>(k)]; }
    fs::path folder() override { return dir; }
    void refreshFiles() override {}
    std::string fields[5];
    fs::path dir;
};

// Drawing goes through the real painter onto a canvas that checks positions.
class CheckingCanvas : public Canvas {
public:
    void drawPicture(int, double x, double y) override { check(x, y); }
    void drawOutline(double x, double y, double, double, PaletteColour colour) override {
        check(x, y);
        EXPECT_TRUE(paletteNumber(colour) >= 0 && paletteNumber(colour) < 16);
    }
    void drawText(double x, double y, const std::string&, int, bool, PaletteColour) override { check(x, y); }
    void fillBackground(PaletteColour) override {}
    void refresh() override {}

private:
    static void check(double x, double y) {
        EXPECT_TRUE(x > -3000 && x < 30000 && y > -3000 && y < 20000) << x << "," << y;
    }
};

struct Monkey {
    std::mt19937 random;
    MonkeyDialogs dialogs{random};
    MonkeyPanel panel;
    NullShell shell;
    CheckingCanvas canvas;
    std::unique_ptr<Game> game;
    std::unique_ptr<BoardPainter> painter;
    long events = 0;
    long programEnds = 0;

    explicit Monkey(unsigned seed, const fs::path& dir) : random(seed) {
        panel.dir = dir;
        start();
    }
    void start() {
        shell.quitRequested = false;
        game = std::make_unique<Game>(
            Ports{.dialogs = &dialogs, .shell = &shell, .recordPanel = &panel});
        painter = std::make_unique<BoardPainter>(*game, canvas);
        game->setPresentation(painter.get());
        Form_Load(*game);
    }
    int pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

    // Anywhere inside the square.
    void clickSquare(BoardId id, int file, int rank, MouseButton button) {
        testing::clickSquare(*game, id, file, rank, button, pick(SQUARE_WIDTH), pick(SQUARE_HEIGHT));
    }

    // Half of the clicks make a move the rules accept, so that games go on.
    void click() {
        Game& g = *game;
        const MouseButton button = pick(20) == 0 ? MouseButton::Other : pick(6) == 0 ? MouseButton::Right : MouseButton::Left;
        if (g.state.sideToMove != Side::None && pick(2) == 0) {
            const BoardId id = pick(2) ? BoardId::LEFT : BoardId::RIGHT;
            const Side turn = g.state.sideToMove;
            std::vector<Move> moves = acceptedMoves(g, id, turn);
            if (!moves.empty()) {
                const Move m = moves[static_cast<size_t>(pick(static_cast<int>(moves.size())))];
                g.selection(id).pieceSelected = false;
                clickSquare(id, m.from.file, m.from.rank, button);
                if (!shell.quitRequested) clickSquare(id, m.to.file, m.to.rank, button);
                return;
            }
        }
        if (pick(4) == 0) {
            Form_MouseDown(g, button, 0, pick(15000) - 1000, pick(9000) - 1000);  // anywhere
        } else {
            clickSquare(pick(2) ? BoardId::LEFT : BoardId::RIGHT, pick(8) + 1, pick(8) + 1, button);
        }
    }

    void command() {
        Game& g = *game;
        static const char* const NAMES[] = {"game", "", "  ", "../up", ".", "x/y", "棋譜①", "locked", "pipe", "damaged"};
        switch (pick(25)) {
            case 0: START_Click(g); break;
            case 1: SENTE_Click(g); break;
            case 2: GOTE_Click(g); break;
            // Levels 1 to 3 and a value that is no level; the engine levels
            // search thousands of nodes a move, too slow for a million events.
            case 3: LEVEL_Click(g, std::array{1, 2, 3, MAX_LEVEL + 1}[pick(4)]); break;
            case 4: CANCEL_Click(g); break;
            case 5: REVERSE_Click(g); break;
            case 6: case 7: REPLAY_Click(g); break;
            case 8: case 9: AFTER_Click(g); break;
            case 10: LBEL_UP_Click(g); break;
            case 11: LEBEL_DOWN_Click(g); break;
            case 12: KIFU_READ_Click(g); break;
            case 13: KIFU_WRITE_Click(g); break;
            case 14:
                for (int k = 1; k <= 4; ++k) panel.fields[k] = NAMES[pick(10)];
                Command1_Click(g);
                break;
            case 15: {
                std::vector<std::string> files;
                for (const auto& e : fs::directory_iterator(panel.dir)) files.push_back(e.path().filename().string());
                File1_Click(g, files.empty() || pick(5) == 0 ? "missing.棋譜" : files[static_cast<size_t>(pick(static_cast<int>(files.size())))]);
                break;
            }
            case 16: hideRecordPanel(g); break;
            case 17: if (pick(20) == 0) OWARI_Click(g); break;
            case 18: Form_KeyDown(g, pick(10) == 0 ? 27 : 65); break;
            case 19: SIDOU_Click(g); break;
            case 20: {
                void (*const backgrounds[])(Game&) = {MIDORI_Click, TATAMI_Click, TAKE_Click, UCHU_Click, RENGA_Click};
                backgrounds[pick(5)](g);
                break;
            }
            case 21: BGM_Click(g); break;
            case 22: VER_Click(g); break;
            case 23: KAISETU_Click(g); break;
            case 24: Form_Unload(g); break;
        }
    }

    // Now and then a game against the computer from a thin position, where a
    // stalemate or a quick win is near, so the end-of-game paths are walked.
    void endgame() {
        Game& g = *game;
        Board& left = g.board(BoardId::LEFT);
        Board& right = g.board(BoardId::RIGHT);
        left.fill(EMPTY);
        right.fill(EMPTY);
        left.at(8, 1) = BLACK_KING;
        left.at(6, 3 + pick(2)) = WHITE_QUEEN;
        left.at(1, 8) = WHITE_KING;
        right.at(1 + pick(3), 1) = BLACK_KING;
        right.at(2, 3) = BLACK_PAWN;
        right.at(8, 8) = WHITE_KING;
        right.at(4 + pick(4), 6) = WHITE_ROOK;
        SENTE_Click(g);
    }

    void step() {
        ++events;
        if (pick(150) == 0) {
            endgame();
        } else if (pick(10) < 7) {
            click();
        } else {
            command();
        }
        if (shell.quitRequested) {
            ++programEnds;
            start();
        }
    }
};

void expectInvariants(const Game& g, long event) {
    const GameState& st = g.state;
    ASSERT_TRUE(st.moveNumber >= 0 && st.moveNumber <= MAX_MOVES) << event;
    ASSERT_TRUE(st.lastMoveNumber >= 0 && st.lastMoveNumber <= MAX_MOVES) << event;
    ASSERT_LE(st.moveNumber, st.lastMoveNumber) << event;
    ASSERT_TRUE(st.sideToMove == Side::First || st.sideToMove == Side::Second || st.sideToMove == Side::None) << event;
    ASSERT_TRUE(st.handicapLevel >= -7 && st.handicapLevel <= 7) << event;
    ASSERT_TRUE(st.comLevel >= 1 && st.comLevel <= 3) << event;
    for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
        const BoardState& bs = g.side(id);
        ASSERT_TRUE(onBoard(bs.whiteKing.file, bs.whiteKing.rank) && onBoard(bs.blackKing.file, bs.blackKing.rank)) << event;
        for (PieceCode c : bs.board.cells) ASSERT_TRUE(isPieceCode(c)) << event;
        for (int n = 0; n <= st.lastMoveNumber; ++n) {
            for (PieceCode c : g.history.of(id)[static_cast<size_t>(n)].cells) ASSERT_TRUE(isPieceCode(c)) << event;
        }
    }
}

// The record folder the monkey saves into and loads from also holds files no
// game wrote: a damaged record, a read-only one, a pipe, a link to a device,
// one too large to be a record and a folder.
void plantHostileFiles(const fs::path& dir) {
    Board start;
    setStartPosition(start);
    const std::string line = formatSnapshotLine(start, start);
    std::ofstream(dir / "damaged.棋譜", std::ios::binary) << "t\r\nb\r\nw\r\n" << line << "\r\n\r\n" << line.substr(9);
    std::ofstream(dir / "locked.棋譜", std::ios::binary) << "t\r\nb\r\nw\r\n" << line << "\r\n" << line << "\r\n";
    fs::permissions(dir / "locked.棋譜", fs::perms(0444));
    ::mkfifo((dir / "pipe.棋譜").c_str(), 0644);
    fs::create_symlink("/dev/zero", dir / "zero.棋譜");
    std::ofstream(dir / "huge.棋譜") << "t\r\n";
    fs::resize_file(dir / "huge.棋譜", MAX_RECORD_FILE_BYTES + 1);
    fs::create_directory(dir / "folder.棋譜");
}

long fromEnvironment(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text ? std::strtol(text, nullptr, 10) : fallback;
}

// A short run by default; the test labelled "monkey" sets VELMORA_MONKEY_SEEDS
// and VELMORA_MONKEY_EVENTS (events per seed) for the long one.
TEST(Monkey, RandomEventsKeepTheGameSoundAndFinishGames) {
    const testing::ScratchFolder scratch;
    const fs::path dir = scratch / "records";
    const unsigned SEEDS = static_cast<unsigned>(fromEnvironment("VELMORA_MONKEY_SEEDS", 40));
    const long EVENTS = fromEnvironment("VELMORA_MONKEY_EVENTS", 2500);
    long wins = 0, draws = 0, total = 0, ends = 0, loads = 0;
    for (unsigned seed = 1; seed <= SEEDS; ++seed) {
        fs::create_directories(dir);
        plantHostileFiles(dir);
        Monkey monkey(seed, dir);
        for (long e = 0; e < EVENTS; ++e) {
            monkey.step();
            expectInvariants(*monkey.game, e);
            if (::testing::Test::HasFatalFailure()) {
                ADD_FAILURE() << "seed " << seed << " event " << e;
                fs::remove_all(dir);
                return;
            }
        }
        // Saving never leaves a temporary file or touches what it must not replace.
        for (const auto& e : fs::directory_iterator(dir)) {
            EXPECT_EQ(e.path().filename().string().rfind(".velmora-", 0), std::string::npos) << e.path();
        }
        EXPECT_TRUE(fs::is_fifo(dir / "pipe.棋譜"));
        EXPECT_TRUE(fs::is_symlink(dir / "zero.棋譜"));
        EXPECT_EQ(fs::file_size(dir / "locked.棋譜"), 9u + 2 * 514u);
        wins += monkey.dialogs.wins;
        loads += monkey.dialogs.loads;
        draws += monkey.dialogs.draws;
        total += monkey.events;
        ends += monkey.programEnds;
        fs::remove_all(dir);
    }
    RecordProperty("events", std::to_string(total));
    std::printf("monkey: %ld events over %u seeds, %ld wins, %ld draws, %ld program ends, %ld records loaded\n", total,
                SEEDS, wins, draws, ends, loads);
    EXPECT_GT(wins, 0);
    EXPECT_GT(draws, 0);
    EXPECT_GT(loads, 0);
}

}  // namespace
}  // namespace velmora
