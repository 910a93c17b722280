#include "convert_logic.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "arrays.h"
#include "constants.h"
#include "extended_hooks.h"
#include "scan.h"
#include "error.h"
#include "explain.h"
#include "made_up_names.h"
#include "name_suggestions.h"
#include "parser.h"
#include "running_tasks.h"
#include "search_list.h"
#include "set_logic.h"

namespace {

// Start of the identifier that ends just before position `end`.
size_t ident_start_before(const std::string& t, size_t end) {
    size_t s = end;
    while (s > 0 && is_ident_char(t[s - 1])) --s;
    return s;
}

size_t ident_end(const std::string& t, size_t i) {
    while (i < t.size() && is_ident_char(t[i])) ++i;
    return i;
}

// --extended: "text" becomes the hexadecimal constant of its bytes, which
// every later step takes as any other constant.
void string_constants(std::string& t) {
    if (t.find('"') == std::string::npos) return;
    std::string out, bytes;
    for (size_t i = 0; i < t.size();) {
        int code;
        const char* at = t.c_str() + i;
        const char* end = scan_character(at, code);
        if (!end) {
            end = scan_string(at, bytes);
            if (end) out += string_as_constant(bytes);
        } else {
            out.append(at, end);
        }
        if (!end) {
            out.push_back(t[i++]);
            continue;
        }
        i = static_cast<size_t>(end - t.c_str());
    }
    t.swap(out);
    check_text_size(t);
}

// The first '.' of `t` from `from` that stands outside a character or
// string constant ('.' is a character), or npos.
size_t member_dot(const std::string& t, size_t from) {
    const char* b = t.data();
    for (size_t i = from;;) {
        size_t dot = t.find('.', i);
        if (dot == std::string::npos) return dot;
        const char* q1 = static_cast<const char*>(memchr(b + i, '\'', dot - i));
        const char* q2 = static_cast<const char*>(memchr(b + i, '"', dot - i));
        const char* q = q1 && q2 ? std::min(q1, q2) : q1 ? q1 : q2;
        if (!q) return dot;
        const char* e = skip_quoted(q);
        i = static_cast<size_t>((e == q ? q + 1 : e) - b);
    }
}

// An instruction called inside an expression, inst.f(args).port: the call
// is activated under the current conditions and replaced by the port's net.
void instruction_call(std::string& t) {
    size_t from = 0;
    for (;;) {
        size_t dot = member_dot(t, from);
        if (dot == std::string::npos) return;
        size_t istart = ident_start_before(t, dot);
        std::string inst = t.substr(istart, dot - istart);
        if (dot + 1 >= t.size() || !is_ident_start(t[dot + 1]))
            syntax_error(in_copy(t, dot + 1, "expected a name after '.', found " + found_at(t.c_str() + dot + 1)));
        size_t fend = ident_end(t, dot + 1);
        std::string instr = t.substr(dot + 1, fend - dot - 1);
        if (fend >= t.size()) return;
        if (t[fend] != '(') {
            from = fend;
            continue;
        }
        char* p = skip_ws(&t[fend + 1]);
        // The instance must be a name.
        if (inst.empty() || !is_ident_start(inst[0]))
            syntax_error(in_copy(t, istart, "expected the name of an instance before '." + instr + "('"));
        // (--extended: any argument, as in a value's call)
        if (*p == ')' || is_ident_char(*p) || extended_dialect()) {
            p = call_instance_instruction(inst, instr, p);
            if (*p != ')') syntax_error(at_word(inst, "expected ')' after the arguments of '" + inst + "." + instr + "'"));
            ++p;
        } else {
            // Arguments that do not start as a name: refused below.
            activate_instance_instruction(inst, instr);
        }
        if (*p != '.')
            syntax_error_after(message_stream(), call_face_sjis,
                               at_word(inst, "a call in an expression reads a port: expected '." + instr +
                                                 "(...).port', found " + found_at(p)));
        size_t after = static_cast<size_t>(p + 1 - t.data());
        size_t port_end = ident_end(t, after);
        t = t.substr(0, istart) + made_up_name(MadeUp::kPortNet, inst, t.substr(after, port_end - after)) +
            t.substr(port_end);
        // --extended: every call of the expression, not only the first.
        if (!extended_dialect()) return;
        from = istart;
    }
}

// a<h> and a<h:l> become a[h] and a[h:l].
void bit_selects(std::string& t) {
    size_t n = t.size();
    for (size_t i = 0; i < n; ++i) {
        if ((t[i] == '<' && i + 1 < n && t[i + 1] == '<') || (t[i] == '>' && i + 1 < n && t[i + 1] == '>')) {
            ++i;
            continue;
        }
        if (t[i] != '<') continue;
        size_t k = i + 1;
        while (k < n && is_space(t[k])) ++k;
        if (k < n && is_digit(t[k])) {
            while (k < n && is_digit(t[k])) ++k;
            while (k < n && is_space(t[k])) ++k;
        }
        if (k < n && t[k] == ':') {
            ++k;
            while (k < n && is_space(t[k])) ++k;
            // (--extended: a bound of constant arithmetic, in a macro's
            // value, which is translated where the macro stands)
            if ((k >= n || !is_digit(t[k])) && extended_dialect()) continue;
            if (k >= n || !is_digit(t[k])) syntax_error(in_copy(t, k, "expected the low bit of the select after ':'"));
            while (k < n && is_digit(t[k])) ++k;
            while (k < n && is_space(t[k])) ++k;
        }
        if (k < n && t[k] == '>') {
            t[i] = '[';
            t[k] = ']';
        }
    }
}

// 0b.., 0o.., 0x.. become sized constants; a constant that changes its
// digit kind becomes a concatenation of its parts.
void constants(std::string& t) {
    std::string out;
    out.reserve(t.size() + 16);
    std::vector<ConstantPart> parts;
    parts.reserve(2);
    size_t n = t.size();
    size_t i = 0;
    while (i < n) {
        if (is_ident_start(t[i])) {
            size_t e = ident_end(t, i);
            out.append(t, i, e - i);
            i = e;
            continue;
        }
        int code;
        if (const char* end = t[i] == '\'' ? scan_character(t.c_str() + i, code) : nullptr) {
            char hex[8];
            snprintf(hex, sizeof hex, "'h%02X", code);
            out += std::to_string(kCharacterBits) + hex;
            i = static_cast<size_t>(end - t.c_str());
            continue;
        }
        if (!constant_starts(t.c_str() + i)) {
            out.push_back(t[i++]);
            continue;
        }
        const char* end = scan_constant(t.c_str() + i, parts);
        for (const ConstantPart& part : parts)
            if (part.digits.empty())
                syntax_error(in_copy(t, i, "the constant '" + t.substr(i, static_cast<size_t>(end - t.c_str()) - i) +
                                               "' has no digits after its 0b, 0o or 0x"));
        if (parts.size() > 1) out += '{';
        for (size_t k = 0; k < parts.size(); ++k) {
            const ConstantPart& part = parts[k];
            if (k) out += ',';
            out += std::to_string(part.digits.size() * part.bits);
            out += part.bits == 1 ? "'b" : part.bits == 3 ? "'o" : "'h";
            out += part.digits;
        }
        if (parts.size() > 1) out += '}';
        i = static_cast<size_t>(end - t.c_str());
    }
    t.swap(out);
}

void replace_chars(std::string& t) {
    for (char& c : t)
        if (c == '^') c = '~';
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == '/' && (t[i + 1] == '|' || t[i + 1] == '&' || t[i + 1] == '@')) t[i] = ' ';
    for (char& c : t)
        if (c == '@') c = '^';
}

