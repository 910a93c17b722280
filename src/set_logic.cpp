#include "set_logic.h"

#include <cstdio>

#include "convert_logic.h"
#include "error.h"
#include "search_list.h"
#include "stack.h"

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
    if (const list* rec = find_wire(s)) {
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
        if (g.last_condition_owner) g.last_condition_owner->owns_condition = 0;
        g.last_condition_owner = nullptr;
        return last;
    }
    g.last_condition_owner = nullptr;
    if (!shared_text(cond, last)) {
        last = store_text(cond);
        if (entry) {
            entry->owns_condition = 1;
            g.last_condition_owner = entry;
        }
    }
    return last;
}

Text value_text(std::string_view value) { return repeated_text(g.last_value, value); }

void set_logic_text(std::string statement) {
    // A statement made by the translator is no source text: its newlines
    // (from copied arguments) were counted where they stand in the source.
    int saved = g.count_ok;
    g.count_ok = 0;
    set_logic(&statement[0], 0);
    g.count_ok = saved;
}

char* read_term(char* text, std::string& term) {
    char* p = skip_ws(text);
    char* start = p;
    if (*p == '\0') syntax_error();
    int depth = 0;
    // The first character always belongs to the term.
    for (bool first = true;; first = false) {
        char c = *p;
        if (c == '\0') syntax_error();
        if (!first && depth == 0 && (c == ',' || c == ')')) break;
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == '\n' && g.count_ok) count_newline(p + 1);
        ++p;
    }
    char* end = p;
    while (end > start && end[-1] == ' ') --end;
    term.assign(start, end);
    return skip_ws(p);
}

char* process_module_port(char* text, const std::string& prefix, list* formal) {
    if (*text == ')') return text;
    char* p = text;
    std::string term;
    for (;;) {
        p = skip_ws(p);
        p = read_term(p, term);
        if (*p != ',') break;
        if (!formal) syntax_error();
        set_logic_text(prefix + formal->name + " = " + term + ";");
        formal = formal->next;
        ++p;
    }
    if (*p != ')' || !formal) syntax_error();
    set_logic_text(prefix + formal->name + " = " + term + ";");
    return p;
}

std::string build_condition() {
    std::string k;
    if (g.sp < 0) {
        k = "1'b1";
    } else {
        for (int i = 0; i <= g.sp; ++i) {
            const stack_entry& e = g.stack[i];
            if (i > 0) k += "&";
            k += "(";
            if (e.kind == K_ALT) {
                if (!e.else_cond.empty())
                    k += "(" + e.else_cond + ")&(" + e.cond + ")";
                else
                    k += "(" + e.cond + ")";
            } else {
                k += e.cond.empty() ? "1'b1" : e.cond;
            }
            k += ")";
            check_text_size(k);
            // Under -O the conjunction so far is named by a net at each step.
            do_optimize(k);
        }
    }
    std::string cond = "(" + k + ")";
    delete_1b1(cond);
    do_optimize(cond);
    return cond;
}

namespace {

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
            if (open == 0) syntax_error();
            --open;
        }
        size_t fs = open;
        while (fs > 0 && is_ident_char(rhs[fs - 1])) --fs;
        if (fs == open) syntax_error();
        std::string f = rhs.substr(fs, open - fs);
        size_t call_start = fs;
        std::string prefix;
        list* formal = nullptr;
        char* args = skip_ws(&rhs[open + 1]);
        if (fs > 0 && rhs[fs - 1] == '.') {
            size_t is = fs - 1;
            while (is > 0 && is_ident_char(rhs[is - 1])) --is;
            std::string inst = rhs.substr(is, fs - 1 - is);
            call_start = is;
            prefix = "_" + inst + "_";
            set_logic_text(prefix + f + " = 0b1;");
            if (*args != ')') formal = search_declare_instr_list(g.declare_list, inst, f);
        } else {
            set_logic_text(f + " = 0b1;");
            formal = search_instr_list(g.wire_list, f);
        }
        char* q = args;
        if (*q != ')') q = process_module_port(args, prefix, formal);
        if (*q != ')' || q[1] != '.') syntax_error();
        std::string port;
        const char* r = read_identifier(q + 2, port);
        r = skip_ws(r);
        std::string select;
        if (r[0] == '<' && r[1] != '<') {
            const char* gt = r;
            while (*gt && *gt != '>') ++gt;
            if (*gt != '>') syntax_error();
            select.assign(r, gt + 1);
            r = gt + 1;
        }
        rhs = rhs.substr(0, call_start) + prefix + port + select + std::string(r);
        check_text_size(rhs);
    }
}

