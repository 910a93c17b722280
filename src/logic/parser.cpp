#include "parser.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "block_locals.h"
#include "constant_arithmetic.h"
#include "constants.h"
#include "convert_logic.h"
#include "scan.h"
#include "decimal_constant.h"
#include "error.h"
#include "macro_versions.h"
#include "made_up_names.h"
#include "memory_words.h"
#include "macro_names.h"
#include "search_list.h"
#include "sfl_widths.h"
#include "stack.h"

namespace {

const size_t kStackSize = 100;

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

void push(std::vector<item>& stack, item&& it) {
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

// The macro translated where its name stands (--extended) that `token`
// names; else null.
const list* expanded_macro(const std::string& token) {
    if (g.expanded_macros.empty() && g.macro_versions.empty()) return nullptr;
    const list* macro = find_macro(token);
    // Also a macro whose define text means another value at the module
    // (macro_versions.h).
    return macro && (g.expanded_macros.count(macro) || macro_out_of_date(macro)) ? macro : nullptr;
}

// Width of a name: a signal, a state constant or a macro.  A signal's
// name becomes its Verilog name (a block-local one may have a made-up one).
int name_width(std::string& token) {
    auto signal_width = [&token](const list* rec) {
        if (rec->name != token) token = rec->name.str();
        return rec->width;
    };
    list* macro = find_macro(token);
    if (list* rec = find_in_scope(token); rec && !macro) return signal_width(rec);
    int w = g.param_index.find_suffix(token);
    if (w >= 0 && !macro) return w;
    // A signal of a block that ended, where no macro has its name.
    if (list* rec = macro ? nullptr : find_closed_local(token)) return signal_width(rec);
    if (macro) {
        MacroBeingExpanded expansion(token);
        // The value is parsed in place: it keeps its parenthesised form.
        std::string value = macro->logic->value.str();
        int width = parser(value);
        if (macro->logic->value != value) macro->logic->value = store_text(value, true);
        return width;
    }
    fprintf(stderr, "unknown identifier: %s\n", token.c_str());
    syntax_error();
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

// The end of a select <h:l> once l is read at `q`: a reversed range ends
// the run; the position after the closing '>'.
const char* close_select(const char* q, long long h, long long l) {
    if (l > h) {
        fprintf(stderr, "don't use bit reverse\n");
        fatal_exit(1);
    }
    q = skip_space_only(q);
    if (*q != '>') syntax_error();
    return q + 1;
}

// Whether the '>' at `q` closes the select whose '<' is at `p`, under
// --extended, where decimal constants, unary minus and shifts by values
// make other readings: what follows it must be able to follow an operand
// (a<b>c compares), and it is no '>' of ">=" (a<3>=b compares).  Where
// both readings hold, a select written without blanks inside its '<' and
// '>' (or inside another select) is one: a<s>>b and a<s> -b select, while
// a < s >> 1 shifts s and a < b > -c negates c; ">>=" always closes.
bool closes_select(const char* p, const char* q, bool inner) {
    if (q[1] == '=' && q[2] != '=') return false;
    bool tight = inner || (!is_space(p[1]) && !is_space(q[-1]));
    const char* r = skip_space_only(q + 1);
    if ((q[1] == '>' && q[2] != '=' && !tight) || (*r == '-' && !tight)) return false;
    return *r == '\0' || *r == ')' || ((operator2_1(r) || operator2_2(r)) && !operator1(r));
}

// A constant select under --extended, <h> or <h:l> at `p` (a '<'): h and l
// are constant arithmetic (a<W-1>, a<B+7:B>); a '<' that no constant
// followed by a closing '>' or ':' follows is a comparison.
const char* arithmetic_select(const char* p, const std::string& what, int width, long long& h, long long& l) {
    const char* q = skip_space_only(p + 1);
    if (!read_constant_arithmetic(q, h) || h < 0) return nullptr;
    q = skip_space_only(q);
    if (*q != ':' && !(*q == '>' && closes_select(p, q, false))) return nullptr;
    if (width >= 0) check_select_high(what, h, width);
    l = -1;
    if (*q == '>') return q + 1;
    q = skip_space_only(q + 1);
    if (!read_constant_arithmetic(q, l) || l < 0) syntax_error();
    return close_select(q, h, l);
}

// A constant select, <h> or <h:l>, at `p` (a '<') after the operand `what`
// of `width` bits (-1: not known yet; calc checks it).  Reads h and l (-1
// when there is none) and returns the position after the '>'; null when
// the '<' is a comparison (no decimal follows it, or a width prefix does).
const char* constant_select(const char* p, const std::string& what, int width, long long& h, long long& l) {
    if (g.extended_flag) return arithmetic_select(p, what, width, h, l);
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
    return close_select(q, h, l);
}

// The '>' that closes a select by a value, a<s>, a<(e)> or a<i||j>, whose
// '<' is at `p` (`inner`: one inside another select): the first '>'
// outside parentheses and inner selects that closes_select allows.  Null
// when the '<' is a comparison: it is "<=", a comparison of its own comes
// first (a < b<s> compares a with the selected bit b<s>), or no such '>'
// closes it.
const char* value_select_close(const char* p, bool inner = false) {
    if (p[1] == '=') return nullptr;
    int depth = 0;
    for (const char* q = p + 1; *q; ++q) {
        if (*q == '(') ++depth;
        if (*q == ')' && --depth < 0) return nullptr;
        if (depth > 0) continue;
        if (q[0] == '<' && q[1] == '<') {
            ++q;
            continue;
        }
        long long h, l;
        if (*q == '<') {
            const char* e = constant_select(q, "", -1, h, l);
            const char* close = e ? nullptr : value_select_close(q, true);
            if (!e && !close) return nullptr;
            q = e ? e - 1 : close;
            continue;
        }
        if (*q != '>') continue;
        if (closes_select(p, q, inner)) return q;
        if (q[1] != '>') return nullptr;  // a comparison of its own
        ++q;  // a shift in the index
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

const char* select_end(const char* p) {
    long long h, l;
    if (const char* e = constant_select(p, "", -1, h, l)) return e;
    if (!g.extended_flag) return nullptr;
    const char* close = value_select_close(p);
    return close ? close + 1 : nullptr;
}

bool selects_through_nets(const std::string& text) {
    if (!g.extended_flag) return false;
    const char* t = text.c_str();
    for (const char* q = t; *q;) {
        const char* e = skip_quoted(q);
        bool word = q == t || !is_ident_char(q[-1]);
        // A group and a constant, as an expression, go through a net.
        bool group = *q == ')' || (word && constant_starts(q));
        bool name = is_ident_start(*q) && word;
        if (e != q || (!group && !name)) {
            q = e != q ? e : q + 1;
            continue;
        }
        long long bits;
        q = *q == ')' ? q + 1 : group ? constant_extent(q, bits) : q;
        while (name && (is_ident_char(*q) || *q == '.')) ++q;
        const char* s = skip_space_only(q);
        if (s[0] != '<' || s[1] == '<') continue;
        long long h, l;
        if (const char* after = constant_select(s, "", -1, h, l)) {
            if (group) return true;
            q = after;
        } else if (value_select_close(s)) {
            return true;
        }
    }
    return false;
}

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

namespace {

// The steps of to_postpone: one expression read token by token, operands
// written to the postfix text at once, operators held on a stack until an
// operator of lower precedence or a ')' writes them (the prefix operators
// bind tightest; the binary ones are written left to right).
class ToPostfix {
public:
    ToPostfix(const std::string& src, std::string& postfix) : src_(src), text_(src.c_str()), postfix_(postfix) {}

    // expression -> { name | constant | number | string | character | operator | "(" | ")" }
    void run() {
        int code = 0;
        while (i_ < src_.size() && text_[i_] != '\0') {
            char c = text_[i_];
            const char* after_constant = text_ + i_;
            long long value;
            if ((prev_ == START || prev_ == OPERATOR || prev_ == OPEN) && g.extended_flag &&
                read_constant_arithmetic(after_constant, value))
                constant_arithmetic(after_constant, value);
            else if (is_ident_start(c))
                name();
            else if (c == '0')
                constant();
            else if (operator1(text_ + i_))
                prefix();
            else if (c == '-' && (prev_ == START || prev_ == OPERATOR || prev_ == OPEN) && g.extended_flag)
                unary_minus();
            else if (operator2_1(text_ + i_) || operator2_2(text_ + i_))
                binary_operator();
            else if (c == '(')
                open();
            else if (c == ')')
                close();
            else if (is_space(c))
                ++i_;
            else if (is_digit(c))
                number();
            else if (const char* end = scan_string(text_ + i_, bytes_))
                string_constant(end);
            else if (const char* end = scan_character(text_ + i_, code))
                character(end, code);
            else
                syntax_error();
        }
        finish();
    }

private:
    // name -> IDENT [ "." IDENT ] [ "<" h [ ":" l ] ">" | "<" expression ">" ],
    // written as [N#]name[select];width
    void name() {
        if (prev_ == OPERAND) syntax_error();
        const char* p = read_identifier(text_ + i_, token_);
        if (*p == '.') {
            p = read_identifier(p + 1, port_);
            token_ = made_up_name(MadeUp::kPortNet, token_, port_);
        }
        p = skip_space_only(p);
        const char* after_name = p;
        if (const list* macro = expanded_macro(token_)) return macro_value(macro, after_name);
        const list* memory = memory_named(token_);
        long long word;
        if (memory)
            p = after_name = memory_word(p, memory, token_);
        else if ((memory = register_file_word(token_, &word)))
            token_ = memory->name.str() + "[" + std::to_string(word) + "]";
        int width = memory ? memory->width : name_width(token_);
        long long h = -1, l = -1;
        std::string index;  // a select by a value: the index's name
        const char* after_select = nullptr;
        if (p[0] == '<' && p[1] != '<') {
            after_select = constant_select(p, token_, width, h, l);
            if (!after_select && g.extended_flag) after_select = value_select(p, index);
        }
        std::string out;
        long long w = width;
        if (prev_ == WIDTH_PREFIX && g.extended_flag && find_macro(token_)) {
            // --extended: N#MACRO extends the macro's value, an operand
            // followed by the extension operator.
            emit(postfix_, token_ + ";" + std::to_string(clamp_width(w)));
            emit(postfix_, "#" + std::to_string(number_));
            prev_ = OPERAND;
            i_ = static_cast<size_t>(after_name - text_);
            return;
        }
        if (prev_ == WIDTH_PREFIX) {
            out += std::to_string(number_) + "#";
            w = number_;
        } else if (after_select) {
            w = index.empty() ? select_width(h, l) : 1;
        }
        out += token_;
        // The one bit of a 1-bit operand is the operand: Verilog selects
        // nothing from a scalar.
        if (after_select && width != 1) out += index.empty() ? select_text(h, l) : "[" + index + "]";
        out += ";" + std::to_string(clamp_width(w));
        emit(postfix_, out);
        prev_ = OPERAND;
        i_ = static_cast<size_t>((after_select ? after_select : after_name) - text_);
    }

    // A macro translated where its name stands (--extended): the postfix text of its value,
    // which stands as a parenthesised expression, with the constant select
    // that may follow the name and the N# before it.
    void macro_value(const list* macro, const char* after_name) {
        {
            MacroBeingExpanded expansion(token_);
            to_postpone(macro->logic->value.str(), postfix_);
        }
        const char* p = after_name;
        long long h, l;
        if (p[0] == '<' && p[1] != '<') {
            if (const char* after_select = constant_select(p, "", -1, h, l)) {
                emit(postfix_, select_text(h, l));
                p = after_select;
            }
        }
        if (prev_ == WIDTH_PREFIX) emit(postfix_, "#" + std::to_string(number_));
        prev_ = OPERAND;
        i_ = static_cast<size_t>(p - text_);
    }

    // constant -> "0" KIND digits { KIND digits } [ select ], written as it
    // stands (after N#, extended at once).
    void constant() {
        if (prev_ == OPERAND) syntax_error();
        bool extended = prev_ == WIDTH_PREFIX;
        prev_ = OPERAND;
        if (!constant_starts(text_ + i_)) syntax_error();
        std::vector<ConstantPart> parts;
        long long width;
        const char* end = extended ? scan_constant(text_ + i_, parts) : constant_extent(text_ + i_, width);
        // A letter or digit that does not fit the digit kind.
        if (is_alnum(*end)) syntax_error();
        size_t j = static_cast<size_t>(end - text_);
        emit(postfix_, extended ? extend_constant(parts, number_) : src_.substr(i_, j - i_));
        i_ = j;
        operand_select();
    }

    // string -> '"' bytes '"' (a macro's value): the constant of its bytes.
    void string_constant(const char* end) {
        if (prev_ == OPERAND) syntax_error();
        prev_ = OPERAND;
        emit(postfix_, string_as_constant(bytes_));
        i_ = static_cast<size_t>(end - text_);
    }

    // character -> "'" c "'" (--extended): the hexadecimal constant of its code.
    void character(const char* end, int code) {
        if (prev_ == OPERAND) syntax_error();
        prev_ = OPERAND;
        char hex[8];
        snprintf(hex, sizeof hex, "0x%02X", code);
        emit(postfix_, hex);
        i_ = static_cast<size_t>(end - text_);
    }

    // prefix -> "^" | "/|" | "/&" | "/@"
    void prefix() {
        if (prev_ == OPERAND) syntax_error();
        prev_ = OPERATOR;
        size_t n = text_[i_] == '^' ? 1 : 2;
        push(stack_, item{src_.substr(i_, n), 0});
        i_ += n;
    }

    // A '-' where no operand ends (--extended): unary minus.
    void unary_minus() {
        prev_ = OPERATOR;
        push(stack_, item{kNegation, 0});
        ++i_;
    }

    // binary -> "<<" | ">>" | "<=" | ">=" | "==" | "!=" | "||" | one of &|@+-*/<>
    void binary_operator() {
        if (prev_ == OPERATOR || prev_ == WIDTH_PREFIX) syntax_error();
        while (!stack_.empty() && prefix_operator(stack_.back().text.c_str())) {
            emit(postfix_, stack_.back().text);
            stack_.pop_back();
        }
        prev_ = OPERATOR;
        size_t n = operator2_1(text_ + i_) ? 2 : 1;
        push(stack_, item{src_.substr(i_, n), 0});
        i_ += n;
    }

    // "(" ; after N# (--extended) the parenthesis carries N as its width.
    void open() {
        long long extend = 0;
        if (prev_ == WIDTH_PREFIX) {
            if (!g.extended_flag) syntax_error();
            extend = number_;
        }
        prev_ = OPEN;
        push(stack_, item{"(", clamp_width(extend)});
        ++i_;
    }

    // ")" [ select ]: writes the operators held since its "(", the
    // extension it carries, and (--extended) a select of the group.
    void close() {
        if (prev_ == WIDTH_PREFIX) syntax_error();
        prev_ = CLOSE;
        for (;;) {
            if (stack_.empty()) {
                fprintf(stderr, "stack is empty2: %d\n", g.count);
                fatal_exit(1);
            }
            if (stack_.back().text[0] == '(') break;
            emit(postfix_, stack_.back().text);
            stack_.pop_back();
        }
        if (stack_.back().width > 0) emit(postfix_, "#" + std::to_string(stack_.back().width));
        stack_.pop_back();
        ++i_;
        operand_select();
    }

    // --extended: a select after the group or constant that ends at i_,
    // which calc applies to the operand it leaves: <h>, <h:l>, or [index]
    // for a select by a value.
    void operand_select() {
        const char* q = skip_space_only(text_ + i_);
        if (q[0] != '<' || q[1] == '<' || !g.extended_flag) return;
        long long h, l;
        std::string index;
        const char* after_select = constant_select(q, "", -1, h, l);
        if (!after_select) after_select = value_select(q, index);
        if (!after_select) return;
        emit(postfix_, index.empty() ? select_text(h, l) : "[" + index + "]");
        i_ = static_cast<size_t>(after_select - text_);
    }

    // number -> DIGITS "#" (a width prefix) | DIGITS (a shift count)
    void number() {
        const char* p = text_ + i_;
        number_ = read_decimal(p);
        i_ = static_cast<size_t>(p - text_);
        if (text_[i_] == '#') {
            prev_ = WIDTH_PREFIX;
            ++i_;
        } else {
            prev_ = OPERAND;
            if (stack_.empty() || (stack_.back().text != "<<" && stack_.back().text != ">>")) syntax_error();
            emit(postfix_, std::to_string(clamp_width(number_)));
        }
    }

    // --extended: constant arithmetic (a number, a macro of one, an
    // expression of them) where an operand may start, ending at `end`: a
    // width prefix, a shift count, or one decimal constant sized by its
    // context.
    void constant_arithmetic(const char* end, long long value) {
        const char* q = skip_space_only(end);
        const char* first = skip_space_only(text_ + i_);
        if (*q == '#' && *first == '-') {
            // -5#a negates 5#a: a width is never negative.
            i_ = static_cast<size_t>(first - text_);
            return unary_minus();
        }
        if (*q == '#') {
            number_ = value;
            prev_ = WIDTH_PREFIX;
            i_ = static_cast<size_t>(q + 1 - text_);
            return;
        }
        bool count = !stack_.empty() && (stack_.back().text == "<<" || stack_.back().text == ">>");
        emit(postfix_, count && value >= 0 ? std::to_string(clamp_width(value)) : decimal_token(value));
        prev_ = OPERAND;
        i_ = static_cast<size_t>(end - text_);
    }

    // The operators still held, last first.
    void finish() {
        while (!stack_.empty()) {
            // An unclosed parenthesis is an error like an unmatched one.
            if (stack_.back().text == "(") syntax_error();
            emit(postfix_, stack_.back().text);
            stack_.pop_back();
        }
    }

    const std::string& src_;
    const char* text_;
    std::string& postfix_;
    std::vector<item> stack_;
    Prev prev_ = START;
    long long number_ = 0;
    size_t i_ = 0;
    std::string token_, port_, bytes_;
};

// "(a op b)", built in one allocation: expressions of a thousand
// characters are joined this way at every operator.
std::string joined(const std::string& a, std::string_view op, const std::string& b) {
    std::string text;
    text.reserve(a.size() + op.size() + b.size() + 2);
    text += '(';
    text += a;
    text += op;
    text += b;
    text += ')';
    return text;
}

item pop(std::vector<item>& stack) {
    if (stack.empty()) {
        fprintf(stderr, "stack is empty1: %d\n", g.count);
        fatal_exit(1);
    }
    item it = std::move(stack.back());
    stack.pop_back();
    return it;
}

// The steps of calc: each postfix token pushes an operand or combines the
// operands on top of the stack into one parenthesised text and its width.
class Evaluate {
public:
    explicit Evaluate(const std::string& postfix) : postfix_(postfix), s_(postfix.c_str()) {}

    int run(std::string& text) {
        size_t len = postfix_.size();
        while (i_ < len) {
            char c = s_[i_];
            if (c == kDecimalMark)
                decimal();
            else if (c == '#')
                extension();
            else if (is_ident_start(c) || (is_digit(c) && !constant_starts(s_ + i_)))
                operand();
            else if (is_digit(c))
                constant();
            else if (operator1(s_ + i_))
                prefix();
            else if ((c == '<' && is_digit(s_[i_ + 1])) || c == '[')
                group_select();
            else if (negation(s_ + i_))
                unary_minus();
            else if (operator2_1(s_ + i_))
                two_character_operator();
            else if (operator2_2(s_ + i_))
                one_character_operator();
            else
                ++i_;
        }
        return finish(text);
    }

private:
    // A decimal constant (--extended), sized when it meets its context.
    void decimal() {
        const char* p = s_ + i_ + 1;
        item it;
        it.negative = *p == '-';
        if (it.negative) ++p;
        // Written by decimal_token: the digits of a long long, read exactly
        // (-2^63 alone has a magnitude beyond it).
        ConstantInt magnitude = read_exact_decimal(p);
        if (magnitude > LLONG_MAX) syntax_error();
        it.decimal = static_cast<long long>(magnitude);
        i_ = static_cast<size_t>(p - s_);
        push(stack_, std::move(it));
    }

    // N#operand of a macro or a parenthesised expression: a Verilog
    // expression cannot be bit-selected, so the extension repeats the top
    // bit of a net that carries the operand.
    void extension() {
        const char* p = s_ + i_ + 1;
        long long n = read_decimal(p);
        i_ = static_cast<size_t>(p - s_);
        item x = pop(stack_);
        if (x.decimal >= 0 || n < x.width) syntax_error();
        if (n > x.width) {
            std::string net = name_of(x);
            if (!find_wire(net) || find_macro(net)) {
                std::string verilog = x.text;
                convert_logic(verilog, 0);
                net = expression_net(verilog, x.width);
            }
            x = item{std::to_string(n) + "#" + net, clamp_width(n)};
        }
        push(stack_, std::move(x));
    }

    // [N#]name[select];width, or a shift count (a number alone: its width
    // holds the count, its text is empty).
    void operand() {
        size_t len = postfix_.size();
        item it;
        if (is_digit(s_[i_])) {
            const char* p = s_ + i_;
            long long n = read_decimal(p);
            i_ = static_cast<size_t>(p - s_);
            if (s_[i_] != '#') {
                push(stack_, item{"", clamp_width(n)});
                return;
            }
            ++i_;
            it.text = std::to_string(n) + "#";
        }
        size_t semi = postfix_.find(';', i_);
        if (semi == std::string::npos) semi = len;
        it.text.append(postfix_, i_, semi - i_);
        i_ = semi;
        if (i_ < len) ++i_;
        const char* p = s_ + i_;
        it.width = clamp_width(read_decimal(p));
        i_ = static_cast<size_t>(p - s_);
        push(stack_, std::move(it));
    }

    // 0b.., 0o.., 0x..: as wide as its digits.
    void constant() {
        size_t start = i_;
        long long width;
        i_ = static_cast<size_t>(constant_extent(s_ + i_, width) - s_);
        if (width == 0) {
            fprintf(stderr, "%d: width is 0\n", g.count);
            fatal_exit(1);
        }
        push(stack_, item{postfix_.substr(start, i_ - start), clamp_width(width)});
    }

    // ^x keeps the width; the reductions /| /& /@ give one bit.
    void prefix() {
        char c = s_[i_];
        item x = pop(stack_);
        if (x.decimal >= 0) syntax_error();
        item r;
        if (c == '^') {
            r.text = "(^" + x.text + ")";
            r.width = x.width;
            r.own_width = x.own_width;
        } else {
            r.text = std::string("(") + c + s_[i_ + 1] + x.text + ")";
            r.width = 1;
            ++i_;
        }
        ++i_;
        push(stack_, std::move(r));
    }

    // A select of a parenthesised expression: <h>, <h:l> or [index].  The
    // one bit of a 1-bit operand is its net itself (Verilog selects
    // nothing from a scalar).
    void group_select() {
        const char* p = s_ + i_ + 1;
        std::string select;
        long long h = 0, l = -1;
        if (s_[i_] == '[') {
            const char* close = strchr(p, ']');
            select.assign(s_ + i_, close + 1);
            p = close;
        } else {
            h = read_decimal(p);
            if (*p == ':') l = read_decimal(++p);
            select = select_text(h, l);
        }
        i_ = static_cast<size_t>(p + 1 - s_);
        item x = pop(stack_);
        if (x.decimal >= 0) syntax_error();  // no width to select from
        check_select_high(x.text, h, x.width);
        long long width = select[0] == '[' ? 1 : select_width(h, l);
        push(stack_, item{name_of(x) + (x.width == 1 ? "" : select), clamp_width(width)});
    }

    // Two's-complement negation at the operand's width.
    void unary_minus() {
        item x = pop(stack_);
        if (x.decimal >= 0) {
            x.negative = !x.negative;  // an unsized constant stays one
            push(stack_, std::move(x));
        } else {
            item r{"(-" + x.text + ")", x.width};
            r.own_width = true;
            push(stack_, std::move(r));
        }
        i_ += 2;
    }

    // || adds the widths; << and >> shift (by a count, or under --extended
    // by a constant or a signal); the comparisons give one bit.
    void two_character_operator() {
        item b = pop(stack_);
        item a = pop(stack_);
        std::string op{s_[i_], s_[i_ + 1]};
        i_ += 2;
        bool shift = op == "<<" || op == ">>";
        count_as_decimal(a);
        if (!shift) count_as_decimal(b);
        // A count after a decimal constant (1 << 3) is a decimal constant.
        if (shift && a.decimal >= 0 && b.text.empty() && b.decimal < 0) b.decimal = b.width;
        if (op != "||" && fold_decimal_operands(a, op, b)) return push(stack_, std::move(a));
        item r;
        if (shift && b.decimal >= 0) {
            if (b.negative) syntax_error();
            b = item{"", clamp_width(b.decimal)};  // a count
        }
        if (op == "||" || shift) {
            if (a.decimal >= 0 || b.decimal >= 0) syntax_error();
        } else {
            size_decimal_operands(a, b);
        }
        if (op == "||") {
            r.text = joined(a.text, op, b.text);
            r.width = clamp_width(static_cast<long long>(a.width) + b.width);
        } else if (shift && !b.text.empty()) {
            if (!g.extended_flag) syntax_error();
            r.text = joined(a.text, op, b.text);
            r.width = a.width;
            r.own_width = op == "<<" || a.own_width;
        } else if (shift) {
            r.width = op == "<<" ? clamp_width(static_cast<long long>(a.width) + b.width) : a.width;
            keep_own_width(a, r.width);
            r.text = joined(a.text, op, std::to_string(b.width));
            r.own_width = a.own_width;
        } else {
            if (a.width != b.width) warning(op);
            keep_operand_widths(a, b, 0);
            r.text = joined(a.text, op, b.text);
            r.width = 1;
        }
        push(stack_, std::move(r));
    }

    // < and > give one bit, * the sum of the widths, the others the wider.
    void one_character_operator() {
        char c = s_[i_];
        item b = pop(stack_);
        item a = pop(stack_);
        ++i_;
        count_as_decimal(a);
        count_as_decimal(b);
        if (fold_decimal_operands(a, std::string_view(&c, 1), b)) return push(stack_, std::move(a));
        size_decimal_operands(a, b);
        if (a.width != b.width && !strchr("+-*/", c)) warning(std::string(1, c));
        item r;
        if (c == '<' || c == '>')
            r.width = 1;
        else if (c == '*')
            r.width = clamp_width(static_cast<long long>(a.width) + b.width);
        else
            r.width = a.width > b.width ? a.width : b.width;
        keep_operand_widths(a, b, c == '*' ? r.width : 0);
        r.own_width = c != '<' && c != '>' && c != '*' && (a.own_width || b.own_width);
        r.text = joined(a.text, std::string_view(&c, 1), b.text);
        push(stack_, std::move(r));
    }

    // A number read as a shift count that stands where an operand does is,
    // under --extended, the decimal constant it is (a << 2 < c compares 2
    // with c: infix operators group to the right).
    static void count_as_decimal(item& x) {
        if (g.extended_flag && x.text.empty() && x.decimal < 0) x.decimal = x.width;
    }

    // The operands of an operation that Verilog evaluates at the wider of
    // their widths, or at `width` bits when that is wider.
    static void keep_operand_widths(item& a, item& b, int width) {
        int at = a.width > b.width ? a.width : b.width;
        if (width > at) at = width;
        keep_own_width(a, at);
        keep_own_width(b, at);
    }

    // The one operand left is the expression.
    int finish(std::string& text) {
        item last = pop(stack_);
        // A decimal constant alone takes the width of the assignment target.
        int context = g.macro_depth == 0 ? g.assignment_width : 0;
        if (last.decimal >= 0) size_decimal(last, context);
        keep_own_width(last, context);
        if (!stack_.empty()) {
            fprintf(stderr, "stack isn't empty3: %d\n", g.count);
            fatal_exit(1);
        }
        text = std::move(last.text);
        return last.width;
    }

    const std::string& postfix_;
    const char* s_;
    std::vector<item> stack_;
    size_t i_ = 0;
};

}  // namespace

void to_postpone(const std::string& src, std::string& postfix) { ToPostfix(src, postfix).run(); }

int calc(const std::string& postfix, std::string& text) { return Evaluate(postfix).run(text); }
