#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QScreen>
#include <QShortcut>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "analysis/line_names.h"
#include "clock/game_clock.h"
#include "com/com_state.h"
#include "com/handicap.h"
#include "com/hint.h"
#include "com/level.h"
#include "command_support.h"
#include "draw/geometry.h"
#include "flow/clock_commands.h"
#include "flow/game_flow.h"
#include "flow/last_game.h"
#include "flow/resign_draw.h"
#include "help/help.h"
#include "input/mouse_input.h"
#include "options/option_commands.h"
#include "position_change.h"
#include "record/listed_moves.h"
#include "record/record_commands.h"
#include "record/replay.h"
#include "record/resume.h"
#include "sound/sound.h"
#include "record/notation.h"
#include "ui/game_font.h"
#include "ui/review_dialog.h"

namespace velmora::ui {
namespace {

// The menu bar's own style: Alt pressed and let go alone puts the keys on the
// bar, whose arrow keys then walk over every item (the direct commands 戻, 進,
// △ and ▽ included), Enter or Down opens a menu or runs a command there, and
// Esc leaves the bar. Every other look and behaviour is the application's.
class MenuBarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    // The item the keys stand on is drawn as an open menu's item is: some
    // styles draw a selected item only while its menu is open, which leaves
    // the keys' place on the bar unseen.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuBarItem && (option->state & State_Selected) && !(option->state & State_Sunken)) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem shown = *item;
                shown.state |= State_Sunken;
                QProxyStyle::drawControl(element, &shown, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

MainWindow::MainWindow(Language language) : pictures_(devicePixelRatioF()), browser_(this) {
    setWindowTitle("Velmora");
    // The platform's own menu fonts would bring a second Japanese font file.
    QApplication::setFont(gameFont());
    for (const char* menuClass : {"QMenuBar", "QMenu"}) QApplication::setFont(gameFont(), menuClass);
    dialogs_ = std::make_unique<QtDialogs>(this, pictures_, shell_);
    canvas_ = new CanvasWidget(pictures_, this);
    setCentralWidget(canvas_);
    timeline_ = std::make_unique<Timeline>(*canvas_, timer_, *dialogs_);
    Ports ports;
    ports.dialogs = &timeline_->dialogs();
    ports.pauses = timeline_.get();
    ports.sequencer = timeline_.get();
    ports.engineRunner = &engineRunner_;
    ports.shell = &shell_;
    ports.menuMarks = &marks_;
    ports.sound = &sound_;
    ports.browser = &browser_;
    versionDialog_ = std::make_unique<QtVersionDialog>(this);
    ports.versionDialog = versionDialog_.get();
    recordPanel_ = new QtRecordPanel(canvas_);
    moveList_ = new MoveListPanel(canvas_);
    // Under the move list: the review's progress or graph, then the analysis.
    auto* foot = new QWidget(canvas_);
    reviewPanel_ = new ReviewPanel(foot);
    analysisPanel_ = new AnalysisPanel(foot);
    auto* footLayout = new QVBoxLayout(foot);
    footLayout->setContentsMargins(0, 0, 0, 0);
    footLayout->setSpacing(0);
    // The review as tall as it asks, the analysis the rest (its line cut short).
    footLayout->addWidget(reviewPanel_);
    footLayout->addWidget(analysisPanel_, 1);
    foot->hide();
    ports.recordPanel = recordPanel_;
    // Japanese is the core's own language: no translator at all, so that
    // every text stays exactly as written.
    if (language != Language::Japanese) ports.translator = &translator_;
    game_ = std::make_unique<Game>(ports);
    game_->options.helpPage = helpPageOf(language);
    painter_ = std::make_unique<BoardPainter>(*game_, *timeline_);
    game_->setPresentation(painter_.get());
    // The person's piece choice stays highlighted to the clock's next second,
    // or a moment with fast display.
    dialogs_->highlightFor([this] {
        const double toTick = (1000 - QTime::currentTime().msec()) / 1000.0;
        return game_->options.fastDisplay ? PacedPauses::FAST_FACTOR : toTick;
    });
    painter_->setRecordFollower([this] {
        moveList_->showMoves(listedMoves(*game_), game_->state.moveNumber);
        followShownPosition();
    });
    canvas_->setSidePanel(moveList_);
    canvas_->setSidePanelFoot(foot);
    analyser_ = std::make_unique<Analyser>([this](std::uint64_t position, const engine::SearchProgress& progress) {
        // From the analyser's thread to the window's; dropped with the window.
        QMetaObject::invokeMethod(
            this, [this, position, progress] { showAnalysis(position, progress); }, Qt::QueuedConnection);
    });
    connect(moveList_, &MoveListPanel::moveClicked, this, [this](int n) { run([this, n] { stepToMove(*game_, n); }); });
    connect(&reviewPanel_->graph(), &EvaluationGraph::positionClicked, this,
            [this](int n) { run([this, n] { stepToMove(*game_, n); }); });
    connect(reviewPanel_, &ReviewPanel::cancelClicked, this, [this] {
        stopReview();
        placeFoot();
    });
    versionDialog_->setHomePage([this] { run([this] { Form4_Command1_Click(*game_); }); });
    recordPanel_->setHandlers([this](const std::string& name) { run([this, name] { File1_Click(*game_, name); }); },
                              [this] { run([this] { Command1_Click(*game_); }); }, dialogs_.get());
    buildMenus();
    buildEditor();
    engineRunner_.onThinking([this](bool thinking) { emit thinkingChanged(thinking); });
    // The record panel and the piece-choice dialogs follow the picture's scale.
    connect(canvas_, &CanvasWidget::transformChanged, this, [this](const PictureTransform& t) {
        recordPanel_->applyTransform(t);
        dialogs_->setPicturePlacement(t.offset().toPoint(), t.scale());
    });
    // A press is a click; when it has picked up one of the mover's pieces,
    // the piece may be dragged and let go on another square.
    connect(canvas_, &CanvasWidget::mouseDown, this, [this](MouseButton button, double x, double y) {
        if (editor_) {
            editorPress(button, x, y);
            return;
        }
        // The mouse takes over from the keys: the square cursor goes, and
        // the keys go on from the square clicked when they come back.
        keyCursor_.hide();
        keyCursor_.follow(x, y);
        showKeyCursor();
        dragFrom_.reset();
        run([&] { Form_MouseDown(*game_, button, 0, x, y); });
        if (shell_.ending()) return;
        dragFrom_ = pickedUp(*game_, x, y);
        if (dragFrom_) {
            canvas_->armDrag(gridX(originX(dragFrom_->board), dragFrom_->square.file), gridY(dragFrom_->square.rank), button);
        }
    });
    connect(canvas_, &CanvasWidget::pieceDropped, this, [this](MouseButton button, double x, double y) {
        if (!dragFrom_ || editor_) return;
        const BoardSquare from = *std::exchange(dragFrom_, std::nullopt);
        run([&] { dropPiece(*game_, button, from, x, y); });
    });
    painter_->followRecord();
    // The players' clocks are drawn and watched ten times a second.
    auto* clockTimer = new QTimer(this);
    clockTimer->setInterval(CLOCK_TICK_MS);
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::tickClocks);
    clockTimer->start();
}

MainWindow::~MainWindow() {
    stopReview();
    analyser_->stop();
    stopEverything(*game_);
    game_->setPresentation(nullptr);
}

void MainWindow::useLayout(const InstallLayout& layout) {
    game_->options.dataDirectory = layout.dataDirectory.toStdString();
    game_->options.settingsFile = layout.settingsFile.toStdString();
    if (!layout.settingsFile.isEmpty()) QDir().mkpath(QFileInfo(layout.settingsFile).absolutePath());
    if (!layout.recordFolder.isEmpty()) recordPanel_->setStartFolder(layout.recordFolder);
    game_->options.resumeFile = layout.resumeFile.toStdString();
}

void MainWindow::start() {
    canvas_->fillBackground(BACK_COLOR);
    // Start-up may wait in a box (no sound device); an end asked for then
    // follows once the event loop runs.
    ++running_;
    Form_Load(*game_);
    timeline_->catchUp();
    --running_;
    if (shell_.endRequested()) QMetaObject::invokeMethod(this, &MainWindow::endIfRequested, Qt::QueuedConnection);
    // The window stands at the screen's top-left corner with the outer size
    // 13000 x 7400 twips, frame included, or as much of it as the screen has.
    // Sized before it is shown, so that it is laid out and drawn once; the
    // frame is known only afterwards.
    QSize outer(13000 / 15, 7400 / 15);
    QPoint corner(0, 0);
    if (const QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        outer = outer.boundedTo(avail.size());
        corner = avail.topLeft();
    }
    // Where the person last left it, when that still lies on a screen.
    std::optional<QRect> remembered;
    if (const std::optional<OptionState::WindowPlace>& w = game_->options.windowPlace) {
        const QRect place(w->x, w->y, w->width, w->height);
        for (const QScreen* s : QGuiApplication::screens()) {
            if (s->availableGeometry().intersected(place).width() >= 100 &&
                s->availableGeometry().intersected(place).height() >= 100) {
                remembered = place;
            }
        }
    }
    if (remembered) {
        resize(remembered->size());
        move(remembered->topLeft());
        show();
    } else {
        resize(outer);
        show();
        const QSize frame = frameGeometry().size() - geometry().size();
        if (frame != QSize(0, 0)) resize(outer - frame);
        move(corner);
    }
    // The keys reach the boards from the start.
    canvas_->setFocus();
    // Moves and resizes from here on are the person's (or the window
    // manager's answer to them); those of the placing above are not.
    connect(
        canvas_, &CanvasWidget::firstFramePainted, this,
        [this] {
            placedAt_ = placeNow();
            sinceShown_.start();
        },
        Qt::SingleShotConnection);
}

OptionState::WindowPlace MainWindow::placeNow() const {
    const QPoint corner = frameGeometry().topLeft();
    return {corner.x(), corner.y(), width(), height()};
}

void MainWindow::notePlace() {
    if (!placedAt_ || shell_.ending() || isMaximized() || isFullScreen() || isMinimized()) return;
    const OptionState::WindowPlace now = placeNow();
    if (sinceShown_.elapsed() < 1000 && !game_->options.windowPlaceChanged) {
        placedAt_ = now;  // still the window manager placing it
        return;
    }
    if (now == *placedAt_ && !game_->options.windowPlaceChanged) return;
    game_->options.windowPlace = now;
    game_->options.windowPlaceChanged = true;
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    notePlace();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    notePlace();
}

QMenu* MainWindow::menu(QWidget* parent, const QString& caption, const QString& name) {
    auto* m = new QMenu(menuText(caption), parent);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

void MainWindow::shortcut(QAction* action, const QKeySequence& keys) {
    action->setShortcut(keys);
    addAction(action);
}

QAction* MainWindow::item(QMenu* m, const QString& caption, const QString& name, std::function<void()> handler,
                          bool checkable) {
    QAction* a = m->addAction(menuText(caption));
    a->setObjectName(name);
    a->setCheckable(checkable);
    // A check mark changes only through the game's own handlers.
    connect(a, &QAction::triggered, this, [this, a, checkable, handler](bool checked) {
        if (checkable) a->setChecked(!checked);
        run(handler);
    });
    if (checkable) marks_.add(a);
    return a;
}

QAction* MainWindow::markedItem(QMenu* m, const QString& caption, MenuItem mark, std::function<void()> handler) {
    return item(m, caption, QString::fromLatin1(menuItemName(mark)), std::move(handler), true);
}

QAction* MainWindow::barCommand(const QString& caption, const QString& name, std::function<void()> handler) {
    QAction* a = menuBar()->addAction(menuText(caption));
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
    return a;
}

void MainWindow::buildMenus() {
    menuBar()->setNativeMenuBar(false);
    auto* barStyle = new MenuBarStyle;
    barStyle->setParent(menuBar());
    menuBar()->setStyle(barStyle);
    Game& g = *game_;

    QMenu* taikyoku = menu(menuBar(), "対局", "TAIKYOKU");
    QMenu* man = menu(taikyoku, "対局(人間)", "MATCH_MAN");
    item(man, "スタート", "START", [&g] { START_Click(g); });
    taikyoku->addMenu(man);
    QMenu* com = menu(taikyoku, "対局(COM)", "START2");
    item(com, "先手", "SENTE", [&g] { SENTE_Click(g); });
    item(com, "後手", "GOTE", [&g] { GOTE_Click(g); });
    taikyoku->addMenu(com);
    QMenu* level = menu(taikyoku, "COM対局ﾚﾍﾞﾙ", "LEVEL");
    for (int n = 1; n <= MAX_LEVEL; ++n) {
        markedItem(level, QStringLiteral("LEVEL%1").arg(n), levelItem(n), [&g, n] { LEVEL_Click(g, n); });
    }
    taikyoku->addMenu(level);
    QMenu* time = menu(taikyoku, "持ち時間", "TIME_CONTROL");
    markedItem(time, "なし", MenuItem::TimeNone, [&g] { chooseTimeControl(g, TimeControl{}); });
    for (int k = 0; k < static_cast<int>(TIME_CONTROL_PRESETS.size()); ++k) {
        const TimeControl preset = TIME_CONTROL_PRESETS[static_cast<size_t>(k)];
        markedItem(time, QString::fromStdString(timeControlText(preset)), timePresetItem(k),
                   [&g, preset] { chooseTimeControl(g, preset); });
    }
    markedItem(time, "設定...", MenuItem::TimeCustom, [&g] { setTimeControlClick(g); });
    taikyoku->addMenu(time);
    item(taikyoku, "投了", "RESIGN", [&g] { resignClick(g); });
    item(taikyoku, "引き分け提案", "OFFER_DRAW", [&g] { offerDrawClick(g); });
    item(taikyoku, "終わり", "OWARI", [&g] { OWARI_Click(g); });
    menuBar()->addMenu(taikyoku);

    QMenu* stop = menu(menuBar(), "局面", "STOP");
    shortcut(item(stop, "最初", "CANCEL", [&g] { CANCEL_Click(g); }), QKeySequence(Qt::Key_Home));
    item(stop, "反転", "REVERSE", [&g] { REVERSE_Click(g); });
    shortcut(item(stop, "ヒント", "HINT", [&g] { HINT_Click(g); }), QKeySequence(Qt::CTRL | Qt::Key_H));
    // Whether the move list stands beside the boards, for this run only.
    QAction* moveList = stop->addAction(menuText("棋譜一覧"));
    moveList->setObjectName("MOVE_LIST");
    moveList->setCheckable(true);
    moveList->setChecked(true);
    connect(moveList, &QAction::toggled, canvas_, &CanvasWidget::showSidePanel);
    // The engine's view of the position shown, for this run only.
    analysisItem_ = stop->addAction(menuText("解析"));
    analysisItem_->setObjectName("ANALYSIS");
    analysisItem_->setCheckable(true);
    analysisItem_->setChecked(false);
    analysisItem_->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(analysisItem_);
    connect(analysisItem_, &QAction::toggled, this, &MainWindow::setAnalysis);
    // The position shown as one line of text, and any such line set up.
    stop->addSeparator();
    QAction* copy = stop->addAction(menuText("局面をコピー"));
    copy->setObjectName("COPY_POSITION");
    shortcut(copy, QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &MainWindow::copyPosition);
    QAction* paste = stop->addAction(menuText("局面を貼り付け"));
    paste->setObjectName("PASTE_POSITION");
    shortcut(paste, QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(paste, &QAction::triggered, this, &MainWindow::pastePosition);
    QAction* edit = stop->addAction(menuText("局面の編集"));
    edit->setObjectName("EDIT_POSITION");
    connect(edit, &QAction::triggered, this, &MainWindow::startEditing);
    menuBar()->addMenu(stop);

    shortcut(barCommand("戻", "REPLAY", [&g] { REPLAY_Click(g); }), QKeySequence(Qt::CTRL | Qt::Key_Z));
    shortcut(barCommand("進", "AFTER", [&g] { AFTER_Click(g); }), QKeySequence(Qt::CTRL | Qt::Key_Y));
    barCommand("△", "LBEL_UP", [&g] { LBEL_UP_Click(g); });
    barCommand("▽", "LEBEL_DOWN", [&g] { LEBEL_DOWN_Click(g); });

    QMenu* kifu = menu(menuBar(), "棋譜", "KIFU");
    shortcut(item(kifu, "読込", "KIFU_READ", [&g] { KIFU_READ_Click(g); }), QKeySequence(Qt::CTRL | Qt::Key_O));
    shortcut(item(kifu, "書込", "KIFU_WRITE", [&g] { KIFU_WRITE_Click(g); }),
             QKeySequence(Qt::CTRL | Qt::Key_S));
    item(kifu, "前回の対局", "KIFU_RESUME", [&g] { KIFU_RESUME_Click(g); });
    // The engine's review of the game on the screen, in the background.
    reviewItem_ = kifu->addAction(menuText("対局の解析"));
    reviewItem_->setObjectName("REVIEW");
    connect(reviewItem_, &QAction::triggered, this, &MainWindow::askForReview);
    menuBar()->addMenu(kifu);

    QMenu* option = menu(menuBar(), "ｵﾌﾟｼｮﾝ", "OPTION");
    markedItem(option, "移動指導", MenuItem::MoveGuidance, [&g] { SIDOU_Click(g); });
    QMenu* haikei = menu(option, "背景画", "HAIKEI_GA");
    markedItem(haikei, "緑", MenuItem::Green, [&g] { MIDORI_Click(g); });
    markedItem(haikei, "畳", MenuItem::Tatami, [&g] { TATAMI_Click(g); });
    markedItem(haikei, "竹", MenuItem::Bamboo, [&g] { TAKE_Click(g); });
    markedItem(haikei, "宇宙", MenuItem::Space, [&g] { UCHU_Click(g); });
    markedItem(haikei, "煉瓦", MenuItem::Brick, [&g] { RENGA_Click(g); });
    option->addMenu(haikei);
    markedItem(option, "BGM", MenuItem::Music, [&g] { BGM_Click(g); });
    markedItem(option, "速い表示", MenuItem::FastDisplay, [&g] { HAYAI_HYOUJI_Click(g); });
    menuBar()->addMenu(option);

    QMenu* sonota = menu(menuBar(), "その他", "SONOTA");
    shortcut(item(sonota, "解説", "KAISETU", [&g] { KAISETU_Click(g); }), QKeySequence(Qt::Key_F1));
    item(sonota, "バージョン情報", "VER", [&g] { VER_Click(g); }, false);
    menuBar()->addMenu(sonota);

    // Esc ends the program wherever the keyboard focus stands in the window,
    // except while the menu bar has the keys: there the bar takes it first
    // (its shortcut override), closing an open menu or leaving the bar.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        // In the position editor Esc is キャンセル.
        if (editor_) {
            finishEditing(false);
            return;
        }
        run([this] { Form_KeyDown(*game_, 27); });
    });

    marks_.setChecked(MenuItem::Level3, true);
    marks_.setChecked(MenuItem::Tatami, true);
    // Opening these three menus hides the record panel.
    for (QMenu* m : {taikyoku, stop, option}) {
        connect(m, &QMenu::aboutToShow, this, [this, &g] { run([&g] { hideRecordPanel(g); }); });
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (editor_ && editorKey(event)) return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            run([this] { Form_KeyDown(*game_, 27); });
            return;
        case Qt::Key_Left: moveKeyCursor(KeyCursor::Step::Left); return;
        case Qt::Key_Right: moveKeyCursor(KeyCursor::Step::Right); return;
        case Qt::Key_Up: moveKeyCursor(KeyCursor::Step::Up); return;
        case Qt::Key_Down: moveKeyCursor(KeyCursor::Step::Down); return;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // With Shift it is the right button, which asks for the promotion piece.
            keyClick(shift ? MouseButton::Right : MouseButton::Left);
            return;
        default:
            QMainWindow::keyPressEvent(event);
    }
}

void MainWindow::moveKeyCursor(KeyCursor::Step step) {
    if (shell_.ending()) return;
    keyCursor_.step(step);
    showKeyCursor();
}

void MainWindow::keyClick(MouseButton button) {
    if (shell_.ending()) return;
    // A hidden cursor is shown first: a key never clicks a square the person cannot see.
    if (!keyCursor_.readyToClick()) {
        showKeyCursor();
        return;
    }
    dragFrom_.reset();
    const double x = keyCursor_.xTwips(), y = keyCursor_.yTwips();
    run([&] { Form_MouseDown(*game_, button, 0, x, y); });
}

void MainWindow::showKeyCursor() {
    canvas_->setKeyCursor(keyCursor_.shown() ? std::optional<CellMark>(keyCursor_.mark()) : std::nullopt);
}

void MainWindow::run(const std::function<void()>& handler, bool command) {
    if (shell_.givingWay()) return;
    // While the position editor is open only its own events reach the game.
    if (editor_ && !editorEvent_) return;
    // A command ends a review under way first; the game is as it was.
    if (command && reviewing_) {
        stopReview();
        placeFoot();
    }
    ++running_;
    const std::uint64_t outerEvent = timeline_->beginEvent();
    handler();
    if (!shell_.ending() && !shell_.endRequested()) timeline_->endEvent(outerEvent);
    --running_;
    if (shell_.endRequested()) {
        endIfRequested();
        return;
    }
    if (shell_.ending()) return;
    // Only the outermost event: one handled inside a box (a timer's, a
    // search's answer) leaves this to the handler that showed the box.
    if (running_ > 0 || editor_) return;
    commandDone(*game_);
    timeline_->then([this] {
        painter_->followRecord();
        // The clocks follow what the event did: a move, a pause, a new game.
        followClock(*game_);
        timeline_->direct([this] { painter_->drawClocks(); });
    });
}

void MainWindow::setAnalysis(bool) {
    analysedKey_.reset();
    followShownPosition();
}

void MainWindow::followShownPosition() {
    const GameState& st = game_->state;
    // Against the computer the engine's view would be the person's hint:
    // not until the game has ended.
    const bool playingTheComputer = st.gameMode == GameMode::AgainstComputer && st.sideToMove != Side::None;
    analysisItem_->setEnabled(!playingTheComputer);
    const bool on = analysisItem_->isChecked() && !playingTheComputer;
    analysisPanel_->showLive(on);
    analysisOn_ = on;
    reviewItem_->setEnabled(reviewAllowed());
    followReview();
    placeFoot();
    if (!on) {
        analyser_->stop();
        analysedKey_.reset();
        return;
    }
    const ShownPosition shown = shownPosition(*game_);
    const std::uint64_t key = shown.at.position.hash() ^ static_cast<std::uint64_t>(shown.at.end);
    if (analysedKey_ == key) return;
    analysedKey_ = key;
    analysed_ = shown;
    analysisPanel_->showWaiting();
    if (shown.at.end == ReviewPosition::End::None) {
        analyser_->follow(shown.at.position, ANALYSIS_KIND);
        return;
    }
    // The game ended here: its end is the whole view.
    analyser_->stop();
    const PositionView end = viewOf(shown.at, {});
    const engine::Score score = forFirst(end.score, shown.at.position.sideToMove(), shown.first);
    analysisPanel_->showView(QString::fromStdString(game_->shown(scoreText(score))), 0, {});
}

void MainWindow::showAnalysis(std::uint64_t position, const engine::SearchProgress& progress) {
    if (position != analyser_->following()) return;
    const engine::Score score = forFirst(progress.score, analysed_.at.position.sideToMove(), analysed_.first);
    QStringList line;
    for (const Text& name : lineNames(analysed_.at.position, progress.line)) line << QString::fromStdString(game_->shown(name));
    analysisPanel_->showView(QString::fromStdString(game_->shown(scoreText(score))), progress.depth, line);
}

bool MainWindow::reviewAllowed() const {
    const GameState& st = game_->state;
    // As the analysis: the engine's view is no help during a game against it.
    const bool playingTheComputer = st.gameMode == GameMode::AgainstComputer && st.sideToMove != Side::None;
    return !playingTheComputer && st.lastMoveNumber > 0 && !shell_.ending();
}

void MainWindow::askForReview() {
    if (!reviewAllowed() || running_ > 0) return;
    ReviewDialog dialog(reviewBudgetMs_, this);
    if (dialog.exec() != QDialog::Accepted || shell_.ending()) return;
    reviewBudgetMs_ = dialog.budgetMs();
    startReview(reviewBudgetMs_);
}

bool MainWindow::startReview(int budgetMs) {
    if (!reviewAllowed()) return false;
    stopReview();
    review_.reset();
    reviewingSnapshots_ = snapshotsOf(*game_, game_->state.lastMoveNumber);
    reviewing_ = std::make_unique<BackgroundReview>(
        reviewGameOf(reviewingSnapshots_, ANALYSIS_KIND), budgetMs, ReviewPool::defaultJobs(),
        [this](const BackgroundReview::Progress&) {
            // From a worker to the window's thread.
            QMetaObject::invokeMethod(this, &MainWindow::reviewProgressed, Qt::QueuedConnection);
        });
    reviewProgressed();
    followReview();
    placeFoot();
    return true;
}

void MainWindow::stopReview() {
    if (!reviewing_) return;
    reviewing_->cancel();
    reviewing_.reset();
    reviewingSnapshots_.clear();
}

void MainWindow::reviewProgressed() {
    if (!reviewing_) return;
    if (std::optional<GameReview> done = reviewing_->result()) {
        reviewing_.reset();
        review_ = ShownReview{std::exchange(reviewingSnapshots_, {}), std::move(*done)};
        followReview();
        placeFoot();
        return;
    }
    const BackgroundReview::Progress p = reviewing_->progress();
    const int moves = p.count - 1;
    QString text = windowText("解析中 %1／%2手").arg(p.move).arg(moves);
    const auto& played = reviewing_->game().moves;
    if (p.move >= 1 && p.move <= static_cast<int>(played.size()) && played[static_cast<size_t>(p.move - 1)]) {
        text += "\n" + QString::fromStdString(game_->shown(moveName(*played[static_cast<size_t>(p.move - 1)], true)));
    }
    text += "\n" + windowText("残り %1秒").arg((p.msLeft + 999) / 1000);
    reviewPanel_->showProgress(text, p.finished, p.count);
}

void MainWindow::followReview() {
    if (review_ && snapshotsOf(*game_, game_->state.lastMoveNumber) != review_->snapshots) review_.reset();
    if (!review_) {
        moveList_->showMarks({});
        analysisPanel_->hideBetterMove();
        return;
    }
    const GameReview& r = review_->review;
    std::vector<MoveMark> marks;
    for (const MoveReview& m : r.moves) marks.push_back(m.mark);
    moveList_->showMarks(marks);
    reviewPanel_->showReview(graphPoints(r), marks, r.first, r.second);
    const int shown = std::clamp(game_->state.moveNumber, 0, static_cast<int>(r.moves.size()));
    reviewPanel_->graph().setCurrent(shown);
    // The move that led here, when marked: what the engine would have played instead.
    const MoveReview* move = shown > 0 ? &r.moves[static_cast<size_t>(shown - 1)] : nullptr;
    if (!move || move->mark == MoveMark::None) {
        analysisPanel_->hideBetterMove();
        return;
    }
    static constexpr const char* MARK_NAMES[] = {"", "疑問手", "悪手", "大悪手"};
    const ReviewPosition& before = r.game.positions[static_cast<size_t>(shown - 1)];
    QStringList line;
    for (const Text& name : lineNames(before.position, r.views[static_cast<size_t>(shown - 1)].line)) {
        line << QString::fromStdString(game_->shown(name));
    }
    if (line.isEmpty()) {
        analysisPanel_->hideBetterMove();
        return;
    }
    // The mark and its name, then the better move and the line after it, a move a line.
    const QString heading = QString::fromLatin1(markText(move->mark).data(), static_cast<int>(markText(move->mark).size())) +
                            " " + windowText(MARK_NAMES[static_cast<int>(move->mark)]) + "  " + windowText("最善:");
    analysisPanel_->showBetterMove(heading, line);
}

void MainWindow::placeFoot() {
    const bool better = !analysisPanel_->betterMoveShown().isEmpty();
    analysisPanel_->setVisible(analysisOn_ || better);
    const bool review = reviewing_ || review_;
    reviewPanel_->setVisible(review);
    const bool any = analysisOn_ || better || review;
    // Both under the list: the list keeps two fifths.
    canvas_->showSidePanelFoot(any, review && (analysisOn_ || better) ? 0.6 : 0.4);
}

void MainWindow::tickClocks() {
    if (shell_.ending() || shell_.givingWay() || !game_->playerClocks.on()) return;
    // While a box is open or the computer's turn is under way the clocks are
    // only drawn: the computer's own flag is looked at when its search ends.
    if (running_ > 0 || comState(*game_).turn != ComState::Turn::None) {
        timeline_->direct([this] { painter_->drawClocks(); });
        return;
    }
    followClock(*game_);
    timeline_->direct([this] { painter_->drawClocks(); });
    if (timeUpColour(*game_)) run([this] { clockTick(*game_); });
}

void MainWindow::endIfRequested() {
    // Asked while a box was open: no box can be shown any more.
    if (running_ == 0 && !shell_.ending()) Form_Unload(*game_, EndCause::Signal);
}

void MainWindow::requestEnd() {
    if (shell_.givingWay()) return;
    if (running_ == 0) {
        Form_Unload(*game_, EndCause::Signal);
        return;
    }
    // A box is open: nothing more is searched or shown, the box's event
    // loop returns, and boxes the handler would show next are taken as
    // answered, so it runs to its end; run() then ends the program.
    shell_.requestEnd();
    stopEverything(*game_);
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closed by the event loop after the game ended the program: kept and released already.
    if (shell_.ending()) {
        event->accept();
        return;
    }
    // Closed while a box is open: the window stays until its handler has returned.
    if (running_ > 0) {
        event->ignore();
        requestEnd();
        return;
    }
    // Closed by the person: keep an unsaved game, release, end the program.
    if (editor_) finishEditing(false);
    Form_Unload(*game_);
    event->accept();
}

}  // namespace velmora::ui
