#include "source_points.h"

#include <algorithm>
#include <cstring>

#include "scan.h"
#include "state.h"

SourcePoint WalkedPiece::point_at(size_t offset) const {
    // The newlines before the offset: the line is the first line plus
    // their count, the column counts from the last of them.
    auto after = std::lower_bound(newlines.begin(), newlines.end(), offset);
    size_t passed = static_cast<size_t>(after - newlines.begin());
    size_t line_start = passed ? newlines[passed - 1] + 1 : 0;
    SourcePoint at;
    at.file = file;
    at.line = first_line + static_cast<uint32_t>(passed);
    at.column = static_cast<uint32_t>(offset - line_start + 1);
    return at;
}

SourcePoint WalkedPiece::statement_point() const {
    if (!statement || !holds(statement)) return SourcePoint();
    return point(statement);
}

const WalkedPiece* walked_piece() { return g.walked; }

SourcePoint point_of(const char* p) {
    for (const WalkedPiece* w = g.walked; w; w = w->outer)
        if (w->holds(p)) return w->point(p);
    return SourcePoint();
}

namespace {

// Reads the statement that starts at `offset` of `text` token by token,
// up to its end: a ';' outside brackets, or a '}' that closes a block it
// did not open.
class StatementScan {
public:
    StatementScan(const std::string& text, size_t offset) : t_(text), i_(offset) {}

    enum Kind { kNone, kWord, kNumber, kOpen, kClose, kOpenBrace, kCloseBrace, kQuoted, kOther, kEnd };
    // The next token: its kind, start and end; whether a newline stood
    // before it.
    Kind next() {
        newline_ = false;
        while (i_ < t_.size() && (is_space(t_[i_]) || t_[i_] == '\0')) newline_ |= t_[i_++] == '\n';
        start_ = i_;
        if (i_ >= t_.size()) return kEnd;
        char c = t_[i_++];
        if (is_ident_start(c)) {
            while (i_ < t_.size() && is_ident_char(t_[i_])) ++i_;
            return kWord;
        }
        if (is_digit(c)) {
            while (i_ < t_.size() && is_ident_char(t_[i_])) ++i_;
            return kNumber;
        }
        if (c == '\'' || c == '"') {
            while (i_ < t_.size() && t_[i_] != c && t_[i_] != '\n') i_ += t_[i_] == '\\' ? 2 : 1;
            if (i_ < t_.size() && t_[i_] == c) ++i_;
            return kQuoted;
        }
        switch (c) {
            case '(': return kOpen;
            case ')': return kClose;
            case '{': return kOpenBrace;
            case '}': return kCloseBrace;
            default: return kOther;
        }
    }
    size_t start() const { return start_; }
    size_t end() const { return i_; }
    bool newline_before() const { return newline_; }
    char at(size_t k) const { return k < t_.size() ? t_[k] : '\0'; }
    std::string text() const { return t_.substr(start_, i_ - start_); }

private:
    const std::string& t_;
    size_t i_;
    size_t start_ = 0;
    bool newline_ = false;
};

bool operator_char(char c) { return c && strchr("<>=!&|+-*/@^:#", c); }

// Whether "=" or ":=" (not "==") follows the word that ends at `i`.
bool assignment_after(const std::string& t, size_t i) {
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    if (i + 1 < t.size() && t[i] == ':' && t[i + 1] == '=') return true;
    return i < t.size() && t[i] == '=' && (i + 1 >= t.size() || t[i + 1] != '=');
}

// The statements that are headers of others (these end with no ';' of
// their own) and directives.
bool header_word(const std::string& w) {
    static const char* const kWords[] = {"if",     "else",  "instruct", "alt",    "any",  "par",
                                         "stage",  "state", "switch",   "case",   "default",
                                         "module", "circuit", "declare", "recursive", "join"};
    for (const char* k : kWords)
        if (w == k) return true;
    return false;
}

bool declaration_word(const std::string& w) {
    static const char* const kWords[] = {"input", "output",  "bidirect", "sel",  "sel_v", "reg",
                                         "reg_wr", "reg_ws", "instrin",  "instrout", "instrself",
                                         "instr_arg", "wire", "mem", "regfile", "sela", "sels",
                                         "rega", "regs", "stage_name", "state_name", "first_state"};
    for (const char* k : kWords)
        if (w == k) return true;
    return false;
}

bool transfer_word(const std::string& w) {
    return w == "goto" || w == "generate" || w == "relay" || w == "finish";
}

// What the statement whose first word is `first` is, `assigned`: whether
// an '=' or ':=' stood in it, `called`: whether a '(' did.
std::string statement_kind(const std::string& first, bool assigned, bool called) {
    if (declaration_word(first)) return "the declaration";
    if (transfer_word(first)) return "the '" + first + "' statement";
    if (assigned) return "the assignment";
    if (called) return "the call";
    return "the statement";
}

}  // namespace

