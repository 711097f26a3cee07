#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "board/board_state.h"
#include "board/history.h"
#include "board/influence_map.h"
#include "ports/engine_runner_port.h"
#include "ports/file_writer_port.h"
#include "ports/null_ports.h"
#include "ports/paced_pauses_port.h"
#include "ports/sequencer_port.h"
#include "text/language.h"
#include "text/text.h"
#include "timing/player_clocks.h"

namespace velmora {

struct SoundHandles {
    std::int32_t device = 0;
    std::int32_t pieceSound = 0;
    std::int32_t forbiddenSound = 0;
    std::int32_t otherSound = 0;
    std::int32_t bgmSound = 0;
};

// The ports the core talks through. Unset ports do nothing.
struct Ports {
    Dialogs* dialogs = nullptr;
    Presentation* presentation = nullptr;
    SoundPort* sound = nullptr;
    Pauses* pauses = nullptr;
    Shell* shell = nullptr;
    MenuMarks* menuMarks = nullptr;
    RecordPanel* recordPanel = nullptr;
    Browser* browser = nullptr;
    VersionDialog* versionDialog = nullptr;
    FileWriter* files = nullptr;
    EngineRunner* engineRunner = nullptr;
    // Orders the game's steps after what the screen still shows (none: the
    // screen shows everything at once).
    Sequencer* sequencer = nullptr;
    // The run's language; none: the game's own Japanese texts.
    const Translator* translator = nullptr;
};

// What the person has picked on one board: whether a piece of the side to
// move is selected, and the squares and piece of the move being made. Only
// the clicks and the drawing read it; the rules never do.
struct Selection {
    bool pieceSelected = false;
    Square from;
    Square to;
    PieceCode movingPiece = EMPTY;
};

// The display options and what the drawing reads of them.
struct OptionState {
    int backgroundPicture = 0;  // the empty-square tiles until the settings choose a picture
    PaletteColour guideColor = WHITE_COLOR;        // bright white while move guidance is on
    std::string startDirectory;
    // The settings file is there but could not be read: it is left as it is
    // and never written over in this run.
    bool keepSettingsFile = false;
    // Where the wave files and the help page are, and the settings file: an
    // installed program keeps them apart; empty means the folder the
    // program starts in, as for a program run from its own folder.
    std::string dataDirectory;
    std::string settingsFile;
    // The record the program keeps of an unsaved game when it ends; empty
    // means resume.棋譜 in the folder it starts in.
    std::string resumeFile;
    // When this program started: a resume record written after it is
    // another running program's kept game.
    std::filesystem::file_time_type startedAt = std::filesystem::file_time_type::clock::now();
    // Fast display: every presentation pause nearly vanishes (see PacedPauses).
    bool fastDisplay = false;
    // The background music is wanted (BGM); whether it plays is the sound's.
    bool music = false;
    // Whether the settings file carries the fast display line: only once the
    // person has chosen the option, in this run or an earlier one, so that a
    // first-run file keeps its three lines.
    bool fastDisplayLine = false;
    // The same for the computer's level and the time control: remembered
    // from the run where the person first chose one.
    bool levelLine = false;
    bool timeControlLine = false;
    // Where the window stood and how large it was when the program last
    // ended, in the screen's pixels; remembered once the person has moved or
    // resized it.
    struct WindowPlace {
        int x = 0, y = 0, width = 0, height = 0;
        bool operator==(const WindowPlace&) const = default;
    };
    std::optional<WindowPlace> windowPlace;
    // The person moved or resized the window in this run: the settings file
    // gets its place as the program ends.
    bool windowPlaceChanged = false;
    // The time control the next game is played under (none: no clocks); it
    // holds for the run and is not kept in the settings file.
    TimeControl timeControl;
    // The help page of the run's language, beside the wave files.
    std::string helpPage = helpPageOf(Language::Japanese);

