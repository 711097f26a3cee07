// The window's part of 局面をコピー, 局面を貼り付け and 局面の編集.
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "position_change.h"
#include "record/set_up.h"
#include "ui/main_window.h"

namespace velmora::ui {

void MainWindow::copyPosition() {
    // In the editor, the position being set up.
    const PositionText p = editor_ ? editor_->position() : shownPositionText(*game_);
    QGuiApplication::clipboard()->setText(QString::fromStdString(writePositionText(p)));
}

void MainWindow::pastePosition() {
    // A clipboard far longer than any position is refused unread.
    const std::string text = QGuiApplication::clipboard()->text().left(4096).toStdString();
    if (!editor_) {
        run([this, text] { velmora::pastePosition(*game_, text); });
        return;
    }
    // In the editor the text replaces the position being set up.
    if (running_ > 0) return;
    std::optional<PositionText> read;
    runForEditor([this, &text, &read] { read = readPastedPosition(*game_, text); });
    if (read && editor_) {
        *editor_ = PositionEditor(*read);
        showEditedPosition();
    }
}

void MainWindow::runForEditor(const std::function<void()>& handler) {
    editorEvent_ = true;
    run(handler);
    editorEvent_ = false;
}

void MainWindow::startEditing() {
    if (editor_ || shell_.ending() || running_ > 0) return;
    // The computer's turn, a hint and a review stop; the screen catches up first.
    // Open before the screen catches up, so that no turn is taken up again.
    editor_ = std::make_unique<PositionEditor>(PositionText{});
    runForEditor([this] { positionAboutToChange(*game_); });
    if (shell_.ending()) return;
    *editor_ = PositionEditor(shownPositionText(*game_));
    beforeEditing_ = {game_->board(BoardId::LEFT), game_->board(BoardId::RIGHT), game_->state};
    dragFrom_.reset();
    menuBar()->setEnabled(false);
    editorDock_->show();
    showEditedPosition();
}

void MainWindow::showEditedPosition() {
    if (!editor_) return;
    runForEditor([this] {
        const PositionText& p = editor_->position();
        game_->board(BoardId::LEFT) = p.left;
        game_->board(BoardId::RIGHT) = p.right;
        // The boards stand as the text reads them: unturned, the pictures by colour.
        game_->state.boardsTurned = false;
        game_->state.kingQueenSwapped = false;
        game_->presentation().描画_盤(BoardId::LEFT);
        game_->presentation().描画_盤(BoardId::RIGHT);
    });
    editorPanel_->showState(editor_->tool(), editor_->position().toMove);
}

void MainWindow::finishEditing(bool accept) {
    if (!editor_ || running_ > 0) return;
    const PositionText edited = editor_->position();
    bool placed = false;
    if (accept) {
        // The game as it was for the question asked during a game, and for the set-up.
        runForEditor([this, &edited, &placed] {
            if (const std::optional<Text> fault = setUpFault(edited)) {
                game_->messageBox(*fault, "局面の編集", Buttons::Ok);
                return;
            }
            game_->board(BoardId::LEFT) = beforeEditing_.left;
            game_->board(BoardId::RIGHT) = beforeEditing_.right;
            game_->state = beforeEditing_.state;
            placed = placePosition(*game_, edited);
        });
        if (shell_.ending()) return;
        // A broken rule, or a no to the question: the editing goes on.
        if (!placed) {
            showEditedPosition();
            return;
        }
    } else {
        game_->board(BoardId::LEFT) = beforeEditing_.left;
        game_->board(BoardId::RIGHT) = beforeEditing_.right;
        game_->state = beforeEditing_.state;
    }
    editor_.reset();
    dragFrom_.reset();
    editorDock_->hide();
    menuBar()->setEnabled(true);
    // The game goes on from here: drawn afresh, and a turn set aside taken up.
    run([this, placed] {
        if (!placed) game_->presentation().画面_再描画();
    });
}

void MainWindow::editorPress(MouseButton button, double x, double y) {
    keyCursor_.hide();
    keyCursor_.follow(x, y);
    showKeyCursor();
    dragFrom_.reset();
    const std::optional<BoardSquare> at = squareAt(x, y);
    if (!at) return;
    if (button == MouseButton::Right) {
        editor_->erase(*at);
        showEditedPosition();
        return;
    }
    // An empty square takes the tool at once; a piece may be dragged away,
    // and a click on it without moving puts the tool there instead.
    const Board& board = at->board == BoardId::LEFT ? editor_->position().left : editor_->position().right;
    if (board.at(at->square) == EMPTY) {
        editor_->put(*at);
        showEditedPosition();
        return;
    }
    dragFrom_ = at;
    canvas_->armDrag(gridX(originX(at->board), at->square.file), gridY(at->square.rank), button);
}

bool MainWindow::editorKey(QKeyEvent* event) {
    const std::optional<BoardSquare> at = keyCursor_.shown()
                                              ? squareAt(keyCursor_.xTwips(), keyCursor_.yTwips())
                                              : std::nullopt;
    switch (event->key()) {
        case Qt::Key_Escape:
            finishEditing(false);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() & Qt::ControlModifier) {
                finishEditing(true);
                return true;
            }
            [[fallthrough]];
        case Qt::Key_Space:
            if (!keyCursor_.readyToClick()) {
                showKeyCursor();
            } else if (at) {
                editor_->put(*at);
                showEditedPosition();
            }
            return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (at) {
                editor_->erase(*at);
                showEditedPosition();
            }
            return true;
        default:
            break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 0x80 && editor_->chooseToolByLetter(text[0].toLatin1())) {
        editorPanel_->showState(editor_->tool(), editor_->position().toMove);
        return true;
    }
    return false;
}