size_t word_in_statement(const WalkedPiece& piece, const std::string& word) {
    if (!piece.statement || !piece.holds(piece.statement) || word.empty()) return std::string::npos;
    StatementScan scan(piece.original, piece.statement_offset());
    int parens = 0, braces = 0;
    for (;;) {
        StatementScan::Kind k = scan.next();
        if (k == StatementScan::kEnd) return std::string::npos;
        size_t s = scan.start(), n = word.size();
        if (piece.original.compare(s, n, word) == 0) {
            // A whole word (or a dotted pair "a.b" starting here), or an
            // operator that is no part of a longer one.
            bool word_token = k == StatementScan::kWord || k == StatementScan::kNumber;
            if (word_token && !is_ident_char(scan.at(s + n))) return s;
            if (!is_ident_char(word[0]) && !operator_char(scan.at(s - 1)) && !operator_char(scan.at(s + n))) return s;
        }
        if (k == StatementScan::kOpen) ++parens;
        if (k == StatementScan::kClose) --parens;
        if (k == StatementScan::kOpenBrace) ++braces;
        if (k == StatementScan::kCloseBrace && --braces < 0) return std::string::npos;
        if (k == StatementScan::kOther && scan.at(scan.start()) == ';' && parens <= 0 && braces <= 0)
            return std::string::npos;
    }
}

size_t copy_in_statement(const WalkedPiece& piece, const std::string& copy) {
    if (!piece.statement || !piece.holds(piece.statement) || copy.empty()) return std::string::npos;
    const std::string& t = piece.original;
    for (size_t k = t.find(copy, piece.statement_offset()); k != std::string::npos; k = t.find(copy, k + 1)) {
        bool starts = !is_ident_char(copy.front()) || k == 0 || !is_ident_char(t[k - 1]);
        size_t e = k + copy.size();
        bool ends = !is_ident_char(copy.back()) || e >= t.size() || !is_ident_char(t[e]);
        if (starts && ends) return k;
    }
    return std::string::npos;
}

size_t missing_semicolon(const WalkedPiece& piece, size_t before, std::string& what) {
    if (!piece.statement || !piece.holds(piece.statement)) return std::string::npos;
    StatementScan scan(piece.original, piece.statement_offset());
    if (scan.next() != StatementScan::kWord) return std::string::npos;
    std::string first = scan.text();
    if (header_word(first)) return std::string::npos;
    // Whether the last token ends an operand (a name, a number, a ')', a
    // select's '>', a quoted constant), and where it ends.
    bool operand_end = true, assigned = false, called = false;
    size_t last_end = scan.end();
    int parens = 0, braces = 0, selects = 0;
    for (;;) {
        StatementScan::Kind k = scan.next();
        if (k == StatementScan::kEnd || scan.start() > before) return std::string::npos;
        bool starts_statement = k == StatementScan::kWord || k == StatementScan::kCloseBrace;
        bool breaks = k == StatementScan::kCloseBrace || scan.newline_before() ||
                      (k == StatementScan::kWord && assignment_after(piece.original, scan.end()));
        // (Inside braces of its own, a memory's words say, a statement
        // goes on.)
        if (starts_statement && breaks && operand_end && parens == 0 && braces == 0 && selects == 0) {
            what = statement_kind(first, assigned, called);
            return last_end;
        }
        char c = scan.at(scan.start());
        operand_end = k == StatementScan::kWord || k == StatementScan::kNumber || k == StatementScan::kClose ||
                      k == StatementScan::kQuoted;
        if (k == StatementScan::kOpen) ++parens, called = true;
        if (k == StatementScan::kClose) --parens;
        if (k == StatementScan::kOpenBrace) ++braces;
        if (k == StatementScan::kCloseBrace && --braces < 0) return std::string::npos;
        if (k == StatementScan::kOther) {
            if (c == ';' && parens <= 0 && braces <= 0) return std::string::npos;
            char next = scan.at(scan.start() + 1), prev = scan.at(scan.start() - 1);
            if (c == '=' && next != '=' && prev != '=' && prev != '!' && prev != '<' && prev != '>') assigned = true;
            if (c == '<' && next != '<' && next != '=' && is_ident_char(prev)) ++selects;
            if (c == '>' && selects > 0) {
                --selects;
                operand_end = true;
            }
        }
        last_end = scan.end();
    }
}
