#include "statement_mistakes.h"

#include <cstring>

#include "explain.h"
#include "scan.h"

void OpenBraces::opened(const char* brace) {
    if (g.explain) places_.push_back(point_of(brace));
}

void OpenBraces::closed() {
    if (!places_.empty()) places_.pop_back();
}

SourcePoint OpenBraces::innermost() const { return places_.empty() ? SourcePoint() : places_.back(); }

namespace {

// The word at `p` (empty when none starts there).
std::string word_at(const char* p) {
    std::string word;
    if (is_ident_start(*p)) read_identifier(p, word);
    return word;
}

// "line N", or "FILE:N" for a place in another file than the one walked.
std::string line_of(const SourcePoint& at) {
    const WalkedPiece* w = walked_piece();
    if (w && w->file == at.file) return "line " + std::to_string(at.line);
    return g.places.file_name(at.file) + ":" + std::to_string(at.line);
}

// A keyword at the top level that a space must follow.
[[noreturn]] void space_expected(const char* p, const std::string& word) {
    syntax_error(p + word.size(), "expected a space after '" + word + "'");
}

// Whether the statement at `p` reads as one of a module body: it starts
// with a keyword of the body, or assigns or calls a name.
bool body_statement(const char* p) {
    std::string word = word_at(p);
    if (word.empty()) return false;
    if (keyword_like(word, Where::kBody) == word) return true;
    const char* q = skip_space_only(p + word.size());
    bool compound = (*q == '+' || *q == '-' || *q == '&' || *q == '|') && (q[1] == q[0] || q[1] == '=');
    return (*q && strchr("=.([", *q)) || (q[0] == ':' && q[1] == '=') || compound;
}

}  // namespace

void unknown_top_level(const char* p) {
    if (*p == '}') {
        std::string text = "'}' closes no block";
        if (g.block_closed.known()) text += ": " + g.block_closed_name + " ended at " + line_of(g.block_closed);
        syntax_error(p, text);
    }
    if (p[0] == '%' && (p[1] == 'd' || p[1] == 'i')) space_expected(p, std::string(p, 2));
    std::string word = word_at(p);
    std::string keyword = keyword_like(word, Where::kTopLevel);
    if (!word.empty() && keyword == word) space_expected(p, word);
    if (!keyword.empty())
        syntax_error(p, "unknown word '" + word + "' at the top level; did you mean '" + keyword + "'?");
    if (g.block_closed.known() && body_statement(p)) {
        SourcePoint here = point_of(p);
        std::string where = here.known() ? " at " + line_of(here) : "";
        syntax_error(at_point(g.block_closed, "extra '}': it ends " + g.block_closed_name + ", and the statement" + where +
                                                  " stands outside every module"));
    }
    syntax_error(p, "expected 'module', 'circuit', 'declare', '%d' or '%i' at the top level, found " + found_at(p));
}

void unknown_in_declare(const char* p) {
    std::string word = word_at(p);
    std::string keyword = keyword_like(word, Where::kDeclare);
    if (!keyword.empty())
        syntax_error(p, "unknown word '" + word + "' in a declare block; did you mean '" + keyword + "'?");
    syntax_error(p, "a declare block holds input, output, bidirect, instrin, instrout and instr_arg declarations, not " +
                        found_at(p));
}

void brace_of_including_file(const char* p) {
    syntax_error(p, "extra '}': it would close a block of the file that includes this one");
}

void block_ended(const char* p, const std::string& module_name) {
    if (!g.explain) return;
    g.block_closed = point_of(p);
    if (g.declare_flag && !g.declare_list.empty())
        g.block_closed_name = "declare block '" + g.declare_list.last()->name + "'";
    else
        g.block_closed_name = "module '" + module_name + "'";
}

void unclosed_at_end(const OpenBraces& braces, int depth, int levels, bool header, bool included,
                     const std::string& plain) {
    const WalkedPiece* w = walked_piece();
    Mistake m;
    if (w) m.point = w->last_token.known() ? w->last_token : w->statement_point();
    std::string file = included ? "the included file" : "the file";
    if (depth > 0) {
        SourcePoint open = braces.innermost();
        m.text = "expected '}' at the end of " + file + ": the block opened" +
                 (open.known() ? " at " + line_of(open) : std::string()) + " is not closed";
        if (open.known()) m.notes.push_back(Mistake::Note{open, "the block opened here"});
    } else if (header) {
        m.text = "expected '{' after the block's header: " + file + " ends";
    } else {
        m.text = "expected a statement at the end of " + file + ": " + std::to_string(levels) +
                 " 'if', 'else', 'instruct' or 'state' still wait for the statement they head";
    }
    if (plain.empty()) syntax_error(m);
    syntax_error_after(stderr, plain, m);
}