void MainWindow::buildEditor() {
    editorPanel_ = new PositionEditorPanel(pictures_, this);
    editorDock_ = new QDockWidget(windowText("局面の編集"), this);
    editorDock_->setObjectName("EDITOR_DOCK");
    editorDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    editorDock_->setWidget(editorPanel_);
    addDockWidget(Qt::LeftDockWidgetArea, editorDock_);
    editorDock_->hide();
    connect(editorPanel_, &PositionEditorPanel::toolChosen, this, [this](PieceCode tool) {
        if (editor_) editor_->chooseTool(tool);
    });
    auto edit = [this](const std::function<void(PositionEditor&)>& change) {
        if (!editor_ || running_ > 0) return;
        change(*editor_);
        showEditedPosition();
    };
    connect(editorPanel_, &PositionEditorPanel::startPositionChosen, this,
            [edit] { edit([](PositionEditor& e) { e.startPosition(); }); });
    connect(editorPanel_, &PositionEditorPanel::emptyBoardsChosen, this,
            [edit] { edit([](PositionEditor& e) { e.emptyBoards(); }); });
    connect(editorPanel_, &PositionEditorPanel::toMoveChosen, this,
            [edit](Colour c) { edit([c](PositionEditor& e) { e.setToMove(c); }); });
    connect(editorPanel_, &PositionEditorPanel::accepted, this, [this] { finishEditing(true); });
    connect(editorPanel_, &PositionEditorPanel::cancelled, this, [this] { finishEditing(false); });
    // The drag of a piece on the boards, and a click on one.
    connect(canvas_, &CanvasWidget::pieceDropped, this, [this](MouseButton, double x, double y) {
        if (!editor_ || !dragFrom_) return;
        const BoardSquare from = *std::exchange(dragFrom_, std::nullopt);
        editor_->drag(from, squareAt(x, y));
        showEditedPosition();
    });
    connect(canvas_, &CanvasWidget::releasedInPlace, this, [this](MouseButton, double, double) {
        if (!editor_ || !dragFrom_) return;
        editor_->put(*std::exchange(dragFrom_, std::nullopt));
        showEditedPosition();
    });
}

}  // namespace velmora::ui
