// The statement dispatcher: walks a source text statement by statement,
// hands each to its handler, and owns the line counting.  Also the
// scanning helpers the handlers share and the clean-ups of the tables.
#include "core.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "convert_logic.h"
#include "core_emit.h"
#include "error.h"
#include "extended_hooks.h"
#include "insert_list.h"
#include "mygetline.h"
#include "processes.h"
#include "search_list.h"
#include "set_logic.h"
#include "stack.h"
#include "statement_ends.h"
#include "statement_lines.h"
#include "statement_mistakes.h"

// ------------------------------------------------------------ dispatcher

namespace {

std::string with_commas(long long v) {
    std::string digits = std::to_string(v);
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The pieces of one source file, as the dispatcher walks them; the file
// starts in the comment state that the files read before it left.
class Pieces {
public:
    Pieces(FILE* in, const std::string& name, size_t piece_bytes)
        : reader_(in, name, piece_bytes, ends_, g.comment), lines_(name) {}
    // The next piece, null at the end.
    char* next() {
        if (!reader_.next(piece_)) return nullptr;
        piece_end_ = &piece_[0] + piece_.size();
        lines_.piece(piece_);
        return &piece_[0];
    }
    // The dispatcher has reached a statement at `p` (--line-directives).
    void statement(const char* p) { lines_.statement(p); }
    // True when the dispatcher stopped before the end of the piece: a NUL
    // in the source ends it, as it ends a whole text.
    bool stopped_early(const char* p) const { return p != piece_end_; }
    SourceReader& reader() { return reader_; }

private:
    StatementEnds ends_;
    SourceReader reader_;
    StatementLines lines_;
    std::string piece_;
    const char* piece_end_ = nullptr;
};

// The locals of one dispatcher invocation.
struct Frame {
    FILE* out;
    int depth = 0;
    // The depth below which no '}' may close: that of the `%i` directive
    // whose file is being translated in this frame (0: none).
    int floor = 0;
    int state_name_flag = 0;
    std::string module_name;
    std::string current_stage;
    // The last statement was a block header (par, alt, any, stage,
    // switch) whose '{' comes next; any other '{' inside a body is a
    // plain block.
    bool header_brace = false;
    // --explain: where the open blocks were opened.
    OpenBraces braces;
    // The first line of an included file, which messages show (also the
    // message about the blocks the file leaves open, after the walk).
    std::string first_line;
};

// top_level -> recursive | module | circuit | declare | "%d" ... | "%i" ...
char* top_level_statement(char* p, Frame& f) {
    if (f.depth != 0 || !no_open_level()) syntax_error(p, "a top-level statement inside an open block");
    clear_instances();
    g.param_index.clear();
    if (mycmp(p, "recursive", 0)) {
        p = process_recursive(p, f.module_name);
        note_recursive();
    } else if (mycmp(p, "module", 0) || mycmp(p, "circuit", 0)) {
        p = process_module(p, f.module_name, 0);
    } else if (strncmp(p, "declare ", 8) == 0) {
        p = process_declare(p);
    } else if (strncmp(p, "%d ", 3) == 0) {
        p = process_define(p, f.out);
    } else if (strncmp(p, "%i ", 3) == 0) {
        IncludingFileLines lines;
        p = process_include(p, [&](FILE* in, const std::string& name) { xlator_core(in, name, f.out); });
    } else {
        unknown_top_level(p);
    }
    return p;
}

// alternative -> condition ":" statement   (in an alt or any block)
char* alternative(char* p, Frame&) {
    // The first character belongs to the condition unless it ends the
    // statement.
    char* q = *p == ';' ? p : find_end(p, ":;", 0, true);
    // Counted as lines without moving the current line for messages.
    for (const char* nl = p; nl < q; ++nl) {
        if (*nl != '\n' || !g.count_ok) continue;
        ++g.count;
        if (g.n_flag) {
            printf("%4d ", g.count);
            print_oneline(nl + 1);
        }
    }
    if (*q != ':') {
        // "hoge" on stdout before the message is required output.
        Mistake m(*q == ';' ? q : p, "expected ':' after the condition of the alternative (an alt or any block "
                                     "holds 'condition : statement')");
        m.definite = true;
        syntax_error_after(message_stream(), "hoge", m);
    }
    char* e = q;
    while (e > p && is_space(e[-1])) --e;
    *e = '\0';
    return alternative_statement(skip_ws(q + 1), p);
}

// The statements that the dispatcher reads itself after an alternative's
// colon; any other statement there is an assignment.
bool dispatched_after_colon(const char* p) {
    if (mycmp(p, "par", '{') || mycmp(p, "alt", '{') || mycmp(p, "any", '{') || mycmp(p, "if", '(') ||
        mycmp(p, "goto", 0) || mycmp(p, "generate", 0) || mycmp(p, "finish", ';') || mycmp(p, "relay", 0))
        return true;
    const ExtendedHooks* x = extended_dialect();
    return x && x->dispatched_after_colon(p);
}

}  // namespace

char* alternative_statement(char* p, std::string cond, bool translated) {
    int kind = innermost_level()->kind;
    if (!translated && cond != "else") {
        AlternativeConditionRead reading;
        int w = convert_logic(cond, 1);
        if (w != 1)
            warning(kind == K_ANY ? "\"any condition\"" : "\"alt condition\"",
                    Mistake(nullptr, std::string("the condition of the ") + (kind == K_ANY ? "any" : "alt") +
                                         " alternative is " + std::to_string(w) + " bits wide, not 1"));
    }
    stack_push(&cond, kind);
    if (dispatched_after_colon(p)) return p;
    debug_message("logic");
    p = set_logic(p, 1);
    stack_pop_check();
    return p;
}

namespace {


void end_of_block(Frame& f) {
    check_terminal_args();
    g.combinational = 0;
    g.module_flag = 0;
    g.circuit_flag = 0;
    if (g.declare_flag) {
        g.declare_flag = 0;
        return;
    }
    print_output(f.out, f.module_name);
    delete_all_list();
}

void walk(Pieces& pieces, Frame& f);
char* block_statement(char* p, Frame& f);

// Hands every statement of a text that the translator made (the copies of
// a replication loop) to its handler, in this frame.
void walk_text(char* text, Frame& f) {
    for (char* p = skip_ws(text); *p; p = skip_ws(p)) p = block_statement(p, f);
}

// --extended: `%d` and `%i` inside a body.  A macro is defined at once
// (its `define line lands before the module, which is printed at its
// closing brace); an included file is translated in this frame, as if
// its text stood here, and must close every block it opens.
char* directive_in_body(char* p, Frame& f) {
    if (p[1] == 'd') return process_define(p, f.out);
    IncludingFileLines lines;
    return process_include(p, [&](FILE* in, const std::string& name) {
        Pieces pieces(in, name, g.piece_bytes);
        int depth = f.depth, floor = f.floor;
        f.floor = depth;
        g.count_ok = 0;
        walk(pieces, f);
        if (f.depth != depth) unclosed_at_end(f.braces, f.depth - depth, 0, false, true, "");
        f.floor = floor;
    });
}

// "{" | "}": a '{' after a header belongs to the level it opened; under
// --extended a bare '{' opens a plain block, as par.  The '}' of depth 0
// ends the module (or declare) block.
char* brace(char* p, Frame& f, bool header_brace) {
    if (*p == '{') {
        if (f.depth > 0 && !header_brace && extended_dialect()) {
            debug_message("par");
            stack_push(nullptr, K_PAR);
        }
        ++f.depth;
        f.braces.opened(p);
        debug_message("{, depth=" + std::to_string(f.depth) + ", sp=" + std::to_string(open_levels() - 1));
        return p + 1;
    }
    --f.depth;
    debug_message("}, depth=" + std::to_string(f.depth) + ", sp=" + std::to_string(open_levels() - 1));
    if (f.depth < f.floor) brace_of_including_file(p);
    f.braces.closed();
    if (f.depth == 0) {
        block_ended(p, f.module_name);
        end_of_block(f);
    } else {
        stack_pop();
    }
    return p + 1;
}

// Declarations: directives in a body (--extended), pos_reg/neg_reg,
// signals, instr_arg and stage_name; null when none stands at `p`.
char* declaration(char* p, Frame& f) {
    if (*p == '%') {
        if (extended_dialect() && (strncmp(p, "%d ", 3) == 0 || strncmp(p, "%i ", 3) == 0))
            return directive_in_body(p, f);
        // (without --explain the statement goes on to fail as a logic one)
        if (g.explain && (p[1] == 'd' || p[1] == 'i'))
            syntax_error(p, std::string("'%") + p[1] + "' stands at the top level, outside every module");
    }
    if (strncmp(p, "pos_reg", 7) == 0) return p + 4;
    if (strncmp(p, "neg_reg", 7) == 0) {
        g.clock_aspect = 1;
        return p + 4;
    }
    if (is_wire_keyword(p)) {
        p = process_wire(p);
        g.clock_aspect = 0;
        return p;
    }
    if (mycmp(p, "instr_arg", 0)) return process_instr_arg(p);
    if (mycmp(p, "stage_name", 0)) return process_stage_name(p);
    return nullptr;
}

// Stage bodies, states and transfers; null when none stands at `p`.
char* stage_statement(char* p, Frame& f) {
    if (mycmp(p, "stage", 0)) {
        f.header_brace = true;
        p = process_stage(p, f.current_stage);
        if (declare_implicit_states(f.current_stage, p)) f.state_name_flag = 1;
        return p;
    }
    if (mycmp(p, "state_name", 0)) {
        f.state_name_flag = 1;
        return process_state_name(p, f.current_stage);
    }
    if (mycmp(p, "first_state", 0)) return process_first_state(p, f.current_stage);
    if (mycmp(p, "state", 0)) return process_state(p, f.current_stage, f.state_name_flag);
    if (mycmp(p, "generate", 0)) return process_generate(p);
    if (mycmp(p, "goto", 0)) return process_goto(p, f.current_stage);
    if (mycmp(p, "finish", ';')) return process_finish(p, f.current_stage);
    if (mycmp(p, "relay", 0)) return process_relay(p, f.current_stage);
    return nullptr;
}

// Headers that open a level of the condition stack: if, switch
// (--extended), par, alt, any and instruct; null when none stands at `p`.
char* block_header(char* p, Frame& f) {
    if (mycmp(p, "if", '(')) return process_if(p);
    if (const ExtendedHooks* x = extended_dialect()) {
        if (char* q = x->switch_header(p)) {
            f.header_brace = true;
            return q;
        }
        if (char* q = x->replication_loop(p, [&](char* text) { walk_text(text, f); })) return q;
    }
    static const struct {
        const char* word;
        int kind;
    } blocks[] = {{"par", K_PAR}, {"alt", K_ALT}, {"any", K_ANY}};
    for (const auto& b : blocks) {
        if (mycmp(p, b.word, '{')) {
            debug_message(b.word);
            stack_push(nullptr, b.kind);
            f.header_brace = true;
            return p + 3;
        }
    }
    if (mycmp(p, "instruct", 0)) return process_instruct(p);
    return nullptr;
}

// instance -> TYPE name { "," name } ";"  where TYPE names a declare; null
// when no declared type stands at `p`.
char* instance_statement(char* p) {
    if (!is_alpha(*p)) return nullptr;
    std::string id;
    const char* after = read_identifier(p, id);
    // Under --extended, a name followed by '.' is an instance of that name.
    bool member = extended_dialect() && *skip_space_only(after) == '.';
    if (g.declare_index.count(id) && !member) return insert_list(p, append_wire_record(), T_INSTANCE, '0');
    return nullptr;
}

// else -> "else" statement: the negation of the `if` that the statement
// just ended closed, under the levels it closed with it.  Only there: an
// `else` elsewhere (an alternative without its colon, say) has no condition.
char* else_header(char* p) {
    const std::string* negation = prepare_else();
    if (!negation) syntax_error(p, "'else' without an 'if' whose statement ends right before it");
    debug_message("ifelse");
    p = skip_ws(p + 4);
    std::string cond = *negation;
    stack_push(nullptr, K_ELSE);
    stack_push(&cond, K_ELSE);
    return p;
}

// A statement inside a module, circuit or declare block.
char* block_statement(char* p, Frame& f) {
    bool is_else = block_keyword(p, "else") && *skip_space_only(p + 4) != ':';
    if (!is_else) g.else_ready = false;
    bool header_brace = f.header_brace;
    f.header_brace = false;
    if (*p == '{' || *p == '}') return brace(p, f, header_brace);
    if (char* q = declaration(p, f)) return q;
    if (char* q = stage_statement(p, f)) return q;
    if (char* q = block_header(p, f)) return q;
    if (g.declare_flag) unknown_in_declare(p);
    if (char* q = instance_statement(p)) return q;
    if (is_else) return else_header(p);
    const stack_entry* top = innermost_level();
    if (top && (top->kind == K_ANY || top->kind == K_ALT)) {
        if (const ExtendedHooks* x = extended_dialect())
            if (char* q = x->switch_alternative(p)) return q;
        return alternative(p, f);
    }
    debug_message("logic");
    p = set_logic(p, 1);
    stack_pop_check();
    return p;
}

// The two header comment lines of the output, once per run.
void start_run(FILE* out) {
    g.owner = 0;
    stack_clear();
    g.total_alloc_size = 0;
    g.count = 1;
    // SOURCE_DATE_EPOCH (g.source_date) names the time in UTC.
    time_t now = g.source_date >= 0 ? static_cast<time_t>(g.source_date) : time(nullptr);
    fprintf(out, "// This file was translated at %s", asctime(g.source_date >= 0 ? gmtime(&now) : localtime(&now)));
    fprintf(out, "//  via %s program written by kurotan\n", g.program_name.c_str());
    if (g.d_flag) printf("----- %s_core -----\n", g.program_name.c_str());
}

// Where messages find the current line.  Lines are followed only where
// they are counted; elsewhere (included files) messages show the first
// line, kept in `first_line`, which outlives its piece.
void start_lines(char* text, std::string& first_line) {
    if (g.count_ok) {
        g.line_head = text;
    } else {
        first_line.assign(text, strcspn(text, "\n"));
        g.line_head = first_line.c_str();
    }
    if (g.n_flag && g.count_ok) {
        printf("%4d ", g.count);
        print_oneline(text);
    }
}

// Hands every statement of the file to its handler.
void walk(Pieces& pieces, Frame& f) {
    FileBeingRead file(pieces.reader());
    char* text = pieces.next();
    static char nothing[1] = {0};
    if (!text) text = nothing;
    start_lines(text, f.first_line);
    for (char* p = text; p;) {
        for (;;) {
            p = skip_ws(p);
            if (!*p) break;
            pieces.statement(p);
            if (g.module_flag + g.circuit_flag + g.declare_flag >= 2)
                syntax_error(p, "a module, circuit or declare block inside another");
            if (!g.module_flag && !g.circuit_flag && !g.declare_flag)
                p = top_level_statement(p, f);
            else
                p = block_statement(p, f);
        }
        p = pieces.stopped_early(p) ? nullptr : pieces.next();
    }
    pieces.reader().publish_end_state(g.comment);
}

// The end of the run: the run-long tables released, the closing lines
// (the joke styles' success line follows once the output is in place).
void end_run() {
    delete_run_tables();
    if (g.d_flag) {
        printf("----- translation succeeded -----\n");
        printf("%s Bytes malloced\n", with_commas(g.total_alloc_size).c_str());
    }
}

}  // namespace

// file -> { top_level_statement | block_statement }
void xlator_core(FILE* in, const std::string& name, FILE* out) {
    Pieces pieces(in, name, g.piece_bytes);
    Frame f;
    f.out = out;
    g.count_ok = g.owner;
    bool outermost = g.owner == 1;
    if (outermost) start_run(out);
    walk(pieces, f);
    // A block header left without its body is as unbalanced as a missing '}'.
    bool open_header = f.depth == 0 && (g.module_flag || g.circuit_flag || g.declare_flag) && outermost;
    if (f.depth != 0 || !no_open_level() || open_header) {
        char plain[64];
        snprintf(plain, sizeof plain, "{ } depth=%d, sp=%d", f.depth, open_levels() - 1);
        unclosed_at_end(f.braces, f.depth, open_levels(), open_header, !outermost, plain);
    }
    if (outermost) end_run();
}
