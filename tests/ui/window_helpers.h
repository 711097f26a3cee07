#pragma once
// What the window tests on the offscreen platform share: finding a menu
// action, starting at the natural size, a square's middle on the canvas, and
// a two-person game with white to move, and what the next box said.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "draw/geometry.h"
#include "ui/main_window.h"

namespace velmora::testing {

inline QAction* actionNamed(ui::MainWindow& w, const QString& name) { return w.findChild<QAction*>(name); }

// Started, then given the default outer size even where the test screen is
// smaller (start-up keeps the window on the screen), so the picture is drawn
// at its natural size.
inline void startAtNaturalSize(ui::MainWindow& w) {
    w.start();
    w.resize(QSize(13000 / 15, 7400 / 15) - (w.frameGeometry().size() - w.geometry().size()));
    QCoreApplication::processEvents();
}

// The middle of a square of one board, in the canvas's own coordinates
// wherever the window has placed the picture.
inline QPoint squareCentre(ui::MainWindow& w, BoardId id, int file, int rank) {
    return w.canvas().toWidget(QPointF((originX(id) + 522.0 * file + 261) / 15, (900 + 525.0 * rank + 262) / 15));
}

// Until the screen has shown everything the game did (the blinks, the move
// texts, the computer's turn) and the events it left are handled: false if
// that takes more than ten seconds.
inline bool settled(ui::MainWindow& w) {
    const bool done = QTest::qWaitFor([&w] { return !w.busy(); }, 10000);
    QCoreApplication::processEvents();
    return done;
}

// A game between two people in which white is to move.
inline void whiteToMove(ui::MainWindow& w) {
    GameState& st = w.game().state;
    st.whiteSide = Side::First;
    st.blackSide = Side::Second;
    st.sideToMove = Side::First;
    st.gameMode = GameMode::BetweenPeople;
}

// The next message box's button captions, title and text, kept in `captions`
// once it is shown; then the button captioned `answer` is clicked.
inline void answerNextBox(QObject* context, QStringList& captions, const QString& answer) {
    QTimer::singleShot(0, context, [&captions, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* b : box->buttons()) captions << b->text();
        captions << box->windowTitle() << box->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == answer) b->click();
        }
    });
}

}  // namespace velmora::testing
