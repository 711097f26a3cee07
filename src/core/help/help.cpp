#include "help/help.h"

#include <filesystem>

#include "command_support.h"

namespace velmora {

std::string helpPagePath(const Game& g) {
    if (!g.options.dataDirectory.empty()) return g.options.dataFile(g.options.helpPage);
    return (std::filesystem::path(g.options.startDirectory) / g.options.helpPage).string();
}

void KAISETU_Click(Game& g) {
    const std::string page = helpPagePath(g);
    if (g.browser().open(page)) return;
    // Nothing opened: say which file, and whether it is there at all (the
    // folder the game was started from may have gone).
    std::error_code error;
    const bool there = std::filesystem::is_regular_file(page, error);
    g.messageBox(Text(there ? "解説ファイルを開けません: %1" : "解説ファイルが見つかりません: %1").arg(page), "解説",
                 Buttons::Ok);
}

void VER_Click(Game& g) {
    hideRecordPanel(g);
    g.sound().dsPlay(g.sounds.otherSound);
    g.versionDialog().showVersionDialog();
}

void Form4_Command1_Click(Game& g) {
    // Without a browser the address is shown, so that it can be opened elsewhere.
    if (!g.browser().open(MAKER_SITE)) {
        g.messageBox(Text("ﾌﾞﾗｳｻﾞを開けませんでした\nﾎｰﾑﾍﾟｰｼﾞ: %1").arg(std::string(MAKER_SITE)), "ﾎｰﾑﾍﾟｰｼﾞ", Buttons::Ok);
    }
}

}  // namespace velmora
