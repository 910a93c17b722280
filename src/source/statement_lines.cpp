#include "statement_lines.h"

#include <cstring>

#include "state.h"

StatementLines::StatementLines(const std::string& file) : on_(g.line_directives != 0) {
    if (on_) file_ = g.places.file_number(file);
}

void StatementLines::piece(const std::string& text) {
    if (!on_) return;
    start_ = text.data();
    size_ = text.size();
    newlines_.clear();
    passed_ = 0;
    for (const char* p = start_; (p = static_cast<const char*>(memchr(p, '\n', size_ - (p - start_))));)
        newlines_.push_back(static_cast<size_t>(p++ - start_));
    first_line_ = next_first_line_;
    next_first_line_ = first_line_ + static_cast<uint32_t>(newlines_.size());
}

void StatementLines::statement(const char* p) {
    if (!on_ || !start_ || p < start_ || p >= start_ + size_) return;
    size_t at = static_cast<size_t>(p - start_);
    while (passed_ < newlines_.size() && newlines_[passed_] < at) ++passed_;
    while (passed_ > 0 && newlines_[passed_ - 1] >= at) --passed_;
    g.places.at_statement(file_, first_line_ + static_cast<uint32_t>(passed_));
}
