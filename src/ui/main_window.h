#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/analyser.h"
#include "analysis/game_positions.h"
#include "analysis/game_review.h"
#include "com/com_state.h"
#include "draw/board_painter.h"
#include "draw/timeline.h"
#include "game.h"
#include "input/drag_input.h"
#include "input/key_cursor.h"
#include "input/position_editor.h"
#include "ui/canvas_widget.h"
#include "ui/analysis_panel.h"
#include "ui/install_layout.h"
#include "ui/move_list_panel.h"
#include "ui/position_editor_panel.h"
#include "ui/review_panel.h"
#include "ui/pictures.h"
#include "ui/qt_browser.h"
#include "ui/qt_ports.h"
#include "ui/qt_sound.h"
#include "ui/qt_translation.h"
#include "ui/record_panel.h"
#include "ui/version_dialog.h"

class QDockWidget;
class QMenu;

namespace velmora::ui {

// The main window "Velmora": the menu bar and the client area. It forwards
// every event to the game's handlers and implements the ports they draw and
// ask through.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The window in a language; for any but Japanese its catalogue must be
    // loaded into the application first (loadCatalogue).
    explicit MainWindow(Language language = Language::Japanese);
    ~MainWindow() override;

    // Start-up: the first complete drawing, then the window's place and size.
    void start();
    // Where the program finds its files (before start()).
    void useLayout(const InstallLayout& layout);

    Game& game() { return *game_; }
    CanvasWidget& canvas() { return *canvas_; }
    QtMenuMarks& marks() { return marks_; }
    QtSound& sound() { return sound_; }
    QtDialogs& dialogs() { return *dialogs_; }
    QtRecordPanel& recordPanel() { return *recordPanel_; }
    QtBrowser& browser() { return browser_; }
    MoveListPanel& moveList() { return *moveList_; }
    AnalysisPanel& analysisPanel() { return *analysisPanel_; }
    ReviewPanel& reviewPanel() { return *reviewPanel_; }

    // 対局の解析 with this budget a position, without the dialog; false when
    // the game on the screen cannot be reviewed now (no moves, or a game
    // against the computer under way).
    bool startReview(int budgetMs);
    // A review is running in the background.
    bool reviewing() const { return reviewing_ != nullptr; }
    // The finished review of the game on the screen, if any.
    const GameReview* review() const { return review_ ? &review_->review : nullptr; }
    QtShell& shell() { return shell_; }

    // 局面の編集 is open: the boards show the position being set up, and
    // every other command waits until OK or キャンセル.
    bool editing() const { return editor_ != nullptr; }
    const PositionEditor* editor() const { return editor_.get(); }
    PositionEditorPanel& editorPanel() { return *editorPanel_; }

