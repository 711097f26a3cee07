#include "record/position_text.h"

namespace velmora {

namespace {

constexpr char WHITE_LETTERS[] = "PNBRQK";
constexpr char BLACK_LETTERS[] = "pnbrqk";

char letterOf(PieceCode code) {
    const int kind = absCode(code);
    return isWhite(code) ? WHITE_LETTERS[kind - 1] : BLACK_LETTERS[kind - 1];
}

}  // namespace

PieceCode pieceOfLetter(char c) {
    for (int k = 0; k < 6; ++k) {
        if (c == WHITE_LETTERS[k]) return static_cast<PieceCode>(pieceCode(Colour::White, k + 1));
        if (c == BLACK_LETTERS[k]) return static_cast<PieceCode>(pieceCode(Colour::Black, k + 1));
    }
    return EMPTY;
}

namespace {

// The board's ranks from the top of the unturned boards (rank 8, where black
// starts; the program's rank 1) down, files a to h in each.
void writeBoard(std::string& out, const Board& b) {
    for (int r = 1; r <= 8; ++r) {
        if (r > 1) out += '/';
        int empty = 0;
        for (int f = 1; f <= 8; ++f) {
            const PieceCode code = b.at(f, r);
            if (!isPieceCode(code) || code == EMPTY) {
                ++empty;
                continue;
            }
            if (empty > 0) out += static_cast<char>('0' + empty);
            empty = 0;
            out += letterOf(code);
        }
        if (empty > 0) out += static_cast<char>('0' + empty);
    }
}

// Reads the text a field at a time; `at` is the index of the next byte.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool fail(PositionField field, PositionProblem problem, std::size_t index) {
        error_ = {field, static_cast<int>(index) + 1, problem};
        return false;
    }
    const PositionTextError& error() const { return error_; }

    bool atEnd() const { return at_ >= text_.size(); }
    std::size_t index() const { return at_; }
    char peek() const { return text_[at_]; }

    // One space before the next field.
    bool separator(PositionField next) {
        if (atEnd()) return fail(next, PositionProblem::MissingField, at_);
        if (peek() != ' ') return fail(next, PositionProblem::BadSeparator, at_);
        ++at_;
        if (atEnd()) return fail(next, PositionProblem::MissingField, at_);
        if (peek() == ' ') return fail(next, PositionProblem::BadSeparator, at_);
        return true;
    }

    bool board(PositionField field, Board& b) {
        if (atEnd()) return fail(field, PositionProblem::MissingField, at_);
        b.fill(EMPTY);
        int rank = 1;
        int file = 1;
        bool lastWasDigit = false;
        while (!atEnd() && peek() != ' ') {
            const char c = peek();
            if (c == '/') {
                if (file <= 8) return fail(field, PositionProblem::RankShort, at_);
                if (rank == 8) return fail(field, PositionProblem::TooManyRanks, at_);
                ++rank;
                file = 1;
                lastWasDigit = false;
            } else if (c >= '0' && c <= '9') {
                if (lastWasDigit) return fail(field, PositionProblem::AdjacentDigits, at_);
                const int count = c - '0';
                if (count < 1 || count > 8) return fail(field, PositionProblem::ZeroCount, at_);
                if (file + count > 9) return fail(field, PositionProblem::RankOverfull, at_);
                file += count;
                lastWasDigit = true;
            } else {
                const PieceCode piece = pieceOfLetter(c);
                if (piece == EMPTY) return fail(field, PositionProblem::NotPiece, at_);
                if (file > 8) return fail(field, PositionProblem::RankOverfull, at_);
                b.at(file, rank) = piece;
                ++file;
                lastWasDigit = false;
            }
            ++at_;
        }
        if (file <= 8) return fail(field, PositionProblem::RankShort, at_);
        if (rank < 8) return fail(field, PositionProblem::TooFewRanks, at_);
        return true;
    }

    bool side(Colour& colour) {
        const PositionField field = PositionField::SideToMove;
        const char c = peek();
        if (c != 'w' && c != 'b') return fail(field, PositionProblem::BadSide, at_);
        colour = c == 'w' ? Colour::White : Colour::Black;
        ++at_;
        if (!atEnd() && peek() != ' ') return fail(field, PositionProblem::BadSide, at_);
        return true;
    }

