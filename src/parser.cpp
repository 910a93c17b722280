#include "parser.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "constants.h"
#include "core.h"
#include "error.h"
#include "search_list.h"

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

// Width of a name: a signal, a state constant or a macro.
int name_width(const std::string& token) {
    if (list* rec = find_wire(token)) return rec->width;
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
            bool select = false;
            if (p[0] == '<' && p[1] != '<') {
                const char* q = skip_space_only(p + 1);
                bool less_than = !is_digit(*q) || constant_starts(q);
                if (!less_than) {
                    h = read_decimal(q);
                    q = skip_space_only(q);
                    if (*q == '#') less_than = true;
                }
                if (!less_than) {
                    if (h >= width) {
                        fprintf(stderr, "error: %s<%lld <- %s is %d bit\n", token.c_str(), h,
                                token.c_str(), width);
                        syntax_error();
                    }
                    if (*q == '>') {
                        ++q;
                    } else if (*q == ':') {
                        q = skip_space_only(q + 1);
                        if (!is_digit(*q)) syntax_error();
                        l = read_decimal(q);
                        if (l > h) {
                            fprintf(stderr, "don't use bit reverse\n");
                            fatal_exit(1);
                        }
                        q = skip_space_only(q);
                        if (*q != '>') syntax_error();
                        ++q;
                    } else {
                        syntax_error();
                    }
                    select = true;
                    p = q;
                }
            }
            std::string out;
            long long w = width;
            if (prev == WIDTH_PREFIX) {
                out += std::to_string(number) + "#";
                w = number;
            } else if (select) {
                w = (l < 0 || l == h) ? 1 : h - l + 1;
            }
            out += token;
            if (select) {
                if (l < 0 || l == h)
                    out += "<" + std::to_string(h) + ">";
                else
                    out += "<" + std::to_string(h) + ":" + std::to_string(l) + ">";
            }
            out += ";" + std::to_string(clamp_width(w));
            emit(postfix, out);
            prev = OPERAND;
            i = static_cast<size_t>((select ? p : after_name) - text);
        } else if (c == '0') {
            if (prev == OPERAND) syntax_error();
            prev = OPERAND;
            if (!constant_starts(text + i)) syntax_error();
            std::vector<ConstantPart> parts;
            const char* end = scan_constant(text + i, parts);
            // A letter or digit that does not fit the digit kind.
            if (is_alnum(*end)) syntax_error();
            size_t j = static_cast<size_t>(end - text);
            emit(postfix, src.substr(i, j - i));
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
            if (prev == WIDTH_PREFIX) syntax_error();
            prev = OPEN;
            push(stack, item{"(", 0});
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
            stack.pop_back();
            ++i;
        } else if (is_space(c)) {
            ++i;
        } else if (c >= '1' && c <= '9') {
            const char* p = text + i;
            number = read_decimal(p);
            i = static_cast<size_t>(p - text);
            if (text[i] == '#') {
                prev = WIDTH_PREFIX;
                ++i;
            } else {
                prev = OPERAND;
                if (stack.empty() || (stack.back().text != "<<" && stack.back().text != ">>"))
                    syntax_error();
                emit(postfix, std::to_string(clamp_width(number)));
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
        if (is_ident_start(c) || (is_digit(c) && !constant_starts(s + i))) {
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
        } else if (negation(s + i)) {
            // Two's-complement negation at the operand's width.
            item x = pop(stack);
            push(stack, item{"(-" + x.text + ")", x.width});
            i += 2;
        } else if (operator2_1(s + i)) {
            item b = pop(stack);
            item a = pop(stack);
            char c2 = s[i + 1];
            std::string op{c, c2};
            item r;
            if (op == "||") {
                r.text = "(" + a.text + op + b.text + ")";
                r.width = clamp_width(static_cast<long long>(a.width) + b.width);
            } else if (op == "<<" || op == ">>") {
                if (!b.text.empty()) syntax_error();
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
    if (!stack.empty()) {
        fprintf(stderr, "stack isn't empty3: %d\n", g.count);
        fatal_exit(1);
    }
    text = std::move(last.text);
    return last.width;
}