void leftover_member(const std::string& t) {
    size_t dot = t.find('.');
    if (dot == std::string::npos) return;
    size_t start = ident_start_before(t, dot);
    std::string rest(t.c_str() + start, strcspn(t.c_str() + start, "\n"));
    translation_error(message_stream(), ".\n" + rest + "\n",
                         in_copy(t, start, "'" + t.substr(start, dot - start) + ".' reads no port of an instance here"));
}

// The operand of N#operand: where its name ends and where it ends, its
// width and the number of its top bit, which the extension repeats.
struct ExtendedOperand {
    size_t name_end = 0, end = 0;
    long long width = 0, top = 0;
};

// The decimal select [h] or [h:l] from `k` (after its '[').
[[noreturn]] void bad_select(const std::string& t, size_t k) {
    syntax_error(in_copy(t, k, "expected a select of constant bits, <h> or <h:l>, after the operand of the width extension"));
}

void constant_bits(const std::string& t, size_t k, ExtendedOperand& x) {
    if (k >= t.size() || !is_digit(t[k])) bad_select(t, k);
    const char* q = t.c_str() + k;
    long long hi = read_decimal(q);
    k = static_cast<size_t>(q - t.c_str());
    if (k < t.size() && t[k] == ']') {
        x.width = 1;
        x.top = 0;
        x.end = k + 1;
        return;
    }
    if (k >= t.size() || t[k] != ':') bad_select(t, k);
    ++k;
    if (k >= t.size() || !is_digit(t[k])) bad_select(t, k);
    q = t.c_str() + k;
    long long lo = read_decimal(q);
    k = static_cast<size_t>(q - t.c_str());
    if (k >= t.size() || t[k] != ']') bad_select(t, k);
    x.width = hi - lo + 1;
    x.top = hi;
    x.end = k + 1;
}

