#include "statement_lines.h"

#include <cstring>

#include "scan.h"

StatementLines::StatementLines(const std::string& file) : on_(g.line_directives || g.explain) {
    if (!on_) return;
    piece_.file = g.places.file_number(file);
    if (g.explain) walked_.emplace(piece_);
}

void StatementLines::piece(const std::string& text) {
    if (!on_) return;
    WalkedPiece& w = piece_;
    w.start = text.data();
    w.size = text.size();
    w.statement = nullptr;
    w.newlines.clear();
    passed_ = 0;
    for (const char* p = w.start; (p = static_cast<const char*>(memchr(p, '\n', w.size - (p - w.start))));)
        w.newlines.push_back(static_cast<size_t>(p++ - w.start));
    w.first_line = next_first_line_;
    next_first_line_ = w.first_line + static_cast<uint32_t>(w.newlines.size());
    if (!g.explain) return;
    w.original.assign(text);
    // The end of the file is after its last token, as far as it is read.
    size_t last = w.size;
    while (last > 0 && is_space(text[last - 1])) --last;
    if (last > 0) w.last_token = w.point_at(last);
}

void StatementLines::statement(const char* p) {
    WalkedPiece& w = piece_;
    if (!on_ || !w.start || p < w.start || p >= w.start + w.size) return;
    w.statement = p;
    size_t at = static_cast<size_t>(p - w.start);
    while (passed_ < w.newlines.size() && w.newlines[passed_] < at) ++passed_;
    while (passed_ > 0 && w.newlines[passed_ - 1] >= at) --passed_;
    g.places.at_statement(w.file, w.first_line + static_cast<uint32_t>(passed_));
}
