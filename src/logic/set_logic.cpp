#include "set_logic.h"

#include <cstdio>
#include <cstring>

#include "arrays.h"
#include "convert_logic.h"
#include "error.h"
#include "explain.h"
#include "name_suggestions.h"
#include "extended_hooks.h"
#include "made_up_names.h"
#include "parser.h"
#include "search_list.h"
#include "stack.h"
#include "statement_ends.h"

// ------------------------------------------------------------ pair texts

namespace {

// The text of `s` if the run or the module holds it already: one of the
// constants that pairs repeat most, or the name of a signal of the module.
bool shared_text(std::string_view s, Text& found) {
    static const char* const kConstants[] = {"1'b1", "1'b0", "(1'b1)"};
    for (size_t i = 0; i < sizeof kConstants / sizeof *kConstants; ++i) {
        if (s != kConstants[i]) continue;
        Text& t = g.constant_texts[i];
        if (t.empty()) t = store_text(s, true);
        found = t;
        return true;
    }
    if (s.empty() || !is_ident_start(s[0])) return false;
    for (char c : s)
        if (!is_ident_char(c)) return false;
    if (const list* rec = find_wire(s); rec && rec->name == s) {
        found = rec->name;
        return true;
    }
    return g.param_index.find_name(s, found);
}

// `last` if it holds `s`, else a shared text of `s`, else a new one.
Text repeated_text(Text& last, std::string_view s) {
    if (last != s && !shared_text(s, last)) last = store_text(s);
    return last;
}

}  // namespace

Text condition_text(std::string_view cond) { return merge_condition_text(cond, nullptr); }

Text merge_condition_text(std::string_view cond, MergeEntry* entry) {
    Text& last = g.last_condition;
    if (last == cond) {
        // A second pair shares the text: its first pair owns it no more.
        if (g.last_condition_owner) g.last_condition_owner->cond_room.own = 0;
        g.last_condition_owner = nullptr;
        return last;
    }
    g.last_condition_owner = nullptr;
    if (!shared_text(cond, last)) {
        last = store_text(cond);
        if (entry) {
            entry->cond_room.own = 1;
            g.last_condition_owner = entry;
        }
    }
    return last;
}

Text value_text(std::string_view value) { return repeated_text(g.last_value, value); }

void drive_always(list* rec, const std::string& value) {
    logic* pair = new_logic();
    pair->cond = condition_text("(1'b1)");
    pair->value = store_text(value);
    append_pair(rec, pair);
}

void set_logic_text(std::string statement) {
    LineCountingOff off;
    set_logic(&statement[0], 0);
}

char* read_term(char* text, std::string& term) {
    char* p = skip_ws(text);
    char* start = p;
    if (*p == '\0') syntax_error(p, "expected an argument, found the end of the text");
    // The first character always belongs to the term.
    p = find_end(p, ",)", '(', true);
    count_newlines(start, p);
    if (*p == '\0') syntax_error(start, "expected ',' or ')' after the argument");
    char* end = p;
    while (end > start && end[-1] == ' ') --end;
    term.assign(start, end);
    return skip_ws(p);
}

namespace {

// An argument `term` that the instruction has no formal argument for.
[[noreturn]] void too_many_arguments(const char* p, const std::string& term) {
    Mistake m(p, "more arguments than the instruction takes (its instr_arg names them)");
    m.word = term;
    syntax_error(m);
}

}  // namespace

// actuals -> [ term { "," term } ] ")"
char* process_module_port(char* text, const std::string& inst, list* formal) {
    // A formal argument of the module's own instruction is its own name;
    // one of an instance's instruction is the net of that port.
    auto target = [&](const list* arg) {
        return inst.empty() ? arg->name.str() : made_up_name(MadeUp::kPortNet, inst, arg->name);
    };
    if (*text == ')') return text;
    char* p = text;
    std::string term;
    for (;;) {
        p = skip_ws(p);
        p = read_term(p, term);
        if (*p != ',') break;
        if (!formal) too_many_arguments(p, term);
        set_logic_text(target(formal) + " = " + term + ";");
        formal = formal->next;
        ++p;
    }
    if (*p != ')') syntax_error(p, "expected ',' or ')' after the argument, found " + found_at(p));
    if (!formal) too_many_arguments(p, term);
    set_logic_text(target(formal) + " = " + term + ";");
    return p;
}

char* call_own_instruction(const std::string& f, char* args) {
    set_logic_text(f + " = 0b1;");
    return process_module_port(args, "", search_instr_list(f));
}