    std::string dataFile(const std::string& name) const {
        return dataDirectory.empty() ? name : dataDirectory + "/" + name;
    }
    std::string settingsPath(const char* bareName) const { return settingsFile.empty() ? bareName : settingsFile; }
    std::string resumePath(const char* bareName) const {
        if (!resumeFile.empty()) return resumeFile;
        return startDirectory.empty() ? bareName : startDirectory + "/" + bareName;
    }
};

class Game;

// The computer player as the rest of the game sees it. The player keeps its
// own state behind this face (ComState, made by comState(g) when first
// needed); the game only tells it what concerns every part of the game.
class ComputerPlayer {
public:
    virtual ~ComputerPlayer() = default;
    // The position is about to change: a turn that has not moved yet is set
    // aside, a hint's or a draw offer's search is cancelled.
    virtual void positionAboutToChange(Game& g) = 0;
    // The program ends: every search is cancelled.
    virtual void stopEverything() = 0;
    // A new board is set up: no turn of the computer's stands paused.
    virtual void newBoard() = 0;
};

// One running program: a fresh Game is a freshly started program. The rules'
// state (boards, maps, kings, game-wide variables) is its base, so the rules
// take a Game wherever they take a RulesState.
class Game : public RulesState {
public:
    explicit Game(Ports ports = {});
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The window's dialogs. A box of the game's goes through messageBox below,
    // which gives the port its texts already in the run's language.
    Dialogs& dialogs() { return *ports_.dialogs; }
    const Translator* translator() const { return ports_.translator; }
    // A text as this run shows it: in Japanese as written, in another
    // language through the translator (see Text).
    std::string shown(const Text& text) const { return velmora::shown(ports_.translator, text); }
    // A box of the game's, its text and title shown in the run's language.
    Answer messageBox(const Text& text, const Text& title, Buttons buttons, bool warningIcon = false) {
        return ports_.dialogs->messageBox(shown(text), shown(title), buttons, warningIcon);
    }
    Presentation& presentation() { return *ports_.presentation; }
    SoundPort& sound() { return *ports_.sound; }
    // Every pause goes through here, paced by the fast display option.
    Pauses& pauses() { return pacedPauses_; }
    const Pauses& pauses() const { return pacedPauses_; }
    // How long all the presentation pauses so far have lasted, seconds.
    double pausedSeconds() const { return pacedPauses_.pausedSeconds(); }
    Shell& shell() { return *ports_.shell; }
    MenuMarks& menuMarks() { return *ports_.menuMarks; }
    RecordPanel& recordPanel() { return *ports_.recordPanel; }
    FileWriter& files() { return *ports_.files; }
    Browser& browser() { return *ports_.browser; }
    VersionDialog& versionDialog() { return *ports_.versionDialog; }
    Selection& selection(BoardId id) { return selections_[boardIndex(id)]; }
    const Selection& selection(BoardId id) const { return selections_[boardIndex(id)]; }
    EngineRunner& engineRunner() { return *ports_.engineRunner; }
    Sequencer& sequencer() { return *ports_.sequencer; }
    // The window's drawing layer is created after the game it draws.
    void setPresentation(Presentation* presentation) { ports_.presentation = presentation ? presentation : &nullPresentation_; }
    // Stands in another pause service for a while (null: one that never waits); returns the one it replaces.
    Pauses* swapPauses(Pauses* pauses) {
        Pauses* old = std::exchange(ports_.pauses, pauses ? pauses : &nullPauses_);
        pacedPauses_.setInner(*ports_.pauses);
        return old;
    }
    // Stands in another file writer (null: the one writing to disk); returns the one it replaces.
    FileWriter* swapFiles(FileWriter* files) { return std::exchange(ports_.files, files ? files : &diskWriter_); }

    History history;
    // The computer player, none until it is first needed (comState(g)).
    std::unique_ptr<ComputerPlayer> computer;
    // The players' clocks of the game under way.
    PlayerClocks playerClocks;
    // The move number at which the person last took a stepped-back game up
    // again (a click, "OKですか？"): the clocks run there as on the latest
    // position. -1: not since the last new board.
    int playResumedAt = -1;
    SoundHandles sounds;
    OptionState options;
    // The header lines of the last record loaded: title, black's and white's player.
    std::string recordHeader[3];
    // The history holds moves no save has written: set when a move is
    // stored, cleared when a save wrote the whole history or a load replaced
    // it. The program keeps such a game when it ends.
    bool movesUnsaved = false;
    // Snapshot 0 is a position set up by hand or pasted as text: the colour
    // to move there (a record's start says it only by its first move) and
    // its move number. None for the start position and a loaded record.
    std::optional<Colour> setUpToMove;
    int setUpMoveNumber = 0;
    IntGrid squareShade;

private:
    Selection selections_[2];
    Ports ports_;
    NullDialogs nullDialogs_;
    NullPresentation nullPresentation_;
    NullSound nullSound_;
    NullPauses nullPauses_;
    NullShell nullShell_;
    NullMenuMarks nullMenuMarks_;
    NullRecordPanel nullRecordPanel_;
    FileWriter diskWriter_;
    NullBrowser nullBrowser_;
    NullVersionDialog nullVersionDialog_;
    EngineRunner directEngine_;
    Sequencer immediateSequencer_;
    PacedPauses pacedPauses_{nullPauses_, options.fastDisplay};
};

// Stores both boards as snapshot n; n outside 0..500 writes nothing.
void 手順保存(Game& g, int n);

// A new game on the running program: the starting position on both boards, no
// game running, snapshot 0 stored. The screen is left to the caller.
void 初期設定(Game& g);

// Carries out a judged move on the boards and draws each square as it changes,
// blinking a piece the two-board capture takes.
void 駒移動(Game& g, BoardId id, Square from, Square to, PieceCode piece);

}  // namespace velmora
