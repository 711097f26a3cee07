// The game in English: a text shown with its arguments in their places, the
// English catalogue (assets/translations/velmora_en.ts) complete and
// finished, every text the core shows present in it, the texts with
// arguments the same in Japanese as they always were and exact in English,
// and a game played in English showing no Japanese character in any box or
// on the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "com/handicap.h"
#include "com/hint.h"
#include "com/level.h"
#include "draw/board_painter.h"
#include "fakes.h"
#include "flow/clock_commands.h"
#include "flow/game_flow.h"
#include "flow/resign_draw.h"
#include "help/help.h"
#include "io/file_reason.h"
#include "record/listed_moves.h"
#include "record/record_commands.h"
#include "record/record_file.h"
#include "record/replay.h"
#include "rules/setup.h"
#include "sound/sound.h"
#include "test_support.h"
#include "text/language.h"
#include "text/text.h"
#include "timing/time_control.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string unescaped(std::string s) {
    for (const auto& [entity, c] : {std::pair("&lt;", "<"), {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}) {
        for (size_t at = s.find(entity); at != std::string::npos; at = s.find(entity, at + 1)) {
            s.replace(at, std::string_view(entity).size(), c);
        }
    }
    return s;
}

// The catalogue as Qt's tools keep it: contexts of source texts and their translations.
struct Catalogue {
    struct Entry {
        std::string translation;
        std::string type;  // "unfinished", "obsolete", ... or empty
    };
    std::map<std::string, std::map<std::string, Entry>> contexts;
    std::vector<std::string> repeated;

    static Catalogue load(const fs::path& path) {
        std::ifstream in(path);
        std::stringstream all;
        all << in.rdbuf();
        const std::string text = all.str();
        // What stands between `open` and `close` after `from`; `from` moves past it.
        auto between = [&text](const std::string& open, const std::string& close, size_t& from, size_t limit) {
            const size_t a = text.find(open, from);
            if (a == std::string::npos || a >= limit) return std::optional<std::string>();
            const size_t b = text.find(close, a + open.size());
            if (b == std::string::npos || b > limit) return std::optional<std::string>();
            from = b + close.size();
            return std::optional(text.substr(a + open.size(), b - a - open.size()));
        };
        Catalogue c;
        for (size_t at = text.find("<context>"); at != std::string::npos; at = text.find("<context>", at)) {
            const size_t contextEnd = text.find("</context>", at);
            if (contextEnd == std::string::npos) break;
            const std::optional<std::string> name = between("<name>", "</name>", at, contextEnd);
            auto& messages = c.contexts[name.value_or("")];
            for (std::optional<std::string> message; (message = between("<message>", "</message>", at, contextEnd));) {
                const std::string& m = *message;
                const size_t s0 = m.find("<source>"), s1 = m.find("</source>");
                const size_t t0 = m.find("<translation"), t1 = m.find("</translation>");
                if (s0 == std::string::npos || s1 == std::string::npos || t0 == std::string::npos || t1 == std::string::npos) {
                    c.repeated.push_back("a message without source or translation");
                    continue;
                }
                const size_t tagEnd = m.find('>', t0);
                Entry entry{unescaped(m.substr(tagEnd + 1, t1 - tagEnd - 1)), ""};
                const size_t type = m.find("type=\"", t0);
                if (type != std::string::npos && type < tagEnd) entry.type = m.substr(type + 6, m.find('"', type + 6) - type - 6);
                const std::string source = unescaped(m.substr(s0 + 8, s1 - s0 - 8));
                if (messages.count(source)) c.repeated.push_back(source);
                messages[source] = entry;
            }
            at = contextEnd;
        }
        return c;
    }
};

const fs::path SOURCE_DIR = VELMORA_SOURCE_DIR;

const Catalogue& english() {
    static const Catalogue c = Catalogue::load(SOURCE_DIR / "assets/translations/velmora_en.ts");
    return c;
}

// The core's texts in English, as the window's translator gives them.
class EnglishTranslator : public Translator {
public:
    std::optional<std::string> translation(const std::string& source) const override {
        const auto& messages = english().contexts.at("Velmora");
        const auto it = messages.find(source);
        if (it == messages.end()) return std::nullopt;
        return it->second.translation;
    }
};