void activate_instance_instruction(const std::string& inst, const std::string& f) {
    set_logic_text(made_up_name(MadeUp::kPortNet, inst, f) + " = 0b1;");
}

char* call_instance_instruction(const std::string& inst, const std::string& f, char* args) {
    activate_instance_instruction(inst, f);
    if (*args == ')') return args;
    return process_module_port(args, inst, search_declare_instr_list(inst, f));
}

namespace {

// Appends the condition of the open level `e` (level `i`) to `k`.
void append_level_condition(std::string& k, int i, const stack_entry& e) {
    if (i == g.alternative_level) {
        // A call in an alternative's condition: an any block's conditions
        // are all evaluated, an alt block's until one holds.
        k += e.kind == K_ALT ? earlier_alternatives_fail(e) : "1'b1";
    } else if (e.kind != K_ALT) {
        k += e.cond.empty() ? "1'b1" : e.cond;
    } else {
        if (!e.else_cond.empty()) {
            k += '(';
            k += e.else_cond;
            k += ")&";
        }
        k += '(';
        k += e.cond;
        k += ')';
    }
}

}  // namespace

std::string build_condition(const std::string& factor) {
    // Each level's condition in parentheses, joined by '&'; the texts are
    // appended in place (this runs for every assignment, once a level).
    std::string k;
    auto end_level = [&k]() {
        k += ')';
        check_text_size(k);
        // Under -O the conjunction so far is named by a net at each step.
        do_optimize(k);
    };
    for (int i = 0; i < open_levels(); ++i) {
        k += i > 0 ? "&(" : "(";
        append_level_condition(k, i, open_level(i));
        end_level();
    }
    if (!factor.empty()) {
        // As the condition of one more level (named under -O as a level's is).
        std::string level = factor;
        do_optimize(level);
        k += open_levels() > 0 ? "&(" : "(";
        k += level;
        end_level();
    }
    if (k.empty()) k = "1'b1";
    std::string cond;
    cond.reserve(k.size() + 2);
    cond += '(';
    cond += k;
    cond += ')';
    delete_1b1(cond);
    do_optimize(cond);
    return cond;
}

namespace {

// The end of the select that the '<' at `r` opens after the port read
// from a call: the next '>' (none is a syntax error).  --extended tells a
// select from a comparison (u.f(a).q < c) as after any name: null for a
// comparison.
const char* port_select_end(const char* r) {
    if (extended_dialect()) return select_end(r);
    const char* gt = strchr(r, '>');
    if (!gt) syntax_error(r, "expected '>' to close the select of the port");
    return gt + 1;
}

// Rewrites calls whose output port is read, f(args).port and
// inst.f(args).port, into the port's net, activating the call.
void rewrite_calls(std::string& rhs) {
    for (;;) {
        size_t close = rhs.find(").");
        if (close == std::string::npos) return;
        int depth = 0;
        size_t open = close;
        for (;;) {
            if (rhs[open] == ')') ++depth;
            if (rhs[open] == '(' && --depth == 0) break;
            if (open == 0) syntax_error(in_copy(rhs, close, "')' closes no '('"));
            --open;
        }
        size_t fs = open;
        while (fs > 0 && is_ident_char(rhs[fs - 1])) --fs;
        if (fs == open) syntax_error(in_copy(rhs, open, "expected the name of an instruction before '('"));
        std::string f = rhs.substr(fs, open - fs);
        size_t call_start = fs;
        std::string inst;
        char* args = skip_ws(&rhs[open + 1]);
        char* q;
        if (fs > 0 && rhs[fs - 1] == '.') {
            call_start = fs - 1;
            while (call_start > 0 && is_ident_char(rhs[call_start - 1])) --call_start;
            inst = rhs.substr(call_start, fs - 1 - call_start);
            q = call_instance_instruction(inst, f, args);
        } else {
            q = call_own_instruction(f, args);
        }
        if (*q != ')' || q[1] != '.')
            syntax_error(at_word(inst.empty() ? f : inst, "expected ').' and the port read from the call of '" + f + "'"));
        std::string port;
        const char* r = read_identifier(q + 2, port);
        // The blanks after the port stay with the rest (a<s>>b and a<s >> b
        // read differently under --extended).
        const char* s = skip_ws(r);
        std::string select;
        if (s[0] == '<' && s[1] != '<') {
            if (const char* end = port_select_end(s)) {
                select.assign(s, end);
                r = end;
            }
        }
        std::string net = inst.empty() ? port : made_up_name(MadeUp::kPortNet, inst, port);
        rhs = rhs.substr(0, call_start) + net + select + std::string(r);
        check_text_size(rhs);
    }
}

}  // namespace

