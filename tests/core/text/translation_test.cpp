// The game in English: the translation of each line of a text, the English
// catalogue (assets/translations/velmora_en.ts) complete and finished, every
// text the core shows present in it, and a game played in English showing
// no Japanese character in any box or on the picture.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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
#include "record/listed_moves.h"
#include "record/replay.h"
#include "test_support.h"
#include "text/language.h"
#include "text/translated_text.h"
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

TEST(TranslatedText, EachLineOnItsOwnWithNumbersAndLabelsAsArguments) {
    const TableTranslator t({{"はい", "Yes"},
                             {"棋譜", "Record"},
                             {"%1 行目", "line %1"},
                             {"ﾌｧｲﾙ: %1", "File: %1"},
                             {"段位:%1", "Grade: %1"},
                             {"初段", "1 dan"}});
    EXPECT_EQ(translated(&t, "はい"), "Yes");
    EXPECT_EQ(translated(&t, "棋譜\n/home/a/b.棋譜\n\nはい"), "Record\n/home/a/b.棋譜\n\nYes");
    EXPECT_EQ(translated(&t, "12 行目"), "line 12");
    EXPECT_EQ(translated(&t, "ﾌｧｲﾙ: /tmp/棋譜"), "File: /tmp/棋譜");
    // The argument is itself translated when it has a translation.
    EXPECT_EQ(translated(&t, "段位:初段"), "Grade: 1 dan");
    // No translation: the line as it is, numbers and all.
    EXPECT_EQ(translated(&t, "0:09.8"), "0:09.8");
    EXPECT_EQ(translated(&t, "いいえ"), "いいえ");
    EXPECT_EQ(translated(&t, ""), "");
    EXPECT_EQ(translated(nullptr, "はい\n棋譜"), "はい\n棋譜");
}

TEST(TranslatedText, JapaneseCharactersAreFound) {
    for (const char* japanese : {"あ", "ア", "ｱ", "棋", "「", "？", "ａ", "１", "x：y"}) EXPECT_TRUE(hasJapanese(japanese)) << japanese;
    for (const char* other : {"", "Record", "0:09.8", "●", "▸", "é", "±"}) EXPECT_FALSE(hasJapanese(other)) << other;
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
            EXPECT_EQ(entry.translation.find("%1") != std::string::npos, source.find("%1") != std::string::npos)
                << context << ": " << source;
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
// them: each message (class "msg") is a translation of the catalogue, and
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
    for (int level = 1; level <= 9; ++level) captions.insert("LEVEL" + std::to_string(level));
    for (const TimeControl& preset : TIME_CONTROL_PRESETS) captions.insert(timeControlText(preset));
    auto trimmed = [](std::string t) {
        t.erase(0, t.find_first_not_of(' '));
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
    };
    std::set<std::string> trimmedMessages;
    for (const std::string& m : messages) trimmedMessages.insert(trimmed(m));
    // A message with a number or a name in it, "%1" standing for any text.
    auto shown = [&](const std::string& text) {
        if (trimmedMessages.count(text)) return true;
        for (const std::string& m : trimmedMessages) {
            const size_t arg = m.find("%1");
            if (arg == std::string::npos) continue;
            const std::string before = m.substr(0, arg), after = m.substr(arg + 2);
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

// Every Japanese text of the core that can reach a box or the picture has a
// translation: line by line, a line ending in a label as its "%1" template.
TEST(EnglishCatalogue, HoldsEveryTextTheCoreShows) {
    // Japanese literals that are never shown: file names, the settings file's
    // words, the separators the translation itself looks for, and the two
    // halves of the unread-line message, whose whole is a template.
    const std::set<std::string> notShown = {
        "*.棋譜", ".棋譜", "resume.棋譜", "その他.wav", "禁止.wav", "駒打音.wav", "：", "緑", "畳", "竹", "宇宙", "煉瓦",
        "背景画", "移動指導", "速い表示", "背景画=", "移動指導=ON\r\n", "移動指導=OFF\r\n", "速い表示=ON\r\n",
        "速い表示=OFF\r\n", "背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n", "レベル", "持ち時間", "なし", "ウィンドウ",
        "レベル=", "持ち時間=", "ウィンドウ=", "棋譜ﾌｧｲﾙの ", " 行目が読めません"};
    const auto& messages = english().contexts.at("Velmora");
    std::vector<std::string> missing;
    for (const auto& entry : fs::recursive_directory_iterator(SOURCE_DIR / "src/core")) {
        if (!entry.is_regular_file()) continue;
        for (const std::string& literal : literals(entry.path())) {
            if (!hasJapanese(literal) || notShown.count(literal)) continue;
            std::stringstream lines(literal);
            for (std::string line; std::getline(lines, line);) {
                if (line.empty() || messages.count(line) || messages.count(line + "%1")) continue;
                missing.push_back(entry.path().filename().string() + ": " + line);
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " texts without English, the first: " << missing.front();
    EXPECT_TRUE(messages.count("棋譜ﾌｧｲﾙの %1 行目が読めません"));
}

// Keeps every text the painter draws.
class TextCanvas : public testing::BlankCanvas {
public:
    void drawText(double, double, const std::string& text, int, bool, int) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// A whole program in English: boxes, their answers and the picture.
struct EnglishWorld {
    EnglishTranslator translator;
    testing::ScriptedDialogs dialogs;
    testing::RecordingSound sound;
    testing::RecordingPauses pauses;
    NullShell shell;
    testing::RecordingMarks marks;
    Game game{ports()};
    TextCanvas canvas;
    BoardPainter painter{game, canvas};

    EnglishWorld() { game.setPresentation(&painter); }
    Ports ports() {
        Ports p{&dialogs, nullptr, &sound, &pauses, &shell, &marks};
        p.translator = &translator;
        return p;
    }
    template <typename F>
    void command(F f) {
        f();
        followClock(game);
        painter.drawClocks();
    }
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
    EXPECT_EQ(listed[0].text, "e4 Pawn");
    for (const ListedMove& m : listed) EXPECT_FALSE(hasJapanese(m.board + m.text)) << m.board << m.text;
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
