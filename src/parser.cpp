#include "parser.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "constants.h"
#include "convert_logic.h"
#include "core.h"
#include "decimal_constant.h"
#include "error.h"
#include "search_list.h"
#include "stack.h"

namespace {

const size_t kStackSize = 100;
const int kMaxMacroDepth = 64;

enum Prev { START, OPERAND, OPERATOR, OPEN, CLOSE, WIDTH_PREFIX };

// Unary minus (--extended) in the postfix text and on the operator stack,
// where a '-' stands for subtraction.
const char kNegation[] = "-u";
bool negation(const char* p) { return p[0] == kNegation[0] && p[1] == kNegation[1]; }

// The operators of the prefix level.
bool prefix_operator(const char* p) { return operator1(p) || negation(p); }

int clamp_width(long long w) {
    if (w > INT_MAX) return INT_MAX;
    if (w < INT_MIN) return INT_MIN;
    return static_cast<int>(w);
}

void push(std::vector<item>& stack, item it) {
    if (stack.size() >= kStackSize) {
        fprintf(stderr, "stack size over\n");
        fatal_exit(1);
    }
    check_text_size(it.text);
    stack.push_back(std::move(it));
}

void emit(std::string& postfix, const std::string& token) {
    postfix += token;
    postfix += ' ';
    check_text_size(postfix);
}

// A name for the value of the operand `x`: its own text when that is a
// name, else a generated net driven by it (Verilog selects only from names).
std::string name_of(const item& x) {
    bool name = is_ident_start(x.text[0]);
    for (char c : x.text) name = name && is_verilog_name_char(c);
    if (name) return x.text;
    std::string verilog = x.text;
    convert_logic(verilog, 0);
    return expression_net(verilog, x.width);
}

// Width of a name: a signal, a state constant or a macro.  A signal's
// name becomes its Verilog name (a block-local one may have a made-up one).
int name_width(std::string& token) {
    if (list* rec = find_wire(token)) {
        if (rec->name != token) token = rec->name.str();
        return rec->width;
    }
    int w = g.param_index.find_suffix(token);
    if (w >= 0) return w;
    if (list* macro = find_in(g.define_index, token)) {
        if (g.macro_depth >= kMaxMacroDepth)
            syntax_error_because(g.read_filename + ": " + std::to_string(g.count) +
                                 ": macro " + token + " is nested too deeply");
        MacroBeingExpanded expansion;
        // The value is parsed in place: it keeps its parenthesised form.
        std::string value = macro->logic->value.str();
        int width = parser(value);
        if (macro->logic->value != value) macro->logic->value = store_text(value, true);
        return width;
    }
    fprintf(stderr, "unknown identifier: %s\n", token.c_str());
    syntax_error();
}

// A name that only a macro gives (no signal or state constant has it).
bool is_macro_name(const std::string& token) {
    return !find_wire(token) && g.param_index.find_suffix(token) < 0 && find_in(g.define_index, token);
}

// A select's width and its text in the postfix and parenthesised texts:
// <h> for one bit (l < 0 or l == h), <h:l> for a range.
long long select_width(long long h, long long l) { return (l < 0 || l == h) ? 1 : h - l + 1; }
std::string select_text(long long h, long long l) {
    if (l < 0 || l == h) return "<" + std::to_string(h) + ">";
    return "<" + std::to_string(h) + ":" + std::to_string(l) + ">";
}

// The high bit of a select must lie inside the operand `what` of `width` bits.
void check_select_high(const std::string& what, long long h, int width) {
    if (h < width) return;
    fprintf(stderr, "error: %s<%lld <- %s is %d bit\n", what.c_str(), h, what.c_str(), width);
    syntax_error();
}

// A constant select, <h> or <h:l>, at `p` (a '<') after the operand `what`
// of `width` bits (-1: not known yet; calc checks it).  Reads h and l (-1
// when there is none) and returns the position after the '>'; null when
// the '<' is a comparison (no decimal follows it, or a width prefix does).
const char* constant_select(const char* p, const std::string& what, int width, long long& h, long long& l) {
    const char* q = skip_space_only(p + 1);
    if (!is_digit(*q) || constant_starts(q)) return nullptr;
    h = read_decimal(q);
    q = skip_space_only(q);
    if (*q == '#') return nullptr;
    if (width >= 0) check_select_high(what, h, width);
    l = -1;
    if (*q == '>') return q + 1;
    if (*q != ':') syntax_error();
    q = skip_space_only(q + 1);
    if (!is_digit(*q)) syntax_error();
    l = read_decimal(q);
    if (l > h) {
        fprintf(stderr, "don't use bit reverse\n");
        fatal_exit(1);
    }
    q = skip_space_only(q);
    if (*q != '>') syntax_error();
    return q + 1;
}

// The '>' that closes a select by a value, a<s> or a<i||j>, whose '<' is
// at `p`: the first '>' outside parentheses and constant selects that is
// no part of ">>" or ">=".  Null when there is none, or when an operand or
// a prefix operator follows it: then the '<' is a comparison (a<b>c).
const char* value_select_close(const char* p) {
    int depth = 0;
    for (const char* q = p + 1; *q; ++q) {
        if (*q == '(') ++depth;
        if (*q == ')' && --depth < 0) return nullptr;
        if (depth > 0) continue;
        bool two_characters = q[1] == q[0] || (q[1] == '=' && q[2] != '=');  // not >==
        if ((q[0] == '<' || q[0] == '>') && two_characters) {
            ++q;
            continue;
        }
        long long h, l;
        if (*q == '<') {
            if (const char* e = constant_select(q, "", -1, h, l)) q = e - 1;
            continue;
        }
        if (*q != '>') continue;
        const char* r = skip_space_only(q + 1);
        bool operand_ends = *r == '\0' || *r == ')' || ((operator2_1(r) || operator2_2(r)) && !operator1(r));
        return operand_ends ? q : nullptr;
    }
    return nullptr;
}

// A select by a value at `p` (a '<'), --extended: the index expression
// parsed, and named in `index` (itself when it is a name, else a net
// driven by it).  Returns the position after the '>', or null when the
// '<' is a comparison.
const char* value_select(const char* p, std::string& index) {
    const char* close = value_select_close(p);
    if (!close) return nullptr;
    std::string e(p + 1, close);
    int width = parser(e);
    index = name_of(item{e, width});
    return close + 1;
}

}  // namespace