    bool number(int& value) {
        const PositionField field = PositionField::MoveNumber;
        const std::size_t start = at_;
        value = 0;
        while (!atEnd() && peek() != ' ') {
            const char c = peek();
            if (c < '0' || c > '9') return fail(field, PositionProblem::BadNumber, at_);
            // No leading zero: the writer never writes one.
            if (at_ > start && value == 0) return fail(field, PositionProblem::BadNumber, at_);
            value = value * 10 + (c - '0');
            if (value > MAX_POSITION_MOVE_NUMBER) return fail(field, PositionProblem::NumberTooLarge, start);
            ++at_;
        }
        return true;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    PositionTextError error_;
};

const char* fieldName(PositionField field) {
    switch (field) {
        case PositionField::LeftBoard: return "left board";
        case PositionField::RightBoard: return "right board";
        case PositionField::SideToMove: return "side to move";
        case PositionField::MoveNumber: return "move number";
        case PositionField::Whole: break;
    }
    return "position";
}

const char* fieldNameJapanese(PositionField field) {
    switch (field) {
        case PositionField::LeftBoard: return "左の盤";
        case PositionField::RightBoard: return "右の盤";
        case PositionField::SideToMove: return "手番";
        case PositionField::MoveNumber: return "手数欄";
        case PositionField::Whole: break;
    }
    return "局面";
}

const char* problemText(PositionProblem problem) {
    switch (problem) {
        case PositionProblem::Empty: return "the text is empty";
        case PositionProblem::TooLong: return "the text is longer than 200 characters";
        case PositionProblem::NotPiece: return "not a piece letter (PNBRQK pnbrqk) or a count of empty squares";
        case PositionProblem::AdjacentDigits: return "two counts of empty squares in a row";
        case PositionProblem::ZeroCount: return "a count of empty squares must be 1 to 8";
        case PositionProblem::RankOverfull: return "the rank has more than 8 squares";
        case PositionProblem::RankShort: return "the rank has fewer than 8 squares";
        case PositionProblem::TooFewRanks: return "the board has fewer than 8 ranks";
        case PositionProblem::TooManyRanks: return "the board has more than 8 ranks";
        case PositionProblem::BadSide: return "the side to move must be w or b";
        case PositionProblem::BadNumber: return "the move number must be a number without leading zeros";
        case PositionProblem::NumberTooLarge: return "the move number is over 9999";
        case PositionProblem::MissingField: return "the text ends here";
        case PositionProblem::BadSeparator: return "fields are separated by one space";
        case PositionProblem::ExtraText: return "text after the move number";
    }
    return "";
}

const char* problemTextJapanese(PositionProblem problem) {
    switch (problem) {
        case PositionProblem::Empty: return "文字がありません";
        case PositionProblem::TooLong: return "200文字を超えています";
        case PositionProblem::NotPiece: return "駒の文字（PNBRQK pnbrqk）でも空きの数でもありません";
        case PositionProblem::AdjacentDigits: return "空きの数が続いています";
        case PositionProblem::ZeroCount: return "空きの数は1から8です";
        case PositionProblem::RankOverfull: return "段が8マスを超えています";
        case PositionProblem::RankShort: return "段が8マスに足りません";
        case PositionProblem::TooFewRanks: return "段が8つに足りません";
        case PositionProblem::TooManyRanks: return "段が8つを超えています";
        case PositionProblem::BadSide: return "手番は w か b です";
        case PositionProblem::BadNumber: return "手数は0で始まらない数です";
        case PositionProblem::NumberTooLarge: return "手数が9999を超えています";
        case PositionProblem::MissingField: return "ここで終わっています";
        case PositionProblem::BadSeparator: return "項目の間は空白1つです";
        case PositionProblem::ExtraText: return "手数の後に文字があります";
    }
    return "";
}

}  // namespace

std::string writePositionText(const PositionText& position) {
    std::string out;
    out.reserve(MAX_POSITION_TEXT_BYTES);
    writeBoard(out, position.left);
    out += ' ';
    writeBoard(out, position.right);
    out += position.toMove == Colour::White ? " w " : " b ";
    out += std::to_string(position.moveNumber);
    return out;
}

std::optional<PositionText> readPositionText(std::string_view text, PositionTextError* error) {
    auto refuse = [&](const PositionTextError& e) -> std::optional<PositionText> {
        if (error) *error = e;
        return std::nullopt;
    };
    if (text.size() > MAX_POSITION_TEXT_BYTES) {
        return refuse({PositionField::Whole, static_cast<int>(MAX_POSITION_TEXT_BYTES) + 1, PositionProblem::TooLong});
    }
    // One line end, as a copied line often carries.
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return refuse({PositionField::Whole, 1, PositionProblem::Empty});
    }
    Reader reader(text);
    PositionText p;
    const bool read = reader.board(PositionField::LeftBoard, p.left) && reader.separator(PositionField::RightBoard) &&
                      reader.board(PositionField::RightBoard, p.right) && reader.separator(PositionField::SideToMove) &&
                      reader.side(p.toMove) && reader.separator(PositionField::MoveNumber) &&
                      reader.number(p.moveNumber);
    if (!read) return refuse(reader.error());
    if (!reader.atEnd()) {
        reader.fail(PositionField::MoveNumber, PositionProblem::ExtraText, reader.index());
        return refuse(reader.error());
    }
    return p;
}

std::string positionErrorLine(const PositionTextError& error) {
    return std::string(fieldName(error.field)) + ", character " + std::to_string(error.column) + ": " +
           problemText(error.problem);
}

Text positionErrorText(const PositionTextError& error) {
    return Text("%1、%2文字目: %3")
        .arg(Text(std::string(fieldNameJapanese(error.field))))
        .arg(error.column)
        .arg(Text(std::string(problemTextJapanese(error.problem))));
}

}  // namespace velmora
