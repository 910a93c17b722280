#include "mygetline.h"

#include <sys/stat.h>

#include "core.h"

bool mygetline(FILE* stream, std::string& line) {
    line.clear();
    int c;
    while ((c = fgetc(stream)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    if (line.empty()) return false;
    // Windows line endings: a CR LF file reads exactly like its LF twin.
    size_t n = line.size();
    if (n >= 2 && line[n - 1] == '\n' && line[n - 2] == '\r') line.erase(n - 2, 1);
    return true;
}

// True when the quote at i is escaped: one backslash before it, and not two.
static bool escaped(const std::string& s, size_t i) {
    bool one = i >= 1 && s[i - 1] == '\\';
    bool two = i >= 2 && s[i - 2] == '\\';
    return one && !two;
}

void del_comment(std::string& s) {
    int& state = g.cm_state;
    int& s_quote = g.s_quote;
    int& d_quote = g.d_quote;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\n') return;
        if (c == '\'' && !d_quote && !state) {
            if (!s_quote)
                s_quote = 1;
            else if (!escaped(s, i))
                s_quote = 0;
        } else if (c == '"' && !s_quote && !state) {
            if (!d_quote)
                d_quote = 1;
            else if (!escaped(s, i))
                d_quote = 0;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/' && !s_quote && !d_quote &&
                   !state) {
            s.resize(i);
            s.push_back('\n');
            return;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*' && !s_quote && !d_quote &&
                   !state) {
            state = 1;
            s[i] = ' ';
            s[i + 1] = ' ';
            ++i;
        } else if (c == '*' && i + 1 < s.size() && s[i + 1] == '/' && !s_quote && !d_quote &&
                   state) {
            state = 0;
            s[i] = ' ';
            s[i + 1] = ' ';
            ++i;
        } else if (state) {
            s[i] = ' ';
        }
    }
}

std::string readfile_as_oneline(FILE* stream) {
    std::string text, line;
    // Sized from the file at once, so the text is never copied while it grows.
    struct stat st;
    if (fstat(fileno(stream), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        text.reserve(static_cast<size_t>(st.st_size));
    while (mygetline(stream, line)) {
        del_comment(line);
        text += line;
    }
    return text;
}
