// docs/GLOSSARY.md and the source tree agree: every identifier in src/ that
// holds a Japanese character has a row in the glossary, and every row names an
// identifier that is still in the code, in each file the row lists.
//
// The scanner reads C++ as tokens, skipping comments and string and character
// literals (raw strings included), so the Japanese texts the game shows and
// the Japanese words in comments are not taken for names.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool identifierByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
}

// Hiragana, katakana (full and half width), CJK ideographs and the iteration mark.
bool japanese(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF65 && c <= 0xFF9F) ||
           c == 0x3005;
}

bool hasJapanese(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        const int len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        char32_t c = len == 1 ? b : b & (0x3F >> (len - 1));
        for (int k = 1; k < len && i + k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        if (japanese(c)) return true;
        i += len;
    }
    return false;
}

// Every identifier (and number) token of C++ source outside comments and literals.
std::vector<std::string> codeTokens(const std::string& src) {
    std::vector<std::string> tokens;
    const size_t n = src.size();
    size_t i = 0;
    while (i < n) {
        const char c = src[i];
        if (src.compare(i, 2, "//") == 0) {
            while (i < n && src[i] != '\n') ++i;
        } else if (src.compare(i, 2, "/*") == 0) {
            const size_t end = src.find("*/", i + 2);
            i = end == std::string::npos ? n : end + 2;
        } else if (identifierByte(static_cast<unsigned char>(c))) {
            const size_t start = i;
            while (i < n && identifierByte(static_cast<unsigned char>(src[i]))) {
                ++i;
                // A digit separator inside a number: 1'000'000.
                if (i + 1 < n && src[i] == '\'' && std::isdigit(static_cast<unsigned char>(src[start])) &&
                    identifierByte(static_cast<unsigned char>(src[i + 1])))
                    ++i;
            }
            const std::string word = src.substr(start, i - start);
            static const std::set<std::string> rawPrefixes{"R", "u8R", "uR", "UR", "LR"};
            if (i < n && src[i] == '"' && rawPrefixes.count(word)) {
                // Raw string: R"delim( ... )delim"
                const size_t open = src.find('(', i);
                if (open == std::string::npos) return tokens;
                std::string close(1, ')');
                close.append(src, i + 1, open - i - 1).push_back('"');
                const size_t end = src.find(close, open);
                i = end == std::string::npos ? n : end + close.size();
            } else {
                tokens.push_back(word);  // a u8/L prefix of an ordinary literal is harmless
            }
        } else if (c == '"' || c == '\'') {
            ++i;
            while (i < n && src[i] != c && src[i] != '\n') i += src[i] == '\\' ? 2 : 1;
            ++i;
        } else {
            ++i;
        }
    }
    return tokens;
}

struct SourceTree {
    std::map<std::string, std::set<std::string>> identifiersByFile;  // path relative to the root
    std::map<std::string, std::set<std::string>> japaneseNames;      // name -> files
};

SourceTree scanSources(const fs::path& root) {
    SourceTree tree;
    for (const char* dir : {"src/core", "src/ui", "src/cli"}) {
        for (const auto& e : fs::recursive_directory_iterator(root / dir)) {
            const auto ext = e.path().extension();
            if (!e.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
            const std::string rel = fs::relative(e.path(), root).generic_string();
            for (const auto& t : codeTokens(readText(e.path()))) {
                tree.identifiersByFile[rel].insert(t);
                if (hasJapanese(t)) tree.japaneseNames[t].insert(rel);
            }
        }
    }
    return tree;
}

struct GlossaryRow {
    int line;
    std::string name;
    std::vector<std::string> files;
};

std::vector<std::string> backticked(const std::string& cell) {
    std::vector<std::string> out;
    for (size_t a = cell.find('`'); a != std::string::npos; a = cell.find('`', a + 1)) {
        const size_t b = cell.find('`', a + 1);
        if (b == std::string::npos) break;
        out.push_back(cell.substr(a + 1, b - a - 1));
        a = b;
    }
    return out;
}

// Table rows whose first cell is one name in backticks: | `name` | gloss | `file` ... |
std::vector<GlossaryRow> glossaryRows(const std::string& text) {
    std::vector<GlossaryRow> rows;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind("| `", 0) != 0) continue;
        std::vector<std::string> cells;
        std::string cell;
        for (char ch : line.substr(1)) {
            if (ch == '|') {
                cells.push_back(cell);
                cell.clear();
            } else {
                cell += ch;
            }
        }
        const auto names = backticked(cells.empty() ? "" : cells[0]);
        if (names.size() != 1) {
            rows.push_back({number, "", {}});  // reported as malformed
            continue;
        }
        rows.push_back({number, names[0], cells.size() >= 3 ? backticked(cells[2]) : std::vector<std::string>{}});
    }
    return rows;
}

}  // namespace

TEST(GlossaryScanner, TakesIdentifiersAndSkipsLiteralsAndComments) {
    const std::string code =
        "// 盤面 in a comment\n"
        "/* 駒 in a block\n comment */\n"
        "int 勢力調査(int ﾊﾝﾃﾞ) { return 1'000'000; }\n"
        "const char* s = \"あなたの番です\\\"引分\";\n"
        "char q = '\\'';\n"
        "auto r = R\"x(raw \"終了\" text)x\";\n"
        "auto u = u8\"上\";\n"
        "void 描画_盤2();\n";
    std::set<std::string> japaneseTokens;
    for (const auto& t : codeTokens(code))
        if (hasJapanese(t)) japaneseTokens.insert(t);
    EXPECT_EQ(japaneseTokens, (std::set<std::string>{"勢力調査", "ﾊﾝﾃﾞ", "描画_盤2"}));
    EXPECT_FALSE(hasJapanese("Command1_Click"));
    EXPECT_FALSE(hasJapanese("ａ"));  // full-width Latin is not Japanese
}

TEST(Glossary, NamesEveryJapaneseIdentifierOfTheSourceTreeAndNothingElse) {
    const fs::path root = VELMORA_SOURCE_DIR;
    const SourceTree tree = scanSources(root);
    ASSERT_GT(tree.japaneseNames.size(), 10u) << "the scan of " << root << " found almost nothing";
    const std::string text = readText(root / "docs/GLOSSARY.md");
    ASSERT_FALSE(text.empty()) << "docs/GLOSSARY.md is missing or empty";
    const auto rows = glossaryRows(text);

    std::set<std::string> listed;
    for (const auto& row : rows) {
        const std::string where = "docs/GLOSSARY.md:" + std::to_string(row.line);
        if (row.name.empty()) {
            ADD_FAILURE() << where << ": the first cell must hold exactly one `name`";
            continue;
        }
        EXPECT_TRUE(listed.insert(row.name).second) << where << ": `" << row.name << "` is listed twice";
        EXPECT_FALSE(row.files.empty()) << where << ": `" << row.name << "` lists no file";
        bool inSources = false;
        for (const auto& [file, ids] : tree.identifiersByFile) inSources = inSources || ids.count(row.name);
        EXPECT_TRUE(inSources) << where << ": `" << row.name << "` is no longer an identifier in src/";
        for (const auto& file : row.files) {
            const auto it = tree.identifiersByFile.find(file);
            EXPECT_TRUE(it != tree.identifiersByFile.end() && it->second.count(row.name))
                << where << ": `" << row.name << "` is not in `" << file << "`";
        }
    }
    for (const auto& [name, files] : tree.japaneseNames)
        EXPECT_TRUE(listed.count(name)) << "`" << name << "` (in " << *files.begin() << ") is missing from docs/GLOSSARY.md";
}
