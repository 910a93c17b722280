#include "mygetline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "error.h"
#include "state.h"

bool mygetline(FILE* stream, std::string& line) {
    line.clear();
    int c;
    while ((c = getc(stream)) != EOF) {
        if (c == '\r') {
            // CR LF (Windows) and a CR alone (old Mac files) end a line
            // as LF does: the files read exactly like their LF twins.
            int next = getc(stream);
            if (next != '\n' && next != EOF) ungetc(next, stream);
            c = '\n';
        }
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}

FILE* open_source(const std::string& name, struct stat& st, const char* at) {
    // Looked at before it is opened: opening a FIFO waits for a writer,
    // and a device may act on being opened.
    if (stat(name.c_str(), &st) != 0) die(name, at);
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        die(name, at);
    }
    if (!S_ISREG(st.st_mode)) die_because(name, "not a regular file", at);
    int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) die(name, at);
    // The name may lead elsewhere by now.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        die_because(name, "not a regular file", at);
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* f = fdopen(fd, "r");
    if (!f) {
        int e = errno;
        close(fd);
        errno = e;
        die(name, at);
    }
    return f;
}

// True when the quote at i is escaped: one backslash before it, and not two.
static bool escaped(const std::string& s, size_t i) {
    bool one = i >= 1 && s[i - 1] == '\\';
    bool two = i >= 2 && s[i - 2] == '\\';
    return one && !two;
}

void del_comment(std::string& s, CommentState& st) {
    int& state = st.cm;
    int& s_quote = st.s_quote;
    int& d_quote = st.d_quote;
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

std::string canonical_path(const std::string& path) {
    char* r = realpath(path.c_str(), nullptr);
    if (!r) return path;
    std::string s = r;
    free(r);
    return s;
}

std::string readfile_as_oneline(FILE* stream, CommentState& st) {
    std::string text, line;
    // Sized from the file at once, so the text is never copied while it grows.
    struct stat info;
    if (fstat(fileno(stream), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        text.reserve(static_cast<size_t>(info.st_size));
    Preprocessor preprocessor;
    while (mygetline(stream, line)) {
        del_comment(line, st);
        preprocessor.line(line);
        text += line;
    }
    preprocessor.end(text);
    return text;
}

SourceReader::SourceReader(FILE* stream, const std::string& name, size_t piece_bytes, PieceBoundary& boundary,
                           const CommentState& start)
    : stream_(stream), name_(name), piece_bytes_(piece_bytes), boundary_(boundary), state_(start) {
    struct stat st;
    if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) {
        // Not seekable: read whole, which also finds the end state.
        whole_ = true;
        whole_text_ = readfile_as_oneline(stream, state_);
        size_t nul = whole_text_.find('\0');
        if (nul != std::string::npos) {
            int line = 1;
            size_t line_start = 0;
            for (size_t i = 0; i < nul; ++i)
                if (whole_text_[i] == '\n') ++line, line_start = i + 1;
            die_at(name_, line, static_cast<int>(nul - line_start + 1), "NUL character in source");
        }
        return;
    }
}

void SourceReader::publish_end_state(CommentState& shared) {
    if (published_) return;
    published_ = true;
    if (whole_) {
        shared = state_;
        return;
    }
    CommentState st = state_;
    long pos = ftell(stream_);
    std::string line;
    while (mygetline(stream_, line)) del_comment(line, st);
    shared = st;
    if (pos >= 0) {
        clearerr(stream_);
        fseek(stream_, pos, SEEK_SET);
    }
}

bool SourceReader::next(std::string& piece) {
    piece.clear();
    if (whole_) {
        if (handed_out_) return false;
        handed_out_ = true;
        piece.swap(whole_text_);
        return true;
    }
    if (carry_newline_) piece.push_back('\n');
    carry_newline_ = false;
    while (mygetline(stream_, line_)) {
        ++lines_read_;
        size_t nul = line_.find('\0');
        if (nul != std::string::npos) die_at(name_, lines_read_, static_cast<int>(nul + 1), "NUL character in source");
        del_comment(line_, state_);
        preprocessor_.line(line_);
        piece += line_;
        bool may_end = boundary_.may_end_after(line_) && !inside_comment_or_quote();
        if (may_end && piece.size() >= piece_bytes_ && piece.back() == '\n') {
            piece.pop_back();
            carry_newline_ = true;
            return true;
        }
    }
    preprocessor_.end(piece);
    return !piece.empty();
}