// The operand at `xs`: a select x[h:l] or x[h] of a signal, one bit
// selected by a value x[s] (--extended), or the whole signal x.
ExtendedOperand extended_operand(const std::string& t, size_t xs) {
    ExtendedOperand x;
    size_t xe = xs;
    while (xe < t.size() && is_verilog_name_char(t[xe])) ++xe;
    x.name_end = x.end = xe;
    if (xe + 1 < t.size() && t[xe] == '[' && is_ident_start(t[xe + 1])) {
        size_t close = t.find(']', xe);
        if (close == std::string::npos) bad_select(t, xe);
        x.width = 1;
        x.top = 0;
        x.end = close + 1;
    } else if (xe < t.size() && t[xe] == '[') {
        constant_bits(t, xe + 1, x);
    } else {
        list* rec = find_wire(t.substr(xs, xe - xs));
        if (!rec) syntax_error(at_word(t.substr(xs, xe - xs), unknown("signal", t.substr(xs, xe - xs), signal_names())));
        x.width = rec->width;
        x.top = x.width - 1;
    }
    return x;
}

// N#x: x widened to N bits by repeating its top bit.
void width_extensions(std::string& t) {
    size_t from = 0;
    for (;;) {
        size_t h = t.find('#', from);
        if (h == std::string::npos) return;
        size_t ds = h;
        while (ds > 0 && is_digit(t[ds - 1])) --ds;
        if (ds == h || (ds > 0 && is_ident_char(t[ds - 1])))
            syntax_error(in_copy(t, h, "expected a width in decimal digits before '#'"));
        const char* digits = t.c_str() + ds;
        long long N = read_decimal(digits);
        size_t xs = h + 1;
        if (xs >= t.size() || !is_ident_start(t[xs]))
            syntax_error(in_copy(t, xs, "expected the name of a signal after '" + std::to_string(N) + "#'"));
        ExtendedOperand x = extended_operand(t, xs);
        // A reversed select (only reachable through macros) gives no valid Verilog.
        if (x.width <= 0) syntax_error(in_copy(t, xs, "the select of the extended operand is reversed"));
        // Narrowing is no extension: the replication count would be negative.
        if (N < x.width)
            syntax_error(in_copy(t, ds, "'" + std::to_string(N) + "#' is narrower than the " + std::to_string(x.width) +
                                            " bits of the value it extends"));
        std::string operand = t.substr(xs, x.end - xs);
        std::string name = t.substr(xs, x.name_end - xs);
        std::string top;
        if (x.top == 0)
            top = operand;
        else if (x.width >= 2)
            top = name + "[" + std::to_string(x.top) + "]";
        else
            top = name;
        std::string rep = "({{" + std::to_string(N - x.width) + "{" + top + "}}, " + operand + "})";
        t = t.substr(0, ds) + rep + t.substr(x.end);
        check_text_size(t);
        from = ds + rep.size();
    }
}