class TableTranslator : public Translator {
public:
    explicit TableTranslator(std::map<std::string, std::string> table) : table_(std::move(table)) {}
    std::optional<std::string> translation(const std::string& source) const override {
        const auto it = table_.find(source);
        if (it == table_.end()) return std::nullopt;
        return it->second;
    }

private:
    std::map<std::string, std::string> table_;
};

// A path full of digits and a count in one text.
const std::string DIGIT_PATH = "/home/user2/棋譜2024/第12局.棋譜";
Text pathAndCount() { return Text("棋譜ﾌｧｲﾙ %1 の %2 行目が読めません").arg(DIGIT_PATH).arg(7); }

// Without a translator a text is its source with each argument in its place,
// exactly once, whatever digits or percent signs the argument holds.
TEST(ShownText, InJapaneseIsTheSourceWithItsArgumentsInTheirPlaces) {
    EXPECT_EQ(shown(nullptr, "はい"), "はい");
    EXPECT_EQ(shown(nullptr, pathAndCount()), "棋譜ﾌｧｲﾙ /home/user2/棋譜2024/第12局.棋譜 の 7 行目が読めません");
    // An argument's own "%2" is a part of it, not a place.
    EXPECT_EQ(shown(nullptr, Text("%1: %2").arg(std::string("100%2.wav")).arg(Text("ﾌｧｲﾙが大きすぎます"))),
              "100%2.wav: ﾌｧｲﾙが大きすぎます");
    // A place without an argument, and a percent sign before anything else, stay.
    EXPECT_EQ(shown(nullptr, Text("%1 と %2、5%").arg(3)), "3 と %2、5%");
    EXPECT_EQ(shown(nullptr, Text("%1 手目")), "%1 手目");
    EXPECT_EQ(shown(nullptr, Text()), "");
}

// With a translator the template is translated as a whole and each argument
// goes where the translation puts its place.
TEST(ShownText, InEnglishEachArgumentGoesWhereTheTranslationPutsIt) {
    const TableTranslator t({{"棋譜ﾌｧｲﾙ %1 の %2 行目が読めません", "Line %2 of %1 cannot be read"},
                             {"ﾊﾝﾃﾞｨｷｬｯﾌﾟ:%1", "Handicap: %1"},
                             {"初段", "1 dan"},
                             {"はい", "Yes"}});
    EXPECT_EQ(shown(&t, pathAndCount()), "Line 7 of /home/user2/棋譜2024/第12局.棋譜 cannot be read");
    // An argument that is a text of the catalogue is translated on its own;
    // one given as a value never is, even when it is such a word.
    EXPECT_EQ(shown(&t, Text("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:%1").arg(Text("初段"))), "Handicap: 1 dan");
    EXPECT_EQ(shown(&t, Text("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:%1").arg(std::string("初段"))), "Handicap: 初段");
    EXPECT_EQ(shown(&t, Text::asIs("はい")), "はい");
    // A template the catalogue lacks keeps its Japanese and still takes its arguments.
    EXPECT_EQ(shown(&t, Text("%1 回目").arg(3)), "3 回目");
    // A line is never guessed at: a text is translated as the whole it was made.
    EXPECT_EQ(shown(&t, "はい\nはい"), "はい\nはい");
}

TEST(ShownText, JapaneseCharactersAreFound) {
    for (const char* japanese : {"あ", "ア", "ｱ", "棋", "「", "？", "ａ", "１", "x：y"}) EXPECT_TRUE(hasJapanese(japanese)) << japanese;
    for (const char* other : {"", "Record", "0:09.8", "●", "▸", "é", "±"}) EXPECT_FALSE(hasJapanese(other)) << other;
}

// The argument places ("%1".."%9") a text holds.
std::set<std::string> placesOf(const std::string& text) {
    std::set<std::string> places;
    static const std::regex place("%[1-9]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), place); it != std::sregex_iterator(); ++it) {
        places.insert(it->str());
    }
    return places;
}

TEST(EnglishCatalogue, IsCompleteAndFinished) {
    const Catalogue& c = english();
    EXPECT_EQ(c.contexts.size(), 3u);
    EXPECT_TRUE(c.repeated.empty()) << c.repeated.front();
    size_t messages = 0;
    for (const auto& [context, entries] : c.contexts) {
        for (const auto& [source, entry] : entries) {
            ++messages;
            EXPECT_TRUE(entry.type.empty()) << context << ": " << source << " is " << entry.type;
            EXPECT_FALSE(entry.translation.empty()) << context << ": " << source;
            EXPECT_FALSE(hasJapanese(entry.translation)) << context << ": " << entry.translation;
            EXPECT_EQ(placesOf(entry.translation), placesOf(source)) << context << ": " << source;
        }
    }
    EXPECT_GT(messages, 190u);
}

