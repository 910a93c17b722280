#include "explain.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "records.h"
#include "scan.h"
#include "state.h"

namespace {

// The line `line` of the file `name` as it stands there, without its end
// (LF, CR LF or a lone CR); false when it cannot be read.  Read again at
// the message: the text the translator holds has its comments blanked.
bool source_line(const std::string& name, uint32_t line, std::string& text) {
    struct stat st;
    if (stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    FILE* f = fopen(name.c_str(), "rb");
    if (!f) return false;
    text.clear();
    uint32_t n = 1;
    for (int c; (c = getc(f)) != EOF;) {
        if (c == '\r') {
            int d = getc(f);
            if (d != '\n' && d != EOF) ungetc(d, f);
            c = '\n';
        }
        if (c == '\n') {
            if (n == line) break;
            ++n;
        } else if (n == line) {
            text.push_back(static_cast<char>(c));
        }
    }
    fclose(f);
    return n == line;
}

// The source line of `at` and the line with the caret under its column:
// the blanks before it copy the tabs of the source line (one blank for
// each other character, one for each character of several bytes).
void write_source_lines(FILE* to, const SourcePoint& at) {
    std::string text;
    if (!source_line(g.places.file_name(at.file), at.line, text)) return;
    std::string digits = std::to_string(at.line);
    int width = std::max<int>(5, static_cast<int>(digits.size()));
    std::string pad;
    for (size_t i = 0; i + 1 < at.column; ++i) {
        unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (c >= 0x80 && c < 0xC0) continue;
        pad += c == '\t' ? '\t' : ' ';
    }
    fprintf(to, "%*s | %s\n", width, digits.c_str(), text.c_str());
    fprintf(to, "%*s | %s^\n", width, "", pad.c_str());
}

std::string place_text(const SourcePoint& at) {
    std::string s = g.places.file_name(at.file) + ":" + std::to_string(at.line);
    if (at.column) s += ":" + std::to_string(at.column);
    return s;
}

// The walked piece of the file that holds `at`, or null.
const WalkedPiece* piece_of(const SourcePoint& at) {
    for (const WalkedPiece* w = g.walked; w; w = w->outer)
        if (w->file == at.file) return w;
    return nullptr;
}

// "In file included from ..." for the files that include the file of
// `at`, the nearest first, as gcc writes it.
void write_include_chain(FILE* to, const SourcePoint& at) {
    const WalkedPiece* w = piece_of(at);
    bool first = true;
    for (const WalkedPiece* o = w ? w->outer : nullptr; o; o = o->outer) {
        SourcePoint from = o->statement_point();
        if (!from.known()) continue;
        from.column = 0;
        fprintf(to, "%s%s%s\n", first ? "In file included from " : "                 from ", place_text(from).c_str(),
                o->outer ? "," : ":");
        first = false;
    }
}

// The place of the last error, outermost file first, for the run in the
// extended dialect to compare with.
void keep_error_place(const SourcePoint& at) {
    g.error_place.clear();
    const WalkedPiece* w = piece_of(at);
    for (const WalkedPiece* o = w ? w->outer : nullptr; o; o = o->outer) {
        SourcePoint from = o->statement_point();
        g.error_place.insert(g.error_place.begin(), {g.places.file_name(o->file), from.line, from.column});
    }
    g.error_place.push_back({g.places.file_name(at.file), at.line, at.column});
}

struct Resolved {
    SourcePoint point;
    std::string text;
    bool notes = true;
};

// Where the mistake `m` points: its known place, `at`, its word in the
// statement, or the statement; for a syntax error, a ';' that the
// statement lacks before that place, which is the mistake then.
Resolved resolve(const Mistake& m, bool syntax) {
    Resolved r{m.point, m.text};
    const WalkedPiece* w = g.walked;
    size_t offset = std::string::npos;
    if (!r.point.known() && m.at) {
        r.point = point_of(m.at);
        if (w && w->holds(m.at)) offset = static_cast<size_t>(m.at - w->start);
    }
    if (!r.point.known() && w && !m.copy.empty()) {
        size_t found = copy_in_statement(*w, m.copy);
        if (found != std::string::npos) {
            offset = found + std::min(m.offset, m.copy.size());
            r.point = w->point_at(offset);
        }
    }
    if (!r.point.known() && w && !m.word.empty()) {
        offset = word_in_statement(*w, m.word);
        if (offset != std::string::npos) r.point = w->point_at(offset);
    }
    bool fallback = false;
    if (!r.point.known() && w) {
        r.point = w->statement_point();
        fallback = true;
    }
    if (syntax && w && !m.definite && !m.point.known() && (offset != std::string::npos || fallback)) {
        std::string what;
        size_t end = missing_semicolon(*w, fallback ? std::string::npos : offset, what);
        if (end != std::string::npos) {
            r.point = w->point_at(end);
            r.text = "expected ';' after " + what;
            r.notes = false;
        }
    }
    return r;
}

}  // namespace

void write_explained(const char* kind, const Mistake& m, bool syntax, const char* joke) {
    Resolved r = resolve(m, syntax);
    bool error = strcmp(kind, "error") == 0;
    if (error) {
        if (r.point.known())
            keep_error_place(r.point);
        else
            g.error_place.assign(1, {g.read_filename, static_cast<uint32_t>(g.count), 0});
    }
    if (g.explain != 1) return;
    FILE* to = stderr;
    if (!r.point.known()) {
        // No file is walked (yet): the line that messages count.
        fprintf(to, "%s:%d: %s: %s\n", g.read_filename.c_str(), g.count, kind, r.text.c_str());
        return;
    }
    write_include_chain(to, r.point);
    if (joke)
        fprintf(to, "%s: %u%s\n", place_text(r.point).c_str(), r.point.line, joke);
    else
        fprintf(to, "%s: %s: %s\n", place_text(r.point).c_str(), kind, r.text.c_str());
    write_source_lines(to, r.point);
    if (!r.notes) return;
    for (const Mistake::Note& n : m.notes) {
        if (!n.point.known()) continue;
        fprintf(to, "%s: note: %s\n", place_text(n.point).c_str(), n.text.c_str());
        write_source_lines(to, n.point);
    }
}

void write_explained_note(const std::string& text) {
    if (g.explain == 1) fprintf(stderr, "note: %s\n", text.c_str());
}

bool explained_before(const Mistake& m) {
    Resolved r = resolve(m, false);
    std::string key = std::to_string(r.point.file) + ":" + std::to_string(r.point.line) + ":" + r.text;
    return !g.warnings_written.insert(key).second;
}

SourcePoint word_on_line(SourcePoint at, const std::string& word) {
    std::string text;
    at.column = 1;
    if (!source_line(g.places.file_name(at.file), at.line, text)) return at;
    for (size_t k = text.find(word); k != std::string::npos; k = text.find(word, k + 1)) {
        bool starts = k == 0 || !is_ident_char(text[k - 1]);
        bool ends = k + word.size() >= text.size() || !is_ident_char(text[k + word.size()]);
        if (starts && ends) {
            at.column = static_cast<uint32_t>(k + 1);
            break;
        }
    }
    return at;
}

const char* type_keyword(int type) {
    static const char* const kWords[] = {"input",    "output",   "bidirect",  "sel",      "reg",    "reg_wr", "reg_ws",
                                         "instrin",  "instrout", "instrself", "instance", "mem",    "regfile"};
    return type >= T_INPUT && type <= T_REGFILE ? kWords[type - T_INPUT] : "signal";
}

std::string declared_as(const std::string& name, int type) {
    return "'" + name + "' is declared as " + type_keyword(type);
}

std::string keyword_like(const std::string& word, Where where) {
    static const std::vector<std::string> kTop = {"module", "circuit", "declare", "recursive"};
    static const std::vector<std::string> kDeclare = {"input", "output", "bidirect", "instrin", "instrout", "instr_arg",
                                                      "interface"};
    static const std::vector<std::string> kBody = {
        "input",     "output",     "bidirect",   "sel",     "sel_v",     "reg",      "reg_wr",  "reg_ws",
        "instrin",   "instrout",   "instrself",  "instr_arg", "stage_name", "stage",   "state_name", "first_state",
        "state",     "generate",   "goto",       "finish",  "relay",     "if",       "else",    "instruct",
        "par",       "alt",        "any",        "task",    "task_fast", "wire",     "mem",     "regfile",
        "sela",      "sels",       "rega",       "regs",    "switch",    "case",     "default", "combinational"};
    const std::vector<std::string>& words = where == Where::kTopLevel ? kTop : where == Where::kDeclare ? kDeclare : kBody;
    if (std::find(words.begin(), words.end(), word) != words.end()) return word;
    return closest_name(word, words);
}

bool extended_keyword(const std::string& word) {
    static const char* const kWords[] = {"wire", "mem",    "regfile", "sela",    "sels", "rega",
                                         "regs", "switch", "case",    "default", "join"};
    for (const char* k : kWords)
        if (word == k) return true;
    return false;
}

std::string found_at(const char* p) {
    if (!p || *p == '\0') return "the end of the text";
    if (*p == '\n') return "the end of the line";
    const char* e = p + 1;
    if (is_ident_char(*p))
        while (is_ident_char(*e)) ++e;
    return "'" + std::string(p, e) + "'";
}

namespace {

// The edits that turn `a` into `b`: characters added, removed, changed,
// and two neighbours swapped.
size_t edit_distance(const std::string& a, const std::string& b) {
    size_t n = a.size(), m = b.size();
    std::vector<std::vector<size_t>> d(n + 1, std::vector<size_t>(m + 1));
    for (size_t i = 0; i <= n; ++i) d[i][0] = i;
    for (size_t j = 0; j <= m; ++j) d[0][j] = j;
    for (size_t i = 1; i <= n; ++i) {
        for (size_t j = 1; j <= m; ++j) {
            size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[n][m];
}

}  // namespace

std::string closest_name(const std::string& name, const std::vector<std::string>& candidates) {
    // (A name of one or two characters is close to too many.  The edits
    // are counted in time and memory of the product of the two lengths,
    // and a name longer than kLongestSuggested is nobody's slip of the
    // keyboard.)
    size_t most = name.size() / 3;
    if (most == 0 || name.size() > kLongestSuggested) return std::string();
    std::string best;
    size_t best_distance = most + 1;
    bool best_anagram = false;
    std::string letters = name;
    std::sort(letters.begin(), letters.end());
    for (const std::string& c : candidates) {
        if (c == name) continue;
        // Names much longer or shorter are never close: skip them cheaply.
        size_t gap = c.size() > name.size() ? c.size() - name.size() : name.size() - c.size();
        if (gap > most) continue;
        size_t dist = edit_distance(name, c);
        // Of two as close, one of the same letters (two swapped) wins.
        std::string sorted = c;
        std::sort(sorted.begin(), sorted.end());
        bool anagram = sorted == letters;
        if (dist < best_distance || (dist == best_distance && anagram && !best_anagram)) {
            best_distance = dist;
            best = c;
            best_anagram = anagram;
        }
    }
    return best;
}

std::string did_you_mean(const std::string& name, const std::vector<std::string>& candidates) {
    // Only the --explain form shows it.
    if (!g.explain) return std::string();
    std::string best = closest_name(name, candidates);
    return best.empty() ? std::string() : "; did you mean '" + best + "'?";
}

std::string quoted_list(const std::vector<std::string>& names, size_t most) {
    std::string s;
    size_t n = std::min(names.size(), most);
    for (size_t i = 0; i < n; ++i) {
        if (i) s += i + 1 == n && names.size() <= most ? " and " : ", ";
        s += "'" + names[i] + "'";
    }
    if (names.size() > most) s += ", ...";
    return s;
}
