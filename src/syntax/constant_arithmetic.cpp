#include "constant_arithmetic.h"

#include <climits>
#include <string>
#include <vector>

#include "constants.h"
#include "scan.h"
#include "error.h"
#include "explain.h"
#include "macro_names.h"
#include "search_list.h"

namespace {


// A result of the operator `op` beyond 128 bits.
[[noreturn]] void overflows(const char* op) {
    syntax_error(at_word(op, std::string("the constant arithmetic of '") + op + "' overflows 128 bits"));
}

// The sum, difference and product are exact: one that needs more than
// 128 bits is a syntax error.  A value is cut to its target's width in
// the end.
ConstantInt add(ConstantInt a, ConstantInt b) {
    ConstantInt r;
    if (__builtin_add_overflow(a, b, &r)) overflows("+");
    return r;
}
ConstantInt subtract(ConstantInt a, ConstantInt b) {
    ConstantInt r;
    if (__builtin_sub_overflow(a, b, &r)) overflows("-");
    return r;
}
ConstantInt multiply(ConstantInt a, ConstantInt b) {
    ConstantInt r;
    if (__builtin_mul_overflow(a, b, &r)) overflows("*");
    return r;
}
// Truncating toward zero; the one quotient that does not fit, the lowest
// value by -1, would overflow the division: the subtraction reports it.
ConstantInt divide(ConstantInt a, ConstantInt b) {
    if (b == 0) syntax_error(at_word("/", "a division by zero in the constant arithmetic"));
    return b == -1 ? subtract(0, a) : a / b;
}

// One reading: whether 0b/0o/0x constants are numbers of it.
class Reader {
public:
    explicit Reader(ConstantDigits digits) : based_(digits == ConstantDigits::kAnyKind) {}
    bool expression(const char*& p, ConstantInt& value);

private:
    bool bit_select(const char*& p, ConstantInt& value);
    bool macro_value(const std::string& name, ConstantInt& value);
    bool factor(const char*& p, ConstantInt& value);
    bool term(const char*& p, ConstantInt& value);

