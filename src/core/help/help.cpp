#include "help/help.h"

#include <filesystem>

#include "command_support.h"

namespace velmora {

std::string helpPagePath(const Game& g) {
    if (!g.options.dataDirectory.empty()) return g.options.dataFile(HELP_PAGE);
    return (std::filesystem::path(g.options.startDirectory) / HELP_PAGE).string();
}

void KAISETU_Click(Game& g) {
    // A missing page is the browser's to report; a browser that cannot be
    // started leaves everything as it was.
    g.browser().open(helpPagePath(g));
}

void VER_Click(Game& g) {
    hideRecordPanel(g);
    g.sound().dsPlay(g.sounds.otherSound);
    g.versionDialog().showVersionDialog();
}

void Form4_Command1_Click(Game& g) { g.browser().open(MAKER_SITE); }

}  // namespace velmora