bool operand_char(char c) {
    return is_verilog_name_char(c) || c == '[' || c == ']' || c == ':' || c == '\'' || c == '^' || c == '.';
}

// a||b becomes {a, b}.
void concatenations(std::string& t) {
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i] != '|' || t[i + 1] != '|') continue;
        t[i] = ',';
        t[i + 1] = ' ';
        size_t pb = i;
        while (pb > 0 && is_space(t[pb - 1])) --pb;
        size_t ls;  // start of the left operand
        if (pb > 0 && (t[pb - 1] == ')' || t[pb - 1] == '}')) {
            char close = t[pb - 1], open = close == ')' ? '(' : '{';
            int depth = 0;
            size_t k = pb;
            for (;;) {
                if (k == 0) syntax_error(in_copy(t, pb - 1, std::string("'") + close + "' closes nothing before '||'"));
                --k;
                if (t[k] == close) ++depth;
                if (t[k] == open && --depth == 0) break;
            }
            ls = k;
        } else {
            ls = pb;
            while (ls > 0 && operand_char(t[ls - 1])) --ls;
        }
        size_t rs = i + 2;
        while (rs < t.size() && is_space(t[rs])) ++rs;
        size_t re;  // one past the end of the right operand
        if (rs < t.size() && (t[rs] == '(' || t[rs] == '{')) {
            // A group, or a constant that became a concatenation of its parts.
            char open = t[rs], close = open == '(' ? ')' : '}';
            int depth = 0;
            size_t k = rs;
            for (;;) {
                if (k >= t.size()) syntax_error(in_copy(t, rs, std::string("this '") + open + "' after '||' is not closed"));
                if (t[k] == open) ++depth;
                if (t[k] == close && --depth == 0) break;
                ++k;
            }
            re = k + 1;
        } else {
            re = rs;
            while (re < t.size() && operand_char(t[re])) ++re;
        }
        t.insert(re, 1, '}');
        t.insert(ls, 1, '{');
        check_text_size(t);
        i += 2;  // past ", " (shifted by the inserted '{')
    }
}

// Macro names get a back-quote so that they refer to their `define: that
// of the definition in force, by its Verilog name.
void macros(std::string& t) {
    if (g.define_index.empty()) return;
    std::string out;
    out.reserve(t.size() + 8);
    size_t n = t.size();
    size_t i = 0;
    while (i < n) {
        char prev = i > 0 ? t[i - 1] : '\0';
        if (is_alpha(t[i]) && prev != '`' && !is_ident_char(prev)) {
            size_t e = ident_end(t, i);
            bool made_up = e < n && t[e] == '$';  // a block-local name, not a macro
            // The digits of a sized decimal constant (8'd1), not a macro.
            bool decimal_digits = prev == '\'' && t[i] == 'd';
            const list* macro =
                made_up || decimal_digits ? nullptr : find_in(g.define_index, std::string_view(t).substr(i, e - i));
            if (macro) {
                out.push_back('`');
                out.append(macro->name.data(), macro->name.size());
            } else {
                out.append(t, i, e - i);
            }
            i = e;
            continue;
        }
        out.push_back(t[i++]);
    }
    t.swap(out);
    check_text_size(t);
}

}  // namespace

// expression -> Verilog expression: the passes below, in this order.
int convert_logic(std::string& text, int want_width) {
    // The newlines of the text were counted where the statement was read.
    LineCountingOff off;
    check_text_size(text);
    // A macro's value is copied as written (Verilog reads its strings as
    // the same constants); expressions get their strings and indexed names.
    if (want_width == 1) {
        string_constants(text);
        resolve_indexed_names(text);
        running_tasks(text);
    }
    instruction_call(text);
    check_text_size(text);
    int width = -1;
    if (want_width == 1) width = parser(text);
    bit_selects(text);
    constants(text);
    check_text_size(text);
    replace_chars(text);
    leftover_member(text);
    width_extensions(text);
    concatenations(text);
    macros(text);
    delete_space(text);
    return width;
}
