#pragma once
#include <QMainWindow>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "draw/board_painter.h"
#include "game.h"
#include "input/drag_input.h"
#include "input/key_cursor.h"
#include "ui/canvas_widget.h"
#include "ui/install_layout.h"
#include "ui/move_list_panel.h"
#include "ui/pictures.h"
#include "ui/qt_browser.h"
#include "ui/qt_ports.h"
#include "ui/qt_sound.h"
#include "ui/qt_translation.h"
#include "ui/record_panel.h"
#include "ui/version_dialog.h"

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
    QtShell& shell() { return shell_; }

    // Ends the program as closing the window does (a signal asks for it):
    // at once when no handler is running; otherwise the box or pause the
    // handler waits in gives way, and the end follows when it has returned.
    void requestEnd();
    const KeyCursor& keyCursor() const { return keyCursor_; }
    // The engine searches for the computer's move or a hint.
    bool thinking() const { return engineRunner_.thinking(); }
    // A game handler is running (it may wait in a box, a pause or a search).
    bool busy() const { return running_ > 0; }

signals:
    void thinkingChanged(bool thinking);
    // A command that changes or ends the game asked the search to stop.
    void searchStopAsked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What a command does while the computer's search (or a hint's) runs.
    enum class WhileThinking {
        // It changes or ends the game: the search stops, its move is thrown
        // away, then the command runs as when idle.
        Stops,
        // It leaves the game alone (options, help, saving): it runs at once
        // and the search goes on.
        Beside,
        // A click or key on the boards: dropped, the move is the computer's.
        Dropped,
    };

    void buildMenus();
    QAction* item(QMenu* menu, const QString& caption, const QString& name, std::function<void()> handler,
                  bool checkable = false, WhileThinking whileThinking = WhileThinking::Stops);
    // A checkable item named after the mark the game sets on it.
    QAction* markedItem(QMenu* menu, const QString& caption, MenuItem mark, std::function<void()> handler,
                        WhileThinking whileThinking = WhileThinking::Stops);
    QAction* barCommand(const QString& caption, const QString& name, std::function<void()> handler);
    QMenu* menu(QWidget* parent, const QString& caption, const QString& name);
    // A key that runs a menu command; the window holds the action too, so the
    // key works whether or not a menu is open.
    void shortcut(QAction* action, const QKeySequence& keys);
    // Space or Enter on the keyboard's square: the click the mouse would make there.
    void keyClick(velmora::MouseButton button);
    void moveKeyCursor(KeyCursor::Step step);
    void showKeyCursor();
    // Runs a game handler unless the program has been told to end; then the
    // last move's marks and the move list follow what it did. While the
    // engine thinks, what happens depends on the command (WhileThinking); a
    // stopping command waits until the handler the search ran in has
    // returned, then runs, and the computer's turn is taken up again if the
    // command left the game where it stood.
    void run(const std::function<void()>& handler, WhileThinking whileThinking = WhileThinking::Stops);
    // After a handler returned: the end asked for while it ran.
    void endIfRequested();
    // The clock timer: the clocks drawn, and a flag that fell while no
    // command ran ends the game.
    void tickClocks();
    static constexpr int CLOCK_TICK_MS = 100;

    Pictures pictures_;
    QtTranslator translator_;
    QtShell shell_;
    QtClock clock_{shell_};
    // Set to stop the engine's search: a command that changes or ends the
    // game arrived while it thinks.
    std::atomic<bool> stopSearch_{false};
    QtEngineRunner engineRunner_{stopSearch_};
    // The command that stopped the search, run once the search's handler returned.
    std::function<void()> afterSearch_;
    QAction* hintAction_ = nullptr;
    QtMenuMarks marks_;
    QtSound sound_;
    QtBrowser browser_;
    std::unique_ptr<QtVersionDialog> versionDialog_;
    std::unique_ptr<QtDialogs> dialogs_;
    CanvasWidget* canvas_;
    QtRecordPanel* recordPanel_;
    MoveListPanel* moveList_;
    // The square a press picked a piece up from, while it may be dragged.
    std::optional<BoardSquare> dragFrom_;
    // Handlers running: more than one when one waits in a box or a pause.
    int running_ = 0;
    KeyCursor keyCursor_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<BoardPainter> painter_;
};

}  // namespace velmora::ui