    bool based_;
};

// select -> "<" expression [ ":" expression ] ">", after a parenthesised
// factor: the bits h..l of its value in two's complement, so that in a
// loop (i-16)<3:0> is the low 4 bits of i-16.  False, `p` unchanged, when
// no such select follows (a '<' that is a comparison or a shift).
bool Reader::bit_select(const char*& p, ConstantInt& value) {
    const char* q = skip_space_only(p);
    if (q[0] != '<' || q[1] == '<' || q[1] == '=') return false;
    ++q;
    ConstantInt h, l;
    if (!expression(q, h)) return false;
    q = skip_space_only(q);
    l = h;
    if (*q == ':') {
        ++q;
        if (!expression(q, l)) return false;
        q = skip_space_only(q);
    }
    // Bits up to 126 keep the result positive.
    if (*q != '>' || l < 0 || h < l || h > 126) return false;
    ConstantBits bits = static_cast<ConstantBits>(value) >> l;
    value = static_cast<ConstantInt>(bits & ((ConstantBits(1) << (h - l + 1)) - 1));
    p = q + 1;
    return true;
}

// The value of the macro `name` when its whole value is constant arithmetic.
bool Reader::macro_value(const std::string& name, ConstantInt& value) {
    const list* m = find_macro(name);
    if (!m) return false;
    MacroBeingExpanded expansion(name);
    std::string text = m->logic->value.str();
    const char* q = text.c_str();
    return expression(q, value) && *skip_space_only(q) == '\0';
}

// factor -> number | macro | "(" expression ")" [ select ] | "-" factor,
// a number being decimal or, when based_, also 0b/0o/0x
bool Reader::factor(const char*& p, ConstantInt& value) {
    const char* q = skip_space_only(p);
    if (is_digit(*q)) {
        if (constant_starts(q)) {
            if (!based_) return false;
            std::vector<ConstantPart> parts;
            q = scan_constant(q, parts);
            if (!constant_parts_value(parts, value)) return false;
        } else {
            value = read_exact_decimal(q);
        }
        // A number that runs into a name (2x) is none.
        if (is_ident_char(*q)) return false;
    } else if (is_ident_start(*q)) {
        std::string name;
        q = read_identifier(q, name);
        if (*q == '.' || !macro_value(name, value)) return false;
    } else if (*q == '(') {
        ++q;
        if (!expression(q, value)) return false;
        q = skip_space_only(q);
        if (*q != ')') return false;
        ++q;
        bit_select(q, value);
    } else if (*q == '-') {
        ++q;
        if (!factor(q, value)) return false;
        value = subtract(0, value);
    } else {
        return false;
    }
    p = q;
    return true;
}

// The operator at `p` of the level `ops` ("*/" or "+-"), or 0.  Two
// characters that form another operator ("//" never, "--" is a minus and
// a negation) are taken by their first.
char operator_at(const char* p, const char* ops) {
    const char* q = skip_space_only(p);
    if (*q == ops[0] || *q == ops[1]) {
        // "/|", "/&", "/@" are reductions, not divisions.
        if (*q == '/' && (q[1] == '|' || q[1] == '&' || q[1] == '@')) return 0;
        return *q;
    }
    return 0;
}

// term -> factor { ("*" | "/") factor }
bool Reader::term(const char*& p, ConstantInt& value) {
    if (!factor(p, value)) return false;
    while (char op = operator_at(p, "*/")) {
        const char* q = skip_space_only(p) + 1;
        ConstantInt right;
        if (!factor(q, right)) break;
        value = op == '*' ? multiply(value, right) : divide(value, right);
        p = q;
    }
    return true;
}

// expression -> term { ("+" | "-") term }
bool Reader::expression(const char*& p, ConstantInt& value) {
    if (!term(p, value)) return false;
    while (char op = operator_at(p, "+-")) {
        const char* q = skip_space_only(p) + 1;
        ConstantInt right;
        if (!term(q, right)) break;
        value = op == '+' ? add(value, right) : subtract(value, right);
        p = q;
    }
    return true;
}

}  // namespace

bool read_constant_arithmetic(const char*& p, ConstantInt& value, ConstantDigits digits) {
    return Reader(digits).expression(p, value);
}

bool read_constant_arithmetic(const char*& p, long long& value, ConstantDigits digits) {
    ConstantInt v;
    if (!read_constant_arithmetic(p, v, digits)) return false;
    if (v < LLONG_MIN || v > LLONG_MAX) syntax_error(p, "the constant does not fit in 64 bits");
    value = static_cast<long long>(v);
    return true;
}

ConstantInt constant_operation(ConstantInt a, std::string_view op, ConstantInt b) {
    if (op == "+") return add(a, b);
    if (op == "-") return subtract(a, b);
    if (op == "*") return multiply(a, b);
    if (op == "/") return divide(a, b);
    if (op == "&") return a & b;
    if (op == "|") return a | b;
    if (op == "@") return a ^ b;
    // Shifts and comparisons of a negative value depend on the width.
    if (a < 0 || b < 0) {
        std::string o(op);
        syntax_error(at_word(o, "'" + o + "' of a negative constant depends on the width, which constant arithmetic has not"));
    }
    if (op == "<<") {
        if (b > 126 || (a >> (126 - static_cast<int>(b))) != 0) overflows("<<");
        return a << static_cast<int>(b);
    }
    if (op == ">>") return b > 126 ? 0 : a >> static_cast<int>(b);
    if (op == "==") return a == b;
    if (op == "!=") return a != b;
    if (op == "<") return a < b;
    if (op == ">") return a > b;
    if (op == "<=") return a <= b;
    if (op == ">=") return a >= b;
    std::string o(op);
    syntax_error(at_word(o, "'" + o + "' is no operator of constant arithmetic"));
}