int operator1(const char* p) {
    return p[0] == '^' || (p[0] == '/' && (p[1] == '|' || p[1] == '&' || p[1] == '@'));
}

int operator2_1(const char* p) {
    static const char* const ops[] = {"<<", ">>", "<=", ">=", "==", "!=", "||"};
    for (const char* op : ops)
        if (p[0] == op[0] && p[1] == op[1]) return 1;
    return 0;
}

int operator2_2(const char* p) { return p[0] != '\0' && strchr("&|@+-*/<>", p[0]) != nullptr; }

int parser(std::string& text) {
    std::string postfix;
    if (g.p_flag) printf("%d: before:    %s\n", g.count, text.c_str());
    to_postpone(text, postfix);
    if (g.p_flag) printf("%d: after:     %s\n", g.count, postfix.c_str());
    int width = calc(postfix, text);
    if (g.p_flag) printf("%d: after_all: %s\n", g.count, text.c_str());
    return width;
}

void to_postpone(const std::string& src, std::string& postfix) {
    const char* text = src.c_str();
    size_t len = src.size();
    std::vector<item> stack;
    Prev prev = START;
    long long number = 0;
    int code = 0;
    size_t i = 0;
    std::string token, port;
    while (i < len && text[i] != '\0') {
        char c = text[i];
        if (is_ident_start(c)) {
            if (prev == OPERAND) syntax_error();
            const char* p = read_identifier(text + i, token);
            if (*p == '.') {
                p = read_identifier(p + 1, port);
                token = "_" + token + "_" + port;
            }
            p = skip_space_only(p);
            const char* after_name = p;
            int width = name_width(token);
            long long h = -1, l = -1;
            std::string index;  // a select by a value: the index's name
            const char* after_select = nullptr;
            if (p[0] == '<' && p[1] != '<') {
                after_select = constant_select(p, token, width, h, l);
                if (!after_select && g.extended_flag) after_select = value_select(p, index);
            }
            std::string out;
            long long w = width;
            if (prev == WIDTH_PREFIX && g.extended_flag && is_macro_name(token)) {
                // --extended: N#MACRO extends the macro's value, an operand
                // followed by the extension operator.
                emit(postfix, token + ";" + std::to_string(clamp_width(w)));
                emit(postfix, "#" + std::to_string(number));
                prev = OPERAND;
                i = static_cast<size_t>(after_name - text);
                continue;
            }
            if (prev == WIDTH_PREFIX) {
                out += std::to_string(number) + "#";
                w = number;
            } else if (after_select) {
                w = index.empty() ? select_width(h, l) : 1;
            }
            out += token;
            if (after_select) out += index.empty() ? select_text(h, l) : "[" + index + "]";
            out += ";" + std::to_string(clamp_width(w));
            emit(postfix, out);
            prev = OPERAND;
            i = static_cast<size_t>((after_select ? after_select : after_name) - text);
        } else if (c == '0' && (!g.extended_flag || constant_starts(text + i))) {
            if (prev == OPERAND) syntax_error();
            bool extended = prev == WIDTH_PREFIX;
            prev = OPERAND;
            if (!constant_starts(text + i)) syntax_error();
            std::vector<ConstantPart> parts;
            const char* end = scan_constant(text + i, parts);
            // A letter or digit that does not fit the digit kind.
            if (is_alnum(*end)) syntax_error();
            size_t j = static_cast<size_t>(end - text);
            // N#constant: the constant extended at once.
            emit(postfix, extended ? extend_constant(parts, number) : src.substr(i, j - i));
            i = j;
        } else if (operator1(text + i)) {
            if (prev == OPERAND) syntax_error();
            prev = OPERATOR;
            size_t n = c == '^' ? 1 : 2;
            push(stack, item{src.substr(i, n), 0});
            i += n;
        } else if (c == '-' && (prev == START || prev == OPERATOR || prev == OPEN) && g.extended_flag) {
            // A '-' where no operand ends: unary minus.
            prev = OPERATOR;
            push(stack, item{kNegation, 0});
            ++i;
        } else if (operator2_1(text + i) || operator2_2(text + i)) {
            if (prev == OPERATOR || prev == WIDTH_PREFIX) syntax_error();
            while (!stack.empty() && prefix_operator(stack.back().text.c_str())) {
                emit(postfix, stack.back().text);
                stack.pop_back();
            }
            prev = OPERATOR;
            size_t n = operator2_1(text + i) ? 2 : 1;
            push(stack, item{src.substr(i, n), 0});
            i += n;
        } else if (c == '(') {
            // --extended: N#(expr); the parenthesis carries N as its width.
            long long extend = 0;
            if (prev == WIDTH_PREFIX) {
                if (!g.extended_flag) syntax_error();
                extend = number;
            }
            prev = OPEN;
            push(stack, item{"(", clamp_width(extend)});
            ++i;
        } else if (c == ')') {
            if (prev == WIDTH_PREFIX) syntax_error();
            prev = CLOSE;
            for (;;) {
                if (stack.empty()) {
                    fprintf(stderr, "stack is empty2: %d\n", g.count);
                    fatal_exit(1);
                }
                if (stack.back().text[0] == '(') break;
                emit(postfix, stack.back().text);
                stack.pop_back();
            }
            if (stack.back().width > 0) emit(postfix, "#" + std::to_string(stack.back().width));
            stack.pop_back();
            ++i;
            // --extended: a constant select of the parenthesised expression,
            // applied by calc to the operand the group leaves.
            const char* q = skip_space_only(text + i);
            long long h, l;
            const char* after_select = nullptr;
            if (q[0] == '<' && q[1] != '<' && g.extended_flag) after_select = constant_select(q, "", -1, h, l);
            if (after_select) {
                emit(postfix, select_text(h, l));
                i = static_cast<size_t>(after_select - text);
            }
        } else if (is_space(c)) {
            ++i;
        } else if (is_digit(c)) {
            const char* p = text + i;
            number = read_decimal(p);
            i = static_cast<size_t>(p - text);
            size_t hash = i;
            if (g.extended_flag) hash = static_cast<size_t>(skip_space_only(p) - text);  // `32 # x`
            if (text[hash] == '#') {
                prev = WIDTH_PREFIX;
                i = hash + 1;
            } else if (!stack.empty() && (stack.back().text == "<<" || stack.back().text == ">>")) {
                prev = OPERAND;
                emit(postfix, std::to_string(clamp_width(number)));
            } else {
                // --extended: a decimal constant, sized by its context.
                if (!g.extended_flag || prev == OPERAND || prev == CLOSE || prev == WIDTH_PREFIX)
                    syntax_error();
                prev = OPERAND;
                emit(postfix, kDecimalMark + std::to_string(number));
            }
        } else if (const char* end = scan_character(text + i, code)) {
            // A character constant is the hexadecimal constant of its code.
            if (prev == OPERAND) syntax_error();
            prev = OPERAND;
            char hex[8];
            snprintf(hex, sizeof hex, "0x%02X", code);
            emit(postfix, hex);
            i = static_cast<size_t>(end - text);
        } else {
            syntax_error();
        }
    }
    while (!stack.empty()) {
        // An unclosed parenthesis is an error like an unmatched one.
        if (stack.back().text == "(") syntax_error();
        emit(postfix, stack.back().text);
        stack.pop_back();
    }
}