// The string literals of a source file, comments left out.
std::vector<std::string> literals(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream all;
    all << in.rdbuf();
    const std::string s = all.str();
    std::vector<std::string> out;
    for (size_t k = 0; k < s.size(); ++k) {
        if (s.compare(k, 2, "//") == 0) {
            k = s.find('\n', k);
            if (k == std::string::npos) break;
        } else if (s[k] == '\'') {
            // A digit separator (60'000) stands between digits; a character literal is closed.
            if (k > 0 && std::isxdigit(static_cast<unsigned char>(s[k - 1]))) continue;
            k = s.find('\'', k + (k + 1 < s.size() && s[k + 1] == '\\' ? 3 : 2));
            if (k == std::string::npos) break;
        } else if (s[k] == '"') {
            std::string literal;
            for (++k; k < s.size() && s[k] != '"'; ++k) {
                if (s[k] == '\\' && k + 1 < s.size()) {
                    ++k;
                    literal += s[k] == 'n' ? '\n' : s[k] == 'r' ? '\r' : s[k];
                } else {
                    literal += s[k];
                }
            }
            out.push_back(literal);
        }
    }
    return out;
}

// The window's own captions (menus, dialogs, the record panel and the move
// list) are Japanese literals of src/ui, each translated in the "Window" or
// "Menu" context.
TEST(EnglishCatalogue, HoldsEveryCaptionOfTheWindow) {
    // Never shown: file names and the font families asked for.
    const std::set<std::string> notShown = {"*.棋譜", "/velmora/resume.棋譜", "IPA P明朝"};
    const auto& window = english().contexts.at("Window");
    const auto& menu = english().contexts.at("Menu");
    std::vector<std::string> missing;
    size_t captions = 0;
    for (const auto& entry : fs::directory_iterator(SOURCE_DIR / "src/ui")) {
        for (const std::string& literal : literals(entry.path())) {
            if (!hasJapanese(literal) || notShown.count(literal)) continue;
            ++captions;
            if (!window.count(literal) && !menu.count(literal)) missing.push_back(entry.path().filename().string() + ": " + literal);
        }
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " captions without English, the first: " << missing.front();
    EXPECT_GT(captions, 50u);
}

// The English help page quotes the game's English texts as the game shows
// them: each message (class "msg") is a line of a translation of the
// catalogue, and
// each menu caption or button ("cmd", "menu", "bar") a translation of the
// window's, or a caption shown as it is in both languages.
TEST(EnglishHelpPage, QuotesTheGamesOwnTexts) {
    std::ifstream in(SOURCE_DIR / "assets/help/Velmora.en.htm");
    std::stringstream all;
    all << in.rdbuf();
    const std::string page = all.str();
    std::set<std::string> messages, captions = {"BGM", "△", "▽", "RETURN"};
    for (const auto& [context, entries] : english().contexts) {
        for (const auto& [source, entry] : entries) {
            messages.insert(entry.translation);
            if (context != "Velmora") captions.insert(entry.translation);
        }
    }
    for (int level = 1; level <= MAX_LEVEL; ++level) captions.insert("LEVEL" + std::to_string(level));
    for (const TimeControl& preset : TIME_CONTROL_PRESETS) captions.insert(timeControlText(preset));
    auto trimmed = [](std::string t) {
        t.erase(0, t.find_first_not_of(' '));
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
    };
    // Each line of a message on its own: a box of several lines is quoted line by line.
    std::set<std::string> trimmedMessages;
    for (const std::string& m : messages) {
        std::stringstream lines(m);
        for (std::string line; std::getline(lines, line);) trimmedMessages.insert(trimmed(line));
    }
    // A line with a number or a name in it, its "%N" standing for any text; a
    // line that is nothing but its argument (a path, a reason) quotes nothing.
    auto shown = [&](const std::string& text) {
        if (trimmedMessages.count(text)) return true;
        for (const std::string& m : trimmedMessages) {
            const std::set<std::string> places = placesOf(m);
            if (places.size() != 1) continue;
            const size_t arg = m.find(*places.begin());
            const std::string before = m.substr(0, arg), after = m.substr(arg + 2);
            if (before.empty() && after.empty()) continue;
            if (text.size() > before.size() + after.size() && text.compare(0, before.size(), before) == 0 &&
                text.compare(text.size() - after.size(), after.size(), after) == 0) {
                return true;
            }
        }
        return false;
    };
    size_t quoted = 0;
    for (size_t at = page.find("<span class=\""); at != std::string::npos; at = page.find("<span class=\"", at + 1)) {
        const size_t classEnd = page.find('"', at + 13);
        const std::string kind = page.substr(at + 13, classEnd - at - 13);
        const size_t textStart = page.find('>', classEnd) + 1;
        const std::string text = unescaped(page.substr(textStart, page.find("</span>", textStart) - textStart));
        if (kind == "msg") {
            ++quoted;
            EXPECT_TRUE(shown(text)) << "message not shown by the game: " << text;
        } else if (kind == "cmd" || kind == "menu" || kind == "bar") {
            ++quoted;
            EXPECT_TRUE(captions.count(text)) << "caption not shown by the game: " << text;
        }
    }
    EXPECT_GT(quoted, 100u);
    // No Japanese but the record files' extension.
    std::string rest = page;
    for (size_t at = rest.find("棋譜"); at != std::string::npos; at = rest.find("棋譜")) rest.erase(at, std::string("棋譜").size());
    EXPECT_FALSE(hasJapanese(rest));
}

// Every Japanese text of the core that can reach a box or the picture is a
// key of the catalogue whole, as it is written where it is made (a text with
// arguments by its template), and every key is still such a text, so that
// none is left behind when a text changes. A box reaches the window's
// dialogs only through Game::messageBox, which shows it in the run's language.
TEST(EnglishCatalogue, HoldsEveryTextTheCoreShowsAndNoOther) {
    // Japanese literals that are never shown: file names and the settings file's words.
    const std::set<std::string> notShown = {
        "*.棋譜", ".棋譜", "resume.棋譜", "その他.wav", "禁止.wav", "駒打音.wav", "緑", "畳", "竹", "宇宙", "煉瓦",
        "背景画", "移動指導", "速い表示", "背景画=", "移動指導=ON\r\n", "移動指導=OFF\r\n", "速い表示=ON\r\n",
        "速い表示=OFF\r\n", "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n", "レベル", "持ち時間", "なし", "ウィンドウ",
        "レベル=", "持ち時間=", "ウィンドウ="};
    const auto& messages = english().contexts.at("Velmora");
    std::set<std::string> written;
    std::vector<std::string> missing, aroundTheTranslator;
    for (const auto& entry : fs::recursive_directory_iterator(SOURCE_DIR / "src/core")) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path());
        std::stringstream code;
        code << in.rdbuf();
        if (code.str().find("dialogs().messageBox(") != std::string::npos) aroundTheTranslator.push_back(name);
        for (const std::string& literal : literals(entry.path())) {
            if (!hasJapanese(literal) || notShown.count(literal)) continue;
            written.insert(literal);
            if (!messages.count(literal)) missing.push_back(name + ": " + literal);
        }
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " texts without English, the first: " << missing.front();
    EXPECT_TRUE(aroundTheTranslator.empty()) << "a box shown untranslated in " << aroundTheTranslator.front();
    std::vector<std::string> stale;
    for (const auto& [source, entry] : messages) {
        if (!written.count(source)) stale.push_back(source);
    }
    EXPECT_TRUE(stale.empty()) << stale.size() << " catalogue texts the core no longer has, the first: " << stale.front();
    EXPECT_TRUE(messages.count("棋譜ﾌｧｲﾙの %1 行目が読めません"));
    EXPECT_TRUE(messages.count("棋譜ﾌｧｲﾙを書き込めませんでした\n%1\n%2"));
}

