// The window's memory while it plays LEVEL4: the real window on an X server
// (run it under tests/ui/run_on_xvfb.sh) plays the person's side with seeded
// random accepted moves, clicked on the canvas, until the engine has made
// the given number of moves (new games are started as games end). Prints the
// resident high-water mark (VmHWM) then. Usage: velmora_window_memory [MOVES]
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <random>

#include "com/level.h"
#include "draw/geometry.h"
#include "rules/execution.h"
#include "rules/move_list.h"
#include "ui/main_window.h"

using namespace velmora;

namespace {

QString statusLine(const char* key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) return QString::fromLatin1(line).simplified();
    }
    return {};
}

QPoint squareCentre(ui::MainWindow& w, BoardId id, Square s) {
    return w.canvas().toWidget(QPointF((originX(id) + 522.0 * s.file + 261) / 15, (900 + 525.0 * s.rank + 262) / 15));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 30;
    // Every box is answered as Enter would: "続けますか？" starts a new board.
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible() && box->defaultButton()) box->defaultButton()->click();
        else if (box && box->isVisible() && !box->buttons().isEmpty()) box->buttons().first()->click();
    });
    boxes.start(20);

    ui::MainWindow w;
    w.start();
    Game& g = w.game();
    int engineMoves = 0;
    QObject::connect(&w, &ui::MainWindow::thinkingChanged, [&](bool thinking) {
        if (!thinking) ++engineMoves;
    });
    w.findChild<QAction*>("LEVEL4")->trigger();
    std::mt19937 random(1);
    while (engineMoves < wanted) {
        QTest::qWait(10);
        GameState& st = g.state;
        if (st.gameMode != GameMode::AgainstComputer || st.sideToMove == Side::None) {
            w.findChild<QAction*>("SENTE")->trigger();
            continue;
        }
        // A random accepted white move, neither a promotion nor en passant
        // (they ask in dialogs of their own).
        std::vector<std::pair<BoardId, Move>> choices;
        for (BoardId id : {BoardId::LEFT, BoardId::RIGHT}) {
            for (const Move& m : acceptedMoves(g, id, st.whiteSide)) {
                const PieceCode piece = g.board(id).at(m.from);
                if (調査_駒成人選(m.from, m.to, piece) || アンパサンド_移動前(g.board(id), m.from, m.to, piece)) continue;
                choices.emplace_back(id, m);
            }
        }
        if (choices.empty()) {
            w.findChild<QAction*>("SENTE")->trigger();
            continue;
        }
        const auto& [id, m] = choices[random() % choices.size()];
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, id, m.from));
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, id, m.to));
    }
    std::printf("engine moves=%d %s %s\n", engineMoves, qPrintable(statusLine("VmHWM")), qPrintable(statusLine("VmRSS")));
    g.movesUnsaved = false;
    return 0;
}