// Under -O, joins `cond` to the condition of the pair that `known` holds:
// the conditions of one value of one signal are or-ed.
void join_condition(MergeEntry* known, const std::string& cond) {
    logic* pair = known->pair;
    check_text_size(pair->cond.size() + 1 + cond.size());
    // The first condition, which no other pair shares, is given up when it
    // moves: it may be the last condition stored, which pairs to come
    // would otherwise share.
    bool reusable = known->room || known->owns_condition;
    if (!known->room && known->owns_condition && g.last_condition_owner == known) {
        g.last_condition = Text();
        g.last_condition_owner = nullptr;
    }
    known->room = static_cast<uint32_t>(
        g.module_texts.append_growing(pair->cond, known->room, reusable, "|", cond, kMaxTextChars));
    known->owns_condition = 0;
}

// Appends a condition/value pair to the target's chain.
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

}  // namespace

char* set_logic(char* text, int check) {
    char* p = skip_ws(text);
    if (*p == ';') return p + 1;
    std::string target;
    p = read_identifier(p, target);
    p = skip_ws(p);
    list* rec = find_wire(target);
    int reg_flag = 0;
    if (p[0] == ':' && p[1] == '=') {
        if (!rec) syntax_error();
        if (check && rec->type != T_REG && rec->type != T_REG_WR && rec->type != T_REG_WS)
            syntax_error();
        reg_flag = 1;
        p += 2;
    } else if (*p == '=') {
        if (!rec) syntax_error();
        if (check && rec->type != T_OUTPUT && rec->type != T_BIDIRECT && rec->type != T_SEL)
            syntax_error();
        ++p;
    } else if (*p == '(') {
        // Activation of the module's own instruction with arguments.
        if (!rec) syntax_error();
        if (check && rec->type != T_INSTROUT && rec->type != T_INSTRSELF) syntax_error();
        p = skip_ws(p + 1);
        set_logic_text(target + " = 0b1;");
        list* formal = search_instr_list(g.wire_list, target);
        p = process_module_port(p, "", formal);
        if (*p != ')') syntax_error();
        p = skip_ws(p + 1);
        if (*p != ';') syntax_error();
        return p + 1;
    } else if (*p == '.') {
        std::string member;
        p = read_identifier(p + 1, member);
        std::string netname = "_" + target + "_" + member;
        p = skip_ws(p);
        rec = find_wire(netname);
        if (!rec) syntax_error();
        if (*p == '(') {
            if (check && rec->type != T_INSTRSELF) syntax_error();
            p = skip_ws(p + 1);
            set_logic_text(netname + " = 0b1;");
            if (*p != ')') {
                list* formal = search_declare_instr_list(g.declare_list, target, member);
                p = process_module_port(p, "_" + target + "_", formal);
            }
            if (*p != ')') syntax_error();
            p = skip_ws(p + 1);
            if (*p != ';') syntax_error();
            return p + 1;
        }
        if (*p != '=') syntax_error();
        if (check && rec->type != T_SEL) syntax_error();
        target = netname;
        ++p;
    } else {
        syntax_error();
    }

    // The right-hand side, up to the ';' that ends the statement.
    p = skip_ws(p);
    char* semi = p;
    while (*semi && *semi != ';') ++semi;
    if (!*semi) syntax_error();
    check_text_size(static_cast<size_t>(semi - p));
    std::string rhs(p, semi);
    {
        int saved = g.count_ok;
        g.count_ok = 0;
        rewrite_calls(rhs);
        g.count_ok = saved;
    }
    for (char* q = p; q < semi; ++q)
        if (*q == '\n' && g.count_ok) count_newline(q + 1);
    *semi = '\0';
    check_text_size(rhs);

    int width = convert_logic(rhs, 1);
    rec = find_wire(target);
    if (!rec) syntax_error();
    if (rec->type == T_INPUT) {
        printf("%s is input port\n", rec->name.c_str());
        syntax_error();
    }
    bool assigned = rec->type == T_OUTPUT || rec->type == T_BIDIRECT || rec->type == T_SEL ||
                    rec->type == T_INSTROUT || rec->type == T_INSTRSELF;
    bool reg = rec->type == T_REG || rec->type == T_REG_WR || rec->type == T_REG_WS;
    if (assigned && reg_flag) {
        printf("%s is not register. use \"=\" to assign.\n", rec->name.c_str());
        syntax_error();
    }
    if (reg && !reg_flag) {
        printf("%s is register. use \":=\" to assign.\n", rec->name.c_str());
        syntax_error();
    }
    if (rec->width != width)
        warning("=, left = " + std::to_string(rec->width) + ", right = " + std::to_string(width));
    store_pair(rec, build_condition(), rhs);
    return semi + 1;
}
