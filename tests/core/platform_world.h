#pragma once
// A game in a scratch working directory, on recording fakes of the platform
// around it (sound library, browser, version dialog, record panel) that
// write one shared log, so tests can check the order of calls.
#include <filesystem>

#include "fakes.h"
#include "test_support.h"

namespace velmora::testing {

using Log = std::vector<std::string>;

class PlatformFakes : public SoundPort, public Browser, public VersionDialog, public RecordPanel {
public:
    std::int32_t dsInitialize() override { return device; }
    std::int32_t dsCreateDSB(std::int32_t, const std::string& image, std::int32_t flags) override {
        created.emplace_back(image, flags);
        return static_cast<std::int32_t>(100 + created.size());
    }
    void dsPlay(std::int32_t b) override { note("play", b); }
    void dsPlayLooping(std::int32_t b) override { note("loop", b); }
    void dsStop(std::int32_t b) override { note("stop", b); }
    void dsFree(std::int32_t b) override { note("free", b); }
    void dsTerminate(std::int32_t d) override { note("terminate", d); }
    bool open(const std::string& target) override {
        log.push_back("browse " + target);
        return browserWorks;
    }
    void showVersionDialog() override { log.push_back("version dialog"); }
    void 描画_可視(bool d, bool f, bool l) override { log.push_back(d || f || l ? "lists shown" : "lists hidden"); }
    void 描画_棋譜_IO(bool shown) override { log.push_back(shown ? "fields shown" : "fields hidden"); }
    std::string fieldText(RecordField) override { return ""; }
    std::filesystem::path folder() override { return "."; }
    void refreshFiles() override {}

    std::int32_t device = 7;  // 0: no sound device
    bool browserWorks = true;
    std::vector<std::pair<std::string, std::int32_t>> created;  // wave image, flags
    Log log;

private:
    void note(const char* what, int v) { log.push_back(std::string(what) + " " + std::to_string(v)); }
};

// The menu starts with its initial marks on 畳 and LEVEL3.
struct PlatformWorld {
    ScratchFolder folder{ScratchFolder::ENTER};
    ScriptedDialogs dialogs;
    RecordingPresentation view;
    RecordingPauses pauses;
    NullShell shell;
    RecordingMarks marks;
    PlatformFakes platform;
    Game game{Ports{&dialogs, &view, &platform, &pauses, &shell, &marks, &platform, &platform, &platform}};

    PlatformWorld() { marks.marks = {{"TATAMI", true}, {"LEVEL3", true}}; }
    std::vector<std::string> markedBackgrounds() const {
        std::vector<std::string> out;
        for (const char* item : {"MIDORI", "TATAMI", "TAKE", "UCHU", "RENGA"}) {
            if (marks.isChecked(item)) out.emplace_back(item);
        }
        return out;
    }
};

}  // namespace velmora::testing