void prepare_value(std::string& value) {
    LineCountingOff off;
    resolve_indexed_names(value);
    rewrite_calls(value);
}

namespace {

// Under -O, joins `cond` to the condition of the pair that `known` holds:
// the conditions of one value of one signal are or-ed.
void join_condition(MergeEntry* known, const std::string& cond) {
    logic* pair = known->pair;
    check_text_size(pair->cond.size() + 1 + cond.size());
    // The text moves: pairs to come must not share it as the last
    // condition stored.
    if (g.last_condition_owner == known) {
        g.last_condition = Text();
        g.last_condition_owner = nullptr;
    }
    g.module_texts.append_growing(pair->cond, known->cond_room, "|", cond, kMaxTextChars);
}

}  // namespace

void store_pair(list* target, const std::string& cond, const std::string& value) {
    check_text_size(value);
    bool activity = target->mark == 's' && value == "1'b1";
    if (!activity && g.O_flag) {
        if (MergeEntry* known = g.merge_index.get(MergeEntry::Key(target, value))) {
            join_condition(known, cond);
            return;
        }
    }
    check_text_size(cond);
    logic* pair = new_logic();
    MergeEntry* e = g.O_flag && !activity ? g.merge_entries.make() : nullptr;
    pair->cond = merge_condition_text(cond, e);
    pair->value = value_text(value);
    if (activity) {
        prepend_pair(target, pair);
        return;
    }
    append_pair(target, pair);
    if (e) {
        e->target = target;
        e->pair = pair;
        g.merge_index.insert(e);
    }
}

namespace {

// The end of a call statement: ")" ";".
char* end_call_statement(char* p) {
    if (*p != ')') syntax_error(p, "expected ')' after the arguments, found " + found_at(p));
    char* close = p;
    p = skip_ws(p + 1);
    if (*p != ';') syntax_error(close + 1, "expected ';' after the call");
    return p + 1;
}

}  // namespace

Mistake assignment_widths(const std::string& target, int left, int right) {
    auto bits = [](int n) { return std::to_string(n) + (n == 1 ? " bit" : " bits"); };
    return at_word(target, "the value assigned to '" + target + "' is " + bits(right) + " wide, '" + target + "' " +
                               bits(left));
}

void check_assignment_form(const list* rec, bool reg_flag) {
    std::string name = rec->name.str();
    if (rec->type == T_INPUT)
        syntax_error_after(message_stream(), name + " is input port",
                           at_word(name, "'" + name + "' is an input port: it cannot be assigned"));
    if (is_combinational_type(rec->type) && reg_flag)
        syntax_error_after(message_stream(), name + " is not register. use \"=\" to assign.",
                           at_word(name, declared_as(name, rec->type) + ", not as a register: use '=' to assign it"));
    if (is_register_type(rec->type) && !reg_flag)
        syntax_error_after(message_stream(), name + " is register. use \":=\" to assign.",
                           at_word(name, declared_as(name, rec->type) + ": use ':=' to assign it"));
}

char* read_assigned_value(char* p, int target_width, std::string& rhs, int& width) {
    p = skip_ws(p);
    char* semi = find_end(p, ";");
    if (!*semi) {
        char* end = semi;
        while (end > p && is_space(end[-1])) --end;
        syntax_error(end, "expected ';' after the assignment");
    }
    check_text_size(static_cast<size_t>(semi - p));
    rhs.assign(p, semi);
    prepare_value(rhs);
    count_newlines(p, semi);
    *semi = '\0';
    check_text_size(rhs);

    {
        // A decimal constant that is the whole value takes the target's width.
        AssignmentWidth context(target_width);
        width = convert_logic(rhs, 1);
    }
    return semi + 1;
}

