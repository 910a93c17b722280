#include "line_directives.h"

#include <cstring>
#include <new>
#include <string>

#include "state.h"

namespace {

ssize_t counted_write(void*, const char* buf, size_t size) {
    size_t n = fwrite(buf, 1, size, g.output_lines.real);
    for (const char* p = buf; (p = static_cast<const char*>(memchr(p, '\n', n - (p - buf)))); ++p)
        ++g.output_lines.written;
    return n == size ? static_cast<ssize_t>(size) : -1;
}

// A file name as the characters of a Verilog string: a blank, a quote, a
// backslash and control characters as octal escapes (the tools take a
// name with a blank in it for the name up to the blank, or refuse it).
void put_file_name(FILE* out, const std::string& name) {
    for (unsigned char c : name) {
        if (c <= ' ' || c == '"' || c == '\\' || c == 0x7F)
            fprintf(out, "\\%03o", c);
        else
            fputc(c, out);
    }
}

}  // namespace

CountedOutput::CountedOutput(FILE* real) : stream_(real) {
    if (!g.line_directives) return;
    g.output_lines = Sflc::OutputLines();
    g.output_lines.real = real;
    stream_ = fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, counted_write, nullptr, nullptr});
    if (!stream_) throw std::bad_alloc();
    // Unbuffered: each write is counted as it is made, and reaches the
    // real stream, which buffers it.
    setvbuf(stream_, nullptr, _IONBF, 0);
}

CountedOutput::~CountedOutput() {
    if (!g.output_lines.real) return;
    fclose(stream_);
    g.output_lines.real = nullptr;
}

void mark_line(FILE* out, uint32_t place) {
    if (!place || !g.output_lines.real) return;
    SourcePlaces::Where w = g.places.where(place);
    Sflc::OutputLines& o = g.output_lines;
    long long next = o.written + 1;
    if (o.file == w.file && o.line + (next - o.directed) == w.line) return;
    fprintf(out, "`line %u \"", w.line);
    put_file_name(out, g.places.file_name(w.file));
    fputs("\" 0\n", out);
    o.file = w.file;
    o.line = w.line;
    o.directed = o.written + 1;
}

void flush_output(FILE* out) {
    fflush(out);
    if (g.output_lines.real) fflush(g.output_lines.real);
}