// Keeps every text the painter draws.
class TextCanvas : public testing::BlankCanvas {
public:
    void drawText(double, double, const std::string& text, int, bool, PaletteColour) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// The save panel of a folder that holds digits; the file is "第12局".
class SavePanel : public NullRecordPanel {
public:
    std::string fieldText(RecordField field) override { return field == RecordField::FileName ? "第12局" : ""; }
    fs::path folder() override { return where; }
    fs::path where = ".";
};

// A disk that is always full.
class FullDisk : public FileWriter {
protected:
    int openTemporary(const fs::path&, fs::path&, int&) override { return ENOSPC; }
};

// A whole program in a language (no translator: Japanese): boxes, their
// answers and the picture.
struct World {
    explicit World(const Translator* language) : translator(language) { game.setPresentation(&painter); }
    const Translator* const translator;
    testing::ScriptedDialogs dialogs;
    testing::RecordingSound sound;
    testing::RecordingPauses pauses;
    NullShell shell;
    testing::RecordingMarks marks;
    SavePanel panel;
    Game game{ports()};
    TextCanvas canvas;
    BoardPainter painter{game, canvas};

    Ports ports() {
        Ports p{&dialogs, nullptr, &sound, &pauses, &shell, &marks, &panel};
        p.translator = translator;
        return p;
    }
    template <typename F>
    void command(F f) {
        f();
        followClock(game);
        painter.drawClocks();
    }
};

const EnglishTranslator ENGLISH;

struct EnglishWorld : World {
    EnglishWorld() : World(&ENGLISH) {}
};

// Refusals, a game between people with a declined draw and a flag, a game
// against the computer with its replies, stepping, a handicap and a resign:
// every box and every drawn text is in English, and the game is the same.
TEST(EnglishRun, NoJapaneseReachesTheBoxesOrThePicture) {
    testing::ScratchFolder folder(testing::ScratchFolder::ENTER);
    EnglishWorld w;
    Game& g = w.game;
    w.dialogs.answers.assign(200, Answer::No);
    w.command([&] { Form_Load(g); });
    w.command([&] { testing::clickSquare(g, BoardId::LEFT, 5, 7); });
    w.command([&] { HINT_Click(g); });
    w.command([&] { resignClick(g); });
    w.command([&] { offerDrawClick(g); });
    w.command([&] { REPLAY_Click(g); });
    w.command([&] { LBEL_UP_Click(g); });
    w.command([&] { LBEL_UP_Click(g); });
    w.command([&] { LEBEL_DOWN_Click(g); });
    w.command([&] { LEBEL_DOWN_Click(g); });
    w.command([&] { chooseTimeControl(g, TIME_CONTROL_PRESETS[0]); });
    w.command([&] { START_Click(g); });
    w.command([&] { testing::clickMove(g, BoardId::LEFT, 5, 7, 5, 5); });
    w.command([&] { testing::clickMove(g, BoardId::LEFT, 5, 2, 5, 4); });
    w.command([&] { offerDrawClick(g); });
    w.command([&] { LBEL_UP_Click(g); });
    w.command([&] { REPLAY_Click(g); });
    w.command([&] { AFTER_Click(g); });
    w.command([&] { AFTER_Click(g); });
    // The first player's flag; "Play again?" answered Yes.
    w.dialogs.answers.push_front(Answer::Yes);
    w.pauses.time += 61;
    w.command([&] { clockTick(g); });
    ASSERT_EQ(g.state.sideToMove, Side::None);
    w.command([&] { LEVEL_Click(g, 3); });
    w.command([&] { SENTE_Click(g); });
    w.command([&] { testing::clickMove(g, BoardId::RIGHT, 5, 7, 5, 5); });
    ASSERT_EQ(g.state.sideToMove, Side::First);
    w.dialogs.answers.push_front(Answer::Yes);
    w.command([&] { resignClick(g); });
    // A second game against the computer, played until it ends.
    w.command([&] { SENTE_Click(g); });
    for (const auto& [from, to] : {std::pair(Square{5, 7}, Square{5, 5}), {Square{4, 7}, Square{4, 5}},
                                   {Square{7, 8}, Square{6, 6}}, {Square{6, 8}, Square{3, 5}}}) {
        if (g.state.sideToMove != Side::First) break;
        w.command([&] { testing::clickMove(g, BoardId::RIGHT, from.file, from.rank, to.file, to.rank); });
    }

    std::set<std::string> titles;
    for (const testing::Box& box : w.dialogs.boxes) {
        EXPECT_FALSE(hasJapanese(box.text)) << box.text;
        EXPECT_FALSE(hasJapanese(box.title)) << box.title;
        titles.insert(box.title);
    }
    for (const std::string& text : w.canvas.texts) EXPECT_FALSE(hasJapanese(text)) << text;
    // The run went through the boxes and texts it was meant to.
    for (const char* title : {"Start", "Resign", "Draw offer", "Time up", "Game over", "New game", "Handicap", "Back"}) {
        EXPECT_TRUE(titles.count(title)) << title;
    }
    for (const char* text : {"Thinking", "Move 2", "Pawn", "Handicap: 3 kyu", "e", "4"}) {
        EXPECT_NE(std::find(w.canvas.texts.begin(), w.canvas.texts.end(), text), w.canvas.texts.end()) << text;
    }
    // The move list in English too, part by part as the picture shows a move.
    const std::vector<ListedMove> listed = listedMoves(g);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed[0].board, "Right");
    EXPECT_EQ(listed[0].text, "e2-e4 Pawn");
    for (const ListedMove& m : listed) EXPECT_FALSE(hasJapanese(m.board + m.text)) << m.board << m.text;
}

