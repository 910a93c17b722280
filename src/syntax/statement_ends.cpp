#include "statement_ends.h"

#include <cstring>

#include "constant_arithmetic.h"
#include "constants.h"
#include "extended_hooks.h"
#include "scan.h"

namespace {

// Past the '<' at `q` that may open a bit range: past the blanks after it
// and, when a bound follows (digits; under --extended constant
// arithmetic), past the bound, the blanks after it and the range's ':'.
// Under --extended a ':' is the range's only when a bound and '>' follow
// it: null when it is not (in `alt { a < 10 : ... }` it ends the
// condition).
const char* past_range_start(const char* q) {
    q = skip_space_only(q + 1);
    const char* high = q;
    long long value;
    if (extended_dialect() && read_constant_arithmetic(high, value)) {
        q = high;
    } else if (is_digit(*q)) {
        while (is_digit(*q)) ++q;
    } else {
        return q;
    }
    q = skip_space_only(q);
    if (*q != ':') return q;
    const char* low = q + 1;
    if (extended_dialect() && !(read_constant_arithmetic(low, value) && *skip_space_only(low) == '>')) return nullptr;
    return q + 1;
}

}  // namespace

const char* find_end(const char* p, const char* stops, char nest, bool first_inside) {
    const char close = nest == '(' ? ')' : nest == '[' ? ']' : nest == '{' ? '}' : 0;
    const bool ranges = strchr(stops, ':') != nullptr;
    int depth = 0;
    // The first position, when asked, ends nothing; the one after the
    // start of a bit range ends nothing but a statement (';') and starts
    // no other range.
    const char* held = first_inside ? p : nullptr;
    const char* after_range = nullptr;
    // The characters that can end or open anything; the scan jumps over
    // the runs of others, which are most of a long expression.
    char wanted[16];
    size_t n = 0;
    for (const char* s = stops; *s && n < 8; ++s) wanted[n++] = *s;
    if (nest) {
        wanted[n++] = nest;
        wanted[n++] = close;
    }
    if (ranges) wanted[n++] = '<';
    if (extended_dialect()) {
        wanted[n++] = '\'';
        wanted[n++] = '"';
    }
    wanted[n] = '\0';
    const char* q = p;
    while (*q) {
        if (q != held && q != after_range) {
            q += strcspn(q, wanted);
            if (!*q) break;
        }
        const char* e = skip_quoted(q);
        if (e != q) {
            q = e;
            continue;
        }
        char c = *q;
        if (depth == 0 && strchr(stops, c) && q != held && (q != after_range || c == ';')) return q;
        if (ranges && c == '<' && q[1] != '<' && q != after_range) {
            if (const char* r = past_range_start(q)) {
                q = after_range = r;
                continue;
            }
        }
        if (nest && c == nest) ++depth;
        if (nest && c == close) --depth;
        ++q;
    }
    return q;
}

char* find_end(char* p, const char* stops, char nest, bool first_inside) {
    return const_cast<char*>(find_end(static_cast<const char*>(p), stops, nest, first_inside));
}

void StatementEnds::seen(char c) {
    last_ = c;
    sig_before_ = sig_;
    sig_ = c;
}

size_t StatementEnds::read_word(const std::string& line, size_t i) {
    size_t s = i, n = line.size();
    while (i < n && is_ident_char(line[i])) ++i;
    // Every word of the source passes here: its length is compared first.
    auto word = [&](std::string_view w) { return i - s == w.size() && line.compare(s, i - s, w) == 0; };
    if (word("stage_name")) stage_name_seen_ = true;
    // --extended: a stage body is read whole, for the states that its
    // state blocks declare, and so is a replication loop.
    if (extended_dialect() && word("stage")) stage_seen_ = true;
    loop_word_ = extended_dialect() && (word("par") || word("any") || word("alt") || word("join"));
    return i;
}

void StatementEnds::bracket(char c) {
    switch (c) {
    case '(':
        ++paren_depth_;
        break;
    case ')':
        --paren_depth_;
        break;
    case '{':
        if ((loop_header_ || loop_braces_ > 0) && paren_depth_ == 0) {
            loop_header_ = false;
            ++loop_braces_;
        }
        if (stage_name_seen_) {
            stage_name_seen_ = false;
            in_stage_name_ = true;
        } else if (stage_seen_ || stage_depth_ > 0) {
            stage_seen_ = false;
            ++stage_depth_;
        }
        break;
    case '}':
        if (loop_braces_ > 0) --loop_braces_;
        if (in_stage_name_)
            in_stage_name_ = false;
        else if (stage_depth_ > 0)
            --stage_depth_;
        break;
    }
}

bool StatementEnds::may_end_after(const std::string& line) {
    size_t i = 0, n = line.size();
    while (i < n && is_space(line[i])) ++i;
    if (i < n && line[i] == '%') return false;
    last_ = 0;
    while (i < n) {
        char c = line[i];
        // A quoted constant ends nothing and opens nothing; it is the
        // last character seen when the line ends with it.
        const char* at = line.c_str() + i;
        if (const char* e = skip_quoted(at); e != at) {
            loop_word_ = false;
            seen(c);
            i += static_cast<size_t>(e - at);
            continue;
        }
        if (is_ident_start(c)) {
            i = read_word(line, i);
            seen(line[i - 1]);
            continue;
        }
        if (loop_word_ && !is_space(c)) {
            loop_header_ = loop_header_ || c == '(';
            loop_word_ = false;
        }
        bracket(c);
        if (!is_space(c)) seen(c);
        ++i;
    }
    // A '}' elsewhere (`x = a}` followed by `;` on the next line) is part
    // of a statement that goes on.
    bool block_end = last_ == '}' && (sig_before_ == ';' || sig_before_ == '{' || sig_before_ == '}');
    return (last_ == ';' || block_end) && paren_depth_ == 0 && !in_stage_name_ && !stage_name_seen_ &&
           !loop_header_ && loop_braces_ == 0 && !stage_seen_ && stage_depth_ == 0;
}
