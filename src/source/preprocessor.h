// --extended: preprocessor lines, as the C preprocessor has them.
// `#define NAME [value]` defines a name that is replaced by its value
// wherever it later stands as a whole word; `#ifdef NAME`, `#ifndef NAME`,
// `#else` and `#endif` (nested) keep or drop the lines between them by
// whether NAME was defined before, by `#define` or by `%d`.  Directive and
// dropped lines become empty lines, so line numbers hold.  A directive out
// of place stays in the text, where the statement dispatcher reports the
// syntax error at its line; a missing `#endif` gets a '#' at the end of the
// file's last line for the same purpose.  The reader runs ahead of the
// translation, so the names an included file defines are read where its
// `%i` line stands.
#ifndef SFLC_PREPROCESSOR_H
#define SFLC_PREPROCESSOR_H

#include <string>
#include <vector>

// The preprocessor of one source file: its open conditions.
class Preprocessor {
public:
    // `depth`: of the include whose names are being read (0: a file being
    // translated).
    explicit Preprocessor(int depth = 0) : depth_(depth) {}
    // Rewrites one line (comments already blanked, newline included).
    void line(std::string& text);
    // At the end of the file: marks `text`, the last text handed out, when
    // a condition is still open.
    void end(std::string& text);

private:
    // One open #ifdef/#ifndef: whether its lines are kept, and whether
    // its #else has been seen.
    struct Condition {
        bool keep;
        bool outer_keep;
        bool in_else;
    };
    bool keeping() const { return conditions_.empty() || conditions_.back().keep; }
    bool directive(std::string& text);
    void include_names(const std::string& name);
    int depth_;
    std::vector<Condition> conditions_;
};

#endif