// What the boxes with arguments said, each as "title|text", and the texts
// drawn while a record was loaded: the commands that make them run in one
// program, with a folder, file names and a line number that all hold digits.
struct TemplatedRun {
    std::vector<std::string> boxes;
    std::vector<std::string> drawn;
};

TemplatedRun templatedTexts(const Translator* translator) {
    testing::ScratchFolder scratch(testing::ScratchFolder::ENTER);
    World w(translator);
    Game& g = w.game;
    FullDisk disk;
    g.swapFiles(&disk);
    const std::string folder = "run2/棋譜2024";
    fs::create_directories(folder + "/禁止.wav");
    w.panel.where = folder;
    g.options.dataDirectory = folder;
    KAISETU_Click(g);         // no help page there
    Form4_Command1_Click(g);  // no browser
    g.sounds.device = 1;
    loadWave(g, "禁止.wav", 3);  // a folder of that name
    初期設定(g);
    g.state.moveNumber = g.state.lastMoveNumber = 1;
    手順保存(g, 1);
    Command1_Click(g);  // the disk is full
    showOpenFailure(g, folder + "/第3局.棋譜", ENOENT);
    描画_メッセージ(g, HandicapRefusal::Reversed);
    // Header lines that are words of the catalogue, two snapshots, and line 6 unread.
    Board start;
    setStartPosition(start);
    std::string bytes, error;
    EXPECT_TRUE(encodeRecordFile({"ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "棋譜", "先手 12", {{start, start}, {start, start}}}, bytes, error));
    w.canvas.texts.clear();
    applyRecord(g, bytes + "   4\r\n");
    return {w.dialogs.titledTexts(), w.canvas.texts};
}

// Each box with arguments is in Japanese what the game always showed, byte
// for byte, and in English the translation of its template with each
// argument, exactly once, in its own place. A record's header lines are its
// own words and are drawn as they are in both languages.
TEST(TemplatedTexts, JapaneseAsTheyWereAndEnglishWithEachArgumentInItsPlace) {
    const TemplatedRun japanese = templatedTexts(nullptr);
    EXPECT_EQ(japanese.boxes, (std::vector<std::string>{
                                  "解説|解説ファイルが見つかりません: run2/棋譜2024/Velmora.htm",
                                  "ﾎｰﾑﾍﾟｰｼﾞ|ﾌﾞﾗｳｻﾞを開けませんでした\nﾎｰﾑﾍﾟｰｼﾞ: https://velmora.example/",
                                  "Velmora.dll|禁止.wav: ﾌｧｲﾙではなくﾌｫﾙﾀﾞです",
                                  "棋譜|棋譜ﾌｧｲﾙを書き込めませんでした\nrun2/棋譜2024/第12局.棋譜\nﾃﾞｨｽｸがいっぱいです",
                                  "棋譜|棋譜ﾌｧｲﾙを開けません\nrun2/棋譜2024/第3局.棋譜\nﾌｧｲﾙまたはﾌｫﾙﾀﾞがありません",
                                  "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定|反転後ではできません\n\n局面→最初にして下さい",
                                  "棋譜|棋譜ﾌｧｲﾙの 6 行目が読めません",
                              }));
    const TemplatedRun english = templatedTexts(&ENGLISH);
    EXPECT_EQ(english.boxes, (std::vector<std::string>{
                                 "Help|Help file not found: run2/棋譜2024/Velmora.htm",
                                 "Home page|Could not open a web browser\nHome page: https://velmora.example/",
                                 "Velmora.dll|禁止.wav: It is a folder, not a file",
                                 "Record|Could not write the record file\nrun2/棋譜2024/第12局.棋譜\nThe disk is full",
                                 "Record|Cannot open the record file\nrun2/棋譜2024/第3局.棋譜\nNo such file or folder",
                                 "Handicap|Not after the boards were turned round\n\nGo back to the first position "
                                 "(Position ▸ First position)",
                                 "Record|Line 6 of the record file cannot be read",
                             }));
    for (const TemplatedRun* run : {&japanese, &english}) {
        for (const char* header : {"ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "棋譜", "先手 12"}) {
            EXPECT_NE(std::find(run->drawn.begin(), run->drawn.end(), header), run->drawn.end()) << header;
        }
    }
    // The texts of the record's boxes, made apart from a command.
    EXPECT_EQ(shown(nullptr, unreadLineText(505)), "棋譜ﾌｧｲﾙの 505 行目が読めません");
    EXPECT_EQ(shown(&ENGLISH, unreadLineText(505)), "Line 505 of the record file cannot be read");
    EXPECT_EQ(shown(nullptr, recordNotWrittenText(DIGIT_PATH, "棋譜ﾌｧｲﾙに書けない文字があります")),
              "棋譜ﾌｧｲﾙを書き込めませんでした\n" + DIGIT_PATH + "\n棋譜ﾌｧｲﾙに書けない文字があります");
    EXPECT_EQ(shown(&ENGLISH, recordNotWrittenText(DIGIT_PATH, "棋譜ﾌｧｲﾙに書けない文字があります")),
              "Could not write the record file\n" + DIGIT_PATH + "\nThe record has characters a record file cannot hold");
}

// In English the move counter is one text, "Move 12", drawn once over its
// shadow; the Japanese run draws the number and "手目" apart.
TEST(EnglishRun, TheMoveCounterIsDrawnOnceAsOneText) {
    EnglishWorld english;
    english.painter.描画_手数(12);
    EXPECT_EQ(english.canvas.texts, (std::vector<std::string>{"Move 12", "Move 12"}));
    World japanese(nullptr);
    japanese.painter.描画_手数(12);
    EXPECT_EQ(japanese.canvas.texts, (std::vector<std::string>{" 12", " 12", "手目", "手目"}));
}

TEST(Language, TheLocaleChoosesJapaneseOnlyForJapaneseCAndPosix) {
    for (const char* japanese : {"ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP", "ja_JP@x", "C", "C.UTF-8", "POSIX", ""}) {
        EXPECT_EQ(languageOfLocale(japanese), Language::Japanese) << japanese;
    }
    for (const char* english : {"en_US.UTF-8", "en", "de_DE", "fr_FR.UTF-8", "jam", "zh_CN", "Cx"}) {
        EXPECT_EQ(languageOfLocale(english), Language::English) << english;
    }
    // LC_ALL over LC_MESSAGES over LANG, an empty one as if unset; none at all: Japanese.
    EXPECT_EQ(systemLanguage("C", "en_GB", "en_GB"), Language::Japanese);
    EXPECT_EQ(systemLanguage("", "en_GB", "ja_JP"), Language::English);
    EXPECT_EQ(systemLanguage(nullptr, nullptr, "de_DE.UTF-8"), Language::English);
    EXPECT_EQ(systemLanguage(nullptr, "", "ja_JP.UTF-8"), Language::Japanese);
    EXPECT_EQ(systemLanguage(nullptr, nullptr, nullptr), Language::Japanese);
    EXPECT_EQ(languageNamed("ja"), Language::Japanese);
    EXPECT_EQ(languageNamed("en"), Language::English);
    for (const char* bad : {"", "EN", "english", "ja_JP", "fr"}) EXPECT_FALSE(languageNamed(bad)) << bad;
    EXPECT_EQ(catalogueNameOf(Language::Japanese), "");
    EXPECT_EQ(catalogueNameOf(Language::English), "velmora_en");
}

// The help command opens the page of the run's language, and names it when
// it is missing.
TEST(Language, TheHelpPageIsTheRunsLanguages) {
    testing::ScratchFolder folder(testing::ScratchFolder::ENTER);
    EnglishWorld w;
    w.game.options.helpPage = helpPageOf(Language::English);
    w.game.options.dataDirectory = folder.path.string();
    w.dialogs.answers.assign(20, Answer::Yes);
    KAISETU_Click(w.game);
    ASSERT_FALSE(w.dialogs.boxes.empty());
    EXPECT_EQ(w.dialogs.boxes.back().text, "Help file not found: " + (folder.path / "Velmora.en.htm").string());
    EXPECT_EQ(helpPagePath(Game()), "Velmora.htm");
}

}  // namespace
}  // namespace velmora
