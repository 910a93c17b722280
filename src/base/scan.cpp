#include "scan.h"

#include <cstdio>
#include <cstring>

#include "error.h"
#include "explain.h"
#include "extended_hooks.h"

void count_newline(const char* after) {
    g.line_head = after;
    ++g.count;
    if (g.n_flag) {
        printf("%4d ", g.count);
        print_oneline(after);
    }
}

void count_newlines(const char* from, const char* to) {
    if (!g.count_ok) return;
    while (const void* nl = memchr(from, '\n', static_cast<size_t>(to > from ? to - from : 0))) {
        from = static_cast<const char*>(nl) + 1;
        count_newline(from);
    }
}

char* skip_ws(char* p) { return const_cast<char*>(skip_ws(static_cast<const char*>(p))); }

const char* skip_ws(const char* p) {
    while (is_space(*p)) {
        ++p;
        if (p[-1] == '\n' && g.count_ok) count_newline(p);
    }
    return p;
}

const char* skip_space_only(const char* p) {
    while (is_space(*p)) ++p;
    return p;
}

char* read_identifier(char* src, std::string& dst) {
    return const_cast<char*>(read_identifier(static_cast<const char*>(src), dst));
}

// A name is missing at `src`.
[[noreturn]] static void name_expected(const char* src) {
    syntax_error(src, "expected a name, found " + found_at(src));
}

const char* read_identifier(const char* src, std::string& dst) {
    if (!is_ident_start(*src)) name_expected(src);
    const char* e = src;
    while (is_ident_char(*e)) ++e;
    dst.assign(src, e);
    return e;
}

char* read_identifier(char* src, Text& dst) {
    if (!is_ident_start(*src)) name_expected(src);
    char* e = src;
    while (is_ident_char(*e)) ++e;
    dst = store_text(std::string_view(src, e - src));
    return e;
}

void delete_space(std::string& text) {
    size_t j = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (!is_space(text[i])) text[j++] = text[i];
    text.resize(j);
}

int mycmp(const char* text, const char* keyword, int alt) {
    // Most texts differ from the keyword at their first character.
    if (keyword[0] != '\0' && text[0] != keyword[0]) return 0;
    size_t n = strlen(keyword);
    if (strncmp(text, keyword, n) != 0) return 0;
    char c = text[n];
    if (is_space(c)) return 1;
    if (alt >= 1 && c == alt) return 1;
    return 0;
}

int block_keyword(const char* text, const char* keyword) {
    return mycmp(text, keyword, extended_dialect() ? '{' : 0);
}
