#pragma once
// The event-driven window without a window: a timer the test fires by hand,
// a search engine that answers when the test says, and a game whose drawing
// and pauses go through a Timeline as the window's do.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "draw/board_painter.h"
#include "draw/timeline.h"
#include "fakes.h"
#include "flow/game_flow.h"

namespace velmora::testing {

// The event loop's single-shot timer, fired by the test.
class ManualTimer : public Timer {
public:
    void start(int ms, std::function<void()> fire) override {
        pendingMs = ms;
        pending_ = std::move(fire);
    }
    void stop() override { pending_ = nullptr; }
    bool running() const { return static_cast<bool>(pending_); }
    // The timer's event: false when none is pending.
    bool fire() {
        if (!pending_) return false;
        std::function<void()> f = std::exchange(pending_, nullptr);
        f();
        return true;
    }
    int pendingMs = 0;

private:
    std::function<void()> pending_;
};

// A search engine on a worker: each search waits until the test answers it.
// Everything around the worker (the stop flags, a replaced search given up,
// a cancelled search's answer dropped) is the window's runner's own.
class HeldEngine : public WorkerEngineRunner {
public:
    struct Search {
        std::shared_ptr<const SearchTask> task;
        engine::Position position;
        engine::SearchLimits limits;
        // Its stop flag was set already when the search began.
        bool stoppedAtStart = false;
        // The worker's result, once it has run.
        std::optional<engine::SearchResult> result;
        Finished finished;
        // Its end has reached the game.
        bool ended = false;
    };
    // A search neither answered nor cancelled.
    bool holding() const {
        for (const Search& s : searches) {
            if (!s.task->answered() && !s.task->cancelled()) return true;
        }
        return false;
    }
    // Every search held runs on its worker (a short real search, which a
    // cancelled one's flag stops early), and its end reaches the game as the
    // worker's finished signal would, in the order they were started.
    void answerAll() {
        const size_t held = searches.size();
        for (size_t i = 0; i < held; ++i) {
            if (searches[i].ended) continue;
            run(searches[i]);
            searches[i].ended = true;
            // Answering may start another search, which moves the list.
            const Finished finished = searches[i].finished;
            const engine::SearchResult result = *searches[i].result;
            finished(result);
        }
    }
    int cancelled() const {
        int n = 0;
        for (const Search& s : searches) n += s.task->cancelled();
        return n;
    }
    std::vector<Search> searches;

protected:
    void launch(const std::shared_ptr<const SearchTask>& task, const engine::Position& position,
                const engine::SearchLimits& limits, Finished finished) override {
        searches.push_back({task, position, limits, limits.stop && limits.stop->load(), std::nullopt,
                            std::move(finished), false});
    }
    void waitForWorkers() override {
        for (Search& s : searches) run(s);
    }

private:
    static void run(Search& s) {
        if (s.result) return;
        engine::SearchLimits quick = s.limits;
        quick.maxDepth = 2;
        quick.maxNodes = 0;
        quick.timeMs = 10000;
        s.result = engine::bestMove(s.position, quick);
    }
};

// Counts what reaches the screen: outlines in the guidance colour (a hint's
// or the computer's target) and everything drawn.
class CountingCanvas : public Canvas {
public:
    void drawPicture(int, double, double) override { ++drawn; }
    void drawOutline(double, double, double, double, PaletteColour colour) override {
        ++drawn;
        if (colour == WHITE_COLOR) ++whiteOutlines;
    }
    void drawText(double, double, const std::string& text, int, bool, PaletteColour) override {
        ++drawn;
        texts.push_back(text);
    }
    void fillBackground(PaletteColour) override { ++drawn; }
    void refresh() override {}
    int drawn = 0;
    int whiteOutlines = 0;
    std::vector<std::string> texts;
};

struct EventWorld {
    EventWorld() : game(ports()), painter(game, timeline) {
        game.setPresentation(&painter);
        boxes.answers.assign(50, Answer::Yes);
        初期設定(game);
    }
    ~EventWorld() { game.setPresentation(nullptr); }
    EventWorld(const EventWorld&) = delete;
    EventWorld& operator=(const EventWorld&) = delete;

    // As the window does after every event it hands to the game.
    void command(const std::function<void()>& handler) {
        const std::uint64_t outer = timeline.beginEvent();
        handler();
        timeline.endEvent(outer);
        commandDone(game);
    }
    // The timer's events until the screen has shown everything.
    void playOut() {
        while (timer.fire()) {
        }
    }
    // Every search answered and every pause played, until nothing is left.
    void settle() {
        for (int k = 0; k < 100 && (timer.running() || engine.holding()); ++k) {
            playOut();
            engine.answerAll();
        }
    }

    ScriptedDialogs boxes;
    CountingCanvas screen;
    ManualTimer timer;
    HeldEngine engine;
    RecordingSound sound;
    RecordingMarks marks;
    NullShell shell;
    Timeline timeline{screen, timer, boxes};
    Game game;
    BoardPainter painter;

private:
    Ports ports() {
        Ports p;
        p.dialogs = &timeline.dialogs();
        p.pauses = &timeline;
        p.sequencer = &timeline;
        p.engineRunner = &engine;
        p.sound = &sound;
        p.menuMarks = &marks;
        p.shell = &shell;
        return p;
    }
};

}  // namespace velmora::testing