namespace {

// A target that names no signal.
[[noreturn]] void unknown_target(const std::string& target) {
    syntax_error(at_word(target, unknown("name", target, signal_names())));
}

void unknown_first_word(char* start, const std::string& word);

// expr ";" : the right-hand side of an assignment to `target`, stored as
// a pair under the conditions of the open levels.
char* collect_assignment(char* p, const std::string& target, bool reg_flag) {
    const list* known = find_wire(target);
    std::string rhs;
    int width;
    p = read_assigned_value(p, known ? known->width : 0, rhs, width);
    list* rec = find_wire(target);
    if (!rec) unknown_target(target);
    check_assignment_form(rec, reg_flag);
    if (rec->width != width)
        warning("=, left = " + std::to_string(rec->width) + ", right = " + std::to_string(width),
                assignment_widths(target, rec->width, width));
    store_pair(rec, build_condition(), rhs);
    return p;
}

// "." port "=" expr ";"  |  "." instr "(" args ")" ";"  after the
// submodule instance `inst`.
char* member_statement(char* p, const std::string& inst, int check) {
    std::string member;
    p = read_identifier(p + 1, member);
    p = indexed_target(skip_ws(p), member, inst);
    std::string netname = made_up_name(MadeUp::kPortNet, inst, member);
    list* rec = find_wire(netname);
    std::string dotted = inst + "." + member;
    if (!rec) syntax_error(at_word(dotted, no_member(inst, member)));
    if (*p == '(') {
        if (check && rec->type != T_INSTRSELF)
            syntax_error(at_word(dotted, "'" + dotted + "' is no instruction: it cannot be called"));
        return end_call_statement(call_instance_instruction(inst, member, skip_ws(p + 1)));
    }
    if (*p != '=') syntax_error(p, "expected '=' or '(' after '" + dotted + "', found " + found_at(p));
    if (check && rec->type != T_SEL)
        syntax_error(at_word(dotted, "'" + dotted + "' is an instruction: it is called, 'u.f()', not assigned"));
    return collect_assignment(p + 1, netname, false);
}

}  // namespace

namespace {

// Why `target` of type `type` takes no '='.
std::string cannot_assign(const std::string& target, int type) {
    if (type == T_INPUT) return "'" + target + "' is an input port: it cannot be assigned";
    if (is_register_type(type)) return declared_as(target, type) + ": use ':=' to assign it";
    return declared_as(target, type) + ": it cannot be assigned";
}

// The first word `word` of the statement at `start` is no keyword and
// names no signal.
void unknown_first_word(char* start, const std::string& word) {
    std::string keyword = keyword_like(word, Where::kBody);
    if (extended_keyword(word)) syntax_error(start, "unknown statement '" + word + "'");
    if (keyword == word) syntax_error(start + word.size(), "expected a blank after '" + word + "'");
    if (!keyword.empty()) syntax_error(start, "unknown statement '" + word + "'; did you mean '" + keyword + "'?");
    if (g.declare_index.count(word)) return;
    std::vector<std::string> names = signal_names(), types = declare_names();
    names.insert(names.end(), types.begin(), types.end());
    syntax_error(start, unknown("name", word, names, " at the start of a statement"));
}

// The statement at `start`, whose first word `word` (the signal `rec`, or
// none) is followed by `p`, which no statement follows it by.
[[noreturn]] void unknown_statement(char* start, const char* p, const std::string& word, const list* rec) {
    if (!rec) unknown_first_word(start, word);
    syntax_error(p, "expected '=', ':=', '(' or '.' after '" + word + "', found " + found_at(p));
}

}  // namespace

// statement -> ";" | name ":=" expr ";" | name "=" expr ";"
//            | name "(" args ")" ";" | name "." member_statement
char* set_logic(char* text, int check) {
    char* p = skip_ws(text);
    if (*p == ';') return p + 1;
    char* start = p;
    std::string target;
    p = read_identifier(p, target);
    p = skip_ws(p);
    if (const ExtendedHooks* x = extended_dialect())
        if (char* done = x->assignment(start, p, target, check)) return done;
    list* rec = find_wire(target);
    if (p[0] == ':' && p[1] == '=') {
        if (!rec) unknown_target(target);
        if (check && !is_register_type(rec->type))
            syntax_error(start, declared_as(target, rec->type) + ": ':=' assigns registers only (use '=')");
        return collect_assignment(p + 2, target, true);
    }
    if (*p == '=') {
        if (!rec) unknown_target(target);
        if (check && !is_assignable_type(rec->type)) syntax_error(start, cannot_assign(target, rec->type));
        return collect_assignment(p + 1, target, false);
    }
    if (*p == '(') {
        // The module's own instruction, activated with arguments.
        if (!rec) {
            unknown_first_word(start, target);
            syntax_error(start, unknown("instruction", target, signal_names()));
        }
        if (check && !is_callable_type(rec->type))
            syntax_error(start, declared_as(target, rec->type) + ": only an instrout or instrself is called");
        return end_call_statement(call_own_instruction(target, skip_ws(p + 1)));
    }
    if (*p != '.') unknown_statement(start, p, target, rec);
    return member_statement(p, target, check);
}