    // Ends the program as closing the window does (a signal asks for it):
    // at once when no box is open; otherwise the box gives way, and the end
    // follows when its handler has returned.
    void requestEnd();
    const KeyCursor& keyCursor() const { return keyCursor_; }
    // The engine searches for the computer's move or a hint.
    bool thinking() const { return engineRunner_.thinking(); }
    // The computer's turn is under way, or the screen still shows a move.
    bool busy() const { return comState(*game_).turn != ComState::Turn::None || timeline_->waiting(); }
    Timeline& timeline() { return *timeline_; }

signals:
    void thinkingChanged(bool thinking);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The frame's top-left corner and the window's size now.
    OptionState::WindowPlace placeNow() const;
    // A move or resize by the person (not the start's own placing) is
    // remembered for the next start.
    void notePlace();
    void buildMenus();
    QAction* item(QMenu* menu, const QString& caption, const QString& name, std::function<void()> handler,
                  bool checkable = false);
    // A checkable item named after the mark the game sets on it.
    QAction* markedItem(QMenu* menu, const QString& caption, MenuItem mark, std::function<void()> handler);
    QAction* barCommand(const QString& caption, const QString& name, std::function<void()> handler);
    QMenu* menu(QWidget* parent, const QString& caption, const QString& name);
    // A key that runs a menu command; the window holds the action too, so the
    // key works whether or not a menu is open.
    void shortcut(QAction* action, const QKeySequence& keys);
    // Space or Enter on the keyboard's square: the click the mouse would make there.
    void keyClick(velmora::MouseButton button);
    void moveKeyCursor(KeyCursor::Step step);
    void showKeyCursor();
    // Hands one event to the game (a command, a click, a pause's timer, a
    // search's answer) unless the program has been told to end; the game
    // does its part and returns. Then a turn a command set aside is taken up
    // again, and the last move's marks, the move list and the clocks follow
    // once the screen shows what the event did.
    // A command (anything the person does, and the clock's flag) first ends
    // a review under way; a pause's timer and a search's answer do not.
    void run(const std::function<void()>& handler, bool command = true);
    // After a handler returned: the end asked for while it ran.
    void endIfRequested();
    // The clock timer: the clocks drawn, and a flag that fell while no
    // command ran ends the game.
    void tickClocks();
    static constexpr int CLOCK_TICK_MS = 100;
    // 解析: the full engine follows the position shown while the item is
    // checked and enabled (it is greyed out while a game against the
    // computer is being played).
    void setAnalysis(bool on);
    void followShownPosition();
    // A report of the analyser's, on the window's thread.
    void showAnalysis(std::uint64_t position, const engine::SearchProgress& progress);
    // 対局の解析: the dialog for the budget, then the review.
    void askForReview();
    bool reviewAllowed() const;
    // Cancels a running review and waits for its workers (a few milliseconds).
    void stopReview();
    // A worker's report, on the window's thread: the progress shown, or the
    // finished review taken over.
    void reviewProgressed();
    // The review follows the game on the screen: dropped once the game is
    // another (a new game, a load, a move played over), else its marks, the
    // graph's position and the better move of a marked move are shown.
    void followReview();
    // The panels under the move list shown as wanted.
    void placeFoot();
    // 局面をコピー and 局面を貼り付け through the clipboard.
    void copyPosition();
    void pastePosition();
    // 局面の編集: opened on the position shown; closed by OK (the position
    // set up, when it keeps the rules) or キャンセル (everything as before).
    void startEditing();
    void finishEditing(bool accept);
    // The editor's position drawn on the boards, its tool and side on the palette.
    void showEditedPosition();
    // A press on the canvas while editing: a piece may be dragged; an empty
    // square gets the tool at once.
    void editorPress(MouseButton button, double x, double y);
    // A key while editing; false when it is none of the editor's.
    bool editorKey(QKeyEvent* event);
    // The palette in its dock, connected; hidden until 局面の編集.
    void buildEditor();
    // Runs an event of the editor's own while every other command waits.
    void runForEditor(const std::function<void()>& handler);
    bool editorEvent_ = false;
    std::unique_ptr<PositionEditor> editor_;
    // What the editor changes on the game to show its position, put back when it closes.
    struct BeforeEditing {
        Board left;
        Board right;
        GameState state;
    };
    BeforeEditing beforeEditing_;
    QDockWidget* editorDock_ = nullptr;
    PositionEditorPanel* editorPanel_ = nullptr;
    // The position the analysis follows (its key, none when it follows none).
    std::optional<std::uint64_t> analysedKey_;
    bool analysisOn_ = false;
    ShownPosition analysed_;

    Pictures pictures_;
    QtTranslator translator_;
    // Where the window stood once it was first shown and placed; none before.
    std::optional<OptionState::WindowPlace> placedAt_;
    // Since the first frame: a window manager places a new window within
    // its first second, and that is no choice of the person's.
    QElapsedTimer sinceShown_;
    QtShell shell_;
    // The timeline's pauses and the engine's answers reach the game as events.
    QtTimer timer_{[this](const std::function<void()>& fire) { run(fire, false); }};
    QtEngineRunner engineRunner_{[this](const std::function<void()>& answer) { run(answer, false); }};
    QtMenuMarks marks_;
    QtSound sound_;
    QtBrowser browser_;
    std::unique_ptr<QtVersionDialog> versionDialog_;
    std::unique_ptr<QtDialogs> dialogs_;
    CanvasWidget* canvas_;
    QtRecordPanel* recordPanel_;
    MoveListPanel* moveList_;
    AnalysisPanel* analysisPanel_;
    ReviewPanel* reviewPanel_;
    QAction* analysisItem_ = nullptr;
    QAction* reviewItem_ = nullptr;
    // The seconds a position the person last chose, for this run.
    int reviewBudgetMs_ = DEFAULT_REVIEW_MS;
    // A review kept with the snapshots of the game it looked at.
    struct ShownReview {
        std::vector<std::pair<Board, Board>> snapshots;
        GameReview review;
    };
    std::optional<ShownReview> review_;
    std::vector<std::pair<Board, Board>> reviewingSnapshots_;
    // What the game draws, shown in order with its pauses.
    std::unique_ptr<Timeline> timeline_;
    // The square a press picked a piece up from, while it may be dragged.
    std::optional<BoardSquare> dragFrom_;
    // Events being handled: more than one when one waits in a box.
    int running_ = 0;
    KeyCursor keyCursor_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<BoardPainter> painter_;
    // Last, so that it stops before anything its reports reach is gone.
    std::unique_ptr<Analyser> analyser_;
    std::unique_ptr<BackgroundReview> reviewing_;
};

}  // namespace velmora::ui
