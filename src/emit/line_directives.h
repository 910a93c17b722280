// --line-directives: `line directives in the Verilog, so that the tools
// that read it (simulators, linters, synthesis) report positions in the
// SFL file and line that each declaration, assign and always block comes
// from.
//
// A directive `line N "FILE" 0 stands before an output line that comes
// from a statement at line N of FILE, unless the tools already take the
// line for that one: after a directive they count on from N, one a line,
// so that the declarations of consecutive SFL lines need one directive.
// To know where the tools stand, the run's output is written through a
// stream that counts the lines it passes on to the output, flushed where
// a directive may be due.
#ifndef SFLC_LINE_DIRECTIVES_H
#define SFLC_LINE_DIRECTIVES_H

#include <cstdint>
#include <cstdio>

// The stream a run writes its Verilog to: under --line-directives one
// that counts the lines it passes on to `real`, else `real` itself.
class CountedOutput {
public:
    explicit CountedOutput(FILE* real);
    ~CountedOutput();
    CountedOutput(const CountedOutput&) = delete;
    CountedOutput& operator=(const CountedOutput&) = delete;
    FILE* stream() const { return stream_; }

private:
    FILE* stream_;
};

// Before an output line that comes from `place` (source_places.h; 0:
// none, as for every place without --line-directives): the directive
// that leads the tools there, where they do not count the line so.
void mark_line(FILE* out, uint32_t place);
// Writes out what `out` holds, through the counted stream too.
void flush_output(FILE* out);

#endif
