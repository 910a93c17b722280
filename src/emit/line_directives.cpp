#include "line_directives.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "state.h"

namespace {

ssize_t counted_write(void*, const char* buf, size_t size) {
    size_t n = fwrite(buf, 1, size, g.output_lines.real);
    for (const char* p = buf; (p = static_cast<const char*>(memchr(p, '\n', n - (p - buf)))); ++p)
        ++g.output_lines.written;
    return n == size ? static_cast<ssize_t>(size) : -1;
}

// What a directive of the file `file` writes after its line number: the
// name as the characters of a Verilog string, a blank, a quote, a backslash
// and control characters as octal escapes (the tools take a name with a
// blank in it for the name up to the blank, or refuse it), and the level.
// Made once a file.
const std::string& directive_end(uint32_t file) {
    std::vector<std::string>& ends = g.output_lines.directive_ends;
    if (file >= ends.size()) ends.resize(file + 1);
    std::string& end = ends[file];
    if (!end.empty()) return end;
    end = " \"";
    for (unsigned char c : g.places.file_name(file)) {
        if (c <= ' ' || c == '"' || c == '\\' || c == 0x7F) {
            char octal[5];
            snprintf(octal, sizeof octal, "\\%03o", c);
            end += octal;
        } else {
            end += static_cast<char>(c);
        }
    }
    end += "\" 0\n";
    return end;
}

}  // namespace

CountedOutput::CountedOutput(FILE* real) : stream_(real) {
    if (!g.line_directives) return;
    g.output_lines = Sflc::OutputLines();
    g.output_lines.real = real;
    stream_ = fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, counted_write, nullptr, nullptr});
    if (!stream_) throw std::bad_alloc();
}

CountedOutput::~CountedOutput() {
    if (!g.output_lines.real) return;
    fclose(stream_);
    g.output_lines.real = nullptr;
}

void mark_line(FILE* out, uint32_t place) {
    if (!place || !g.output_lines.real) return;
    // What the stream holds is counted as it passes on.
    fflush(out);
    SourcePlaces::Where w = g.places.where(place);
    Sflc::OutputLines& o = g.output_lines;
    long long next = o.written + 1;
    if (o.file == w.file && o.line + (next - o.directed) == w.line) return;
    // (A directive may stand before every other line: no printf here.)
    char digits[11];
    char* d = digits + sizeof digits;
    *--d = '\0';
    uint32_t n = w.line;
    do *--d = static_cast<char>('0' + n % 10);
    while (n /= 10);
    fputs("`line ", out);
    fputs(d, out);
    fputs(directive_end(w.file).c_str(), out);
    o.file = w.file;
    o.line = w.line;
    o.directed = next + 1;  // after the directive's own line
}

void flush_output(FILE* out) {
    fflush(out);
    if (g.output_lines.real) fflush(g.output_lines.real);
}
