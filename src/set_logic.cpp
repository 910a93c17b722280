#include "set_logic.h"

#include <cstdio>

#include "convert_logic.h"
#include "error.h"
#include "search_list.h"
#include "stack.h"

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
            if (k.size() > 4095) buffer_overflow();
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

// Appends a condition/value pair to the target's chain.
void store_pair(list* target, const std::string& cond, const std::string& value) {
    if (value.size() > 4095) buffer_overflow();
    if (!(target->mark == 's' && value == "1'b1") && g.O_flag) {
        // Under -O a value already driven joins its pair: the conditions are or-ed.
        if (MergeEntry* known = g.merge_index.get(MergeEntry::Key(target, value))) {
            logic* pair = known->pair;
            size_t joined = pair->cond.size() + 1 + cond.size();
            if (joined >= 4096) buffer_overflow();
            if (joined <= known->room) {
                TextStore::extend(pair->cond, "|");
                TextStore::extend(pair->cond, cond);
                return;
            }
            // Most values join only twice: the first join takes no more
            // room than it needs.  Later ones take the next of the rooms
            // 61, 125, 253, ..., 4093 (4095 at most), at least twice the
            // last, and the texts that values outgrow are recycled for
            // other values: joining k conditions copies O(k) bytes and
            // leaves no dead texts behind.
            size_t room = joined;
            if (known->room) {
                room = 61;
                while (room < joined) room = room * 2 + 3;
                if (room > 4095) room = 4095;
            }
            std::string text = pair->cond + "|" + cond;
            if (known->room) {
                g.module_texts.recycle(pair->cond, known->room);
            } else if (known->owns_condition) {
                // The first condition, which no other pair shares.
                if (g.last_condition_owner == known) {
                    g.last_condition = Text();
                    g.last_condition_owner = nullptr;
                }
                g.module_texts.recycle(pair->cond, pair->cond.size());
            }
            pair->cond = g.module_texts.add(text, room);
            known->room = static_cast<uint32_t>(room);
            known->owns_condition = 0;
            return;
        }
    }
    if (cond.size() >= 4096) buffer_overflow();
    logic* pair = new_logic();
    bool activity = target->mark == 's' && value == "1'b1";
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
    if (semi - p >= 4096) buffer_overflow();
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
    if (rhs.size() >= 4096) buffer_overflow();

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
