#include "record/record_commands.h"

#include "command_support.h"
#include "ports/palette_port.h"
#include "io/file_reason.h"
#include "io/whole_file.h"
#include "record/cp932.h"
#include "record/notation.h"
#include "record/record_file.h"
#include "rules/setup.h"
#include "position_change.h"

namespace velmora {
namespace {

// A name for a file in the shown folder: no folder part, not "." or "..".
bool plainFileName(const std::string& name) {
    const size_t first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const std::string trimmed = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    if (trimmed == "." || trimmed == "..") return false;
    return name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

std::string unreadLineText(int line) { return "棋譜ﾌｧｲﾙの " + std::to_string(line) + " 行目が読めません"; }

}  // namespace

LoadedRecord readRecord(std::string_view bytes) {
    LoadedRecord record;
    LineSplitter lines(bytes, LineSplitter::LF);
    // A line longer than any record line is never one, whatever it holds.
    auto tooLong = [&] { return lines.rawLength() > MAX_RECORD_LINE_BYTES; };
    std::string_view line;
    for (int k = 0; k < 3; ++k) {
        if (!lines.next(line)) return record;
        if (tooLong()) {
            record.unreadLine = k + 1;
            return record;
        }
        record.header[k] = cp932ToUtf8Lossy(line);
    }
    // Empty lines at the end are no positions; one followed by more lines is
    // a damaged file.
    int firstEmptyLine = 0;
    for (int lineNumber = 4; lines.next(line); ++lineNumber) {
        if (line.empty()) {
            if (firstEmptyLine == 0) firstEmptyLine = lineNumber;
            continue;
        }
        if (firstEmptyLine > 0) {
            record.unreadLine = firstEmptyLine;
            break;
        }
        std::optional<SnapshotPair> pair;
        if (record.snapshots.size() < static_cast<size_t>(HISTORY_SIZE) && !tooLong() &&
            line.size() == SNAPSHOT_LINE_LENGTH) {
            pair = parseSnapshotLine(line);
        }
        if (!pair) {
            record.unreadLine = lineNumber;
            break;
        }
        record.snapshots.push_back(*pair);
    }
    return record;
}

void KIFU_READ_Click(Game& g) {
    g.recordPanel().描画_可視(true, true, true);
    g.recordPanel().描画_棋譜_IO(false);
}

void KIFU_WRITE_Click(Game& g) {
    if (g.state.reversed) {
        refuse(g, "反転後は書き込みできません", "棋譜書込");
    } else if (g.state.handicapApplied) {
        refuse(g, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込");
    } else {
        g.recordPanel().描画_可視(true, true, false);
        g.recordPanel().描画_棋譜_IO(true);
    }
}

void Command1_Click(Game& g) {
    RecordPanel& panel = g.recordPanel();
    const std::string name = panel.fieldText(RecordField::FileName);
    if (name.empty()) {
        refuse(g, "ﾌｧｲﾙ名が入力されていません", "  ");
        return;
    }
    if (!plainFileName(name)) {
        refuse(g, "ﾌｧｲﾙ名が正しくありません", "  ");
        return;
    }
    const GameState& st = g.state;
    if (st.moveNumber < 1) {
        refuse(g, "保存するデータがありません", "棋譜保存");
        return;
    }
    RecordFile record;
    record.title = panel.fieldText(RecordField::Title);
    // Line 2 names black's player, line 3 white's.
    const bool whiteFirst = st.whiteSide == Side::First;
    record.blackPlayer = panel.fieldText(whiteFirst ? RecordField::SecondPlayer : RecordField::FirstPlayer);
    record.whitePlayer = panel.fieldText(whiteFirst ? RecordField::FirstPlayer : RecordField::SecondPlayer);
    for (int n = 0; n <= st.moveNumber && History::valid(n); ++n) {
        record.snapshots.push_back({g.history.left[n], g.history.right[n]});
    }
    std::filesystem::path path = panel.folder() / std::filesystem::path(name + ".棋譜");
    std::string bytes, error;
    if (!encodeRecordFile(record, bytes, error)) {
        g.dialogs().messageBox("棋譜ﾌｧｲﾙを書き込めませんでした\n" + elidePath(path.string()) +
                                   "\n棋譜ﾌｧｲﾙに書けない文字があります",
                               "棋譜", Buttons::Ok);
        return;
    }
    WriteFailure failure;
    if (!g.files().write(path, bytes, failure)) {
        g.dialogs().messageBox("棋譜ﾌｧｲﾙを書き込めませんでした\n" + elidePath(path.string()) + "\n" +
                                   fileReasonText(failure.reason),
                               "棋譜", Buttons::Ok);
        return;
    }
    // Snapshots past the shown move (after stepping back) are still unsaved.
    if (st.moveNumber >= st.lastMoveNumber) g.movesUnsaved = false;
    hideRecordPanel(g);
    panel.refreshFiles();
    g.dialogs().messageBox("棋譜を書き込みました", "  ", Buttons::Ok);
}

RecordLoad applyRecord(Game& g, std::string_view bytes) {
    // The record is judged before anything changes: a refused file leaves
    // the game, and everything drawn, as it was.
    const LoadedRecord record = readRecord(bytes);
    if (record.unreadLine > 0 && record.snapshots.size() < 2) {
        // Reading stopped before a single move: nothing to step through.
        g.dialogs().messageBox(unreadLineText(record.unreadLine), "棋譜", Buttons::Ok);
        return RecordLoad::Refused;
    }
    if (record.snapshots.size() < 2) {
        // No move to step through (a line of text, the header lines only, a
        // start position alone): refused like any other, the game stays.
        g.dialogs().messageBox("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜", Buttons::Ok);
        return RecordLoad::NoMoves;
    }
    初期設定(g);
    g.presentation().画面_再描画();
    GameState& st = g.state;
    st.recordMode = true;
    // The header lines; a missing one shows the previous text again.
    static constexpr double PLACES[3][2] = {{800, 6350}, {3700, 100}, {3700, 6350}};
    for (int k = 0; k < 3; ++k) {
        if (record.header[k]) g.recordHeader[k] = *record.header[k];
        g.presentation().描画_文字(PLACES[k][0], PLACES[k][1], g.recordHeader[k], 12, SHADOW_COLOR);
    }
    const int n = static_cast<int>(record.snapshots.size());
    for (int k = 0; k < n; ++k) {
        g.history.left[k] = record.snapshots[k].left;
        g.history.right[k] = record.snapshots[k].right;
        g.history.turned[k] = false;
    }
    st.moveNumber = 0;
    st.lastMoveNumber = n - 1;
    // The history is now the file's: nothing in it is unsaved.
    g.movesUnsaved = false;
    const PieceCode mover = st.lastMoveNumber >= 1 ? 調査_手番駒(g, 1) : EMPTY;
    if (isBlack(mover)) {
        st.blackSide = Side::First;
        st.whiteSide = Side::Second;
        st.kingQueenSwapped = true;
    } else if (isWhite(mover)) {
        st.whiteSide = Side::First;
        st.blackSide = Side::Second;
        st.kingQueenSwapped = false;
    }
    g.presentation().描画_盤(BoardId::LEFT);
    g.presentation().描画_盤(BoardId::RIGHT);
    // The previous game's last-move marks and move list go before any box opens.
    g.presentation().followRecord();
    // A damaged file says only where reading stopped; the snapshots before
    // that line stay loaded.
    if (record.unreadLine > 0) {
        g.dialogs().messageBox(unreadLineText(record.unreadLine), "棋譜", Buttons::Ok);
        return RecordLoad::Damaged;
    }
    return RecordLoad::Loaded;
}

void showOpenFailure(Game& g, const std::filesystem::path& path, int reason) {
    g.dialogs().messageBox("棋譜ﾌｧｲﾙを開けません\n" + elidePath(path.string()) + "\n" + fileReasonText(reason), "棋譜",
                           Buttons::Ok);
}

void File1_Click(Game& g, const std::string& fileName) {
    positionAboutToChange(g);
    g.recordPanel().描画_可視(false, false, false);
    const std::filesystem::path path = g.recordPanel().folder() / std::filesystem::path(fileName);
    std::string bytes;
    int reason = 0;
    if (readWholeFile(path, MAX_RECORD_FILE_BYTES, bytes, reason) != FileRead::Ok) {
        showOpenFailure(g, path, reason);
        return;
    }
    if (applyRecord(g, bytes) == RecordLoad::Loaded) {
        g.dialogs().messageBox(" 読み込みました", "棋譜", Buttons::Ok);
        g.dialogs().messageBox("棋譜を '進 'で進めて下さい", "棋譜", Buttons::Ok);
    }
}

}  // namespace velmora