namespace {

item pop(std::vector<item>& stack) {
    if (stack.empty()) {
        fprintf(stderr, "stack is empty1: %d\n", g.count);
        fatal_exit(1);
    }
    item it = std::move(stack.back());
    stack.pop_back();
    return it;
}

}  // namespace

int calc(const std::string& postfix, std::string& text) {
    const char* s = postfix.c_str();
    size_t len = postfix.size();
    std::vector<item> stack;
    size_t i = 0;
    while (i < len) {
        char c = s[i];
        if (c == kDecimalMark) {
            const char* p = s + i + 1;
            item it;
            it.decimal = read_decimal(p);
            i = static_cast<size_t>(p - s);
            push(stack, std::move(it));
        } else if (c == '#') {
            // N#operand of a macro or a parenthesised expression: a Verilog
            // expression cannot be bit-selected, so the extension repeats
            // the top bit of a net that carries the operand.
            const char* p = s + i + 1;
            long long n = read_decimal(p);
            i = static_cast<size_t>(p - s);
            item x = pop(stack);
            if (x.decimal >= 0 || n < x.width) syntax_error();
            if (n > x.width) {
                std::string net = name_of(x);
                if (!find_wire(net)) {
                    std::string verilog = x.text;
                    convert_logic(verilog, 0);
                    net = expression_net(verilog, x.width);
                }
                x = item{std::to_string(n) + "#" + net, clamp_width(n)};
            }
            push(stack, std::move(x));
        } else if (is_ident_start(c) || (is_digit(c) && !constant_starts(s + i))) {
            item it;
            if (is_digit(c)) {
                const char* p = s + i;
                long long n = read_decimal(p);
                i = static_cast<size_t>(p - s);
                if (s[i] != '#') {
                    push(stack, item{"", clamp_width(n)});
                    continue;
                }
                ++i;
                it.text = std::to_string(n) + "#";
            }
            size_t semi = postfix.find(';', i);
            if (semi == std::string::npos) semi = len;
            it.text.append(postfix, i, semi - i);
            i = semi;
            if (i < len) ++i;
            const char* p = s + i;
            it.width = clamp_width(read_decimal(p));
            i = static_cast<size_t>(p - s);
            push(stack, std::move(it));
        } else if (is_digit(c)) {
            size_t start = i;
            std::vector<ConstantPart> parts;
            i = static_cast<size_t>(scan_constant(s + i, parts) - s);
            long long width = constant_width(parts);
            if (width == 0) {
                fprintf(stderr, "%d: width is 0\n", g.count);
                fatal_exit(1);
            }
            push(stack, item{postfix.substr(start, i - start), clamp_width(width)});
        } else if (operator1(s + i)) {
            item x = pop(stack);
            if (x.decimal >= 0) syntax_error();
            item r;
            if (c == '^') {
                r.text = "(^" + x.text + ")";
                r.width = x.width;
            } else {
                r.text = std::string("(") + c + s[i + 1] + x.text + ")";
                r.width = 1;
                ++i;
            }
            ++i;
            push(stack, std::move(r));
        } else if (c == '<' && is_digit(s[i + 1])) {
            // A constant select of a parenthesised expression.
            const char* p = s + i + 1;
            long long h = read_decimal(p), l = -1;
            if (*p == ':') l = read_decimal(++p);
            i = static_cast<size_t>(p + 1 - s);
            item x = pop(stack);
            check_select_high(x.text, h, x.width);
            push(stack, item{name_of(x) + select_text(h, l), clamp_width(select_width(h, l))});
        } else if (negation(s + i)) {
            // Two's-complement negation at the operand's width.
            item x = pop(stack);
            if (x.decimal >= 0) syntax_error();  // no width to negate at
            push(stack, item{"(-" + x.text + ")", x.width});
            i += 2;
        } else if (operator2_1(s + i)) {
            item b = pop(stack);
            item a = pop(stack);
            char c2 = s[i + 1];
            std::string op{c, c2};
            item r;
            bool shift = op == "<<" || op == ">>";
            if (shift && b.decimal >= 0) b = item{"", clamp_width(b.decimal)};  // a count
            if (op == "||" || shift) {
                if (a.decimal >= 0 || b.decimal >= 0) syntax_error();
            } else {
                size_decimal_operands(a, b);
            }
            if (op == "||") {
                r.text = "(" + a.text + op + b.text + ")";
                r.width = clamp_width(static_cast<long long>(a.width) + b.width);
            } else if (shift && !b.text.empty()) {
                // --extended: a shift by a constant or a signal keeps the width.
                if (!g.extended_flag) syntax_error();
                r.text = "(" + a.text + op + b.text + ")";
                r.width = a.width;
            } else if (shift) {
                r.text = "(" + a.text + op + std::to_string(b.width) + ")";
                r.width = op == "<<" ? clamp_width(static_cast<long long>(a.width) + b.width) : a.width;
            } else {
                if (a.width != b.width) warning(op);
                r.text = "(" + a.text + op + b.text + ")";
                r.width = 1;
            }
            i += 2;
            push(stack, std::move(r));
        } else if (operator2_2(s + i)) {
            item b = pop(stack);
            item a = pop(stack);
            size_decimal_operands(a, b);
            if (a.width != b.width && !strchr("+-*/", c)) warning(std::string(1, c));
            item r;
            r.text = "(" + a.text + c + b.text + ")";
            if (c == '<' || c == '>')
                r.width = 1;
            else if (c == '*')
                r.width = clamp_width(static_cast<long long>(a.width) + b.width);
            else
                r.width = a.width > b.width ? a.width : b.width;
            ++i;
            push(stack, std::move(r));
        } else {
            ++i;
        }
    }
    item last = pop(stack);
    // A decimal constant alone takes the width of the assignment target.
    if (last.decimal >= 0) size_decimal(last, g.macro_depth == 0 ? g.assignment_width : 0);
    if (!stack.empty()) {
        fprintf(stderr, "stack isn't empty3: %d\n", g.count);
        fatal_exit(1);
    }
    text = std::move(last.text);
    return last.width;
}
