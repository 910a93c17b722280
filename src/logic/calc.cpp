// The second pass of the expression parser: the postfix text evaluated
// into the fully parenthesised Verilog expression and its width.
#include <climits>
#include <cstdio>
#include <cstring>

#include "block_locals.h"
#include "constant_arithmetic.h"
#include "constants.h"
#include "convert_logic.h"
#include "extended_hooks.h"
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
#include "parser_steps.h"

namespace {

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
    if (stack.empty())
        translation_error("stack is empty1: " + std::to_string(g.count) + "\n",
                          Mistake(nullptr, "an operator of the expression lacks an operand"));
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
        if (magnitude > LLONG_MAX) syntax_error(nullptr, "the decimal constant does not fit in 64 bits");
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
        if (x.decimal >= 0)
            syntax_error(at_word(std::to_string(n), "'" + std::to_string(n) + "#' extends a value of known width, "
                                                     "not a decimal constant"));
        if (n < x.width)
            syntax_error(at_word(std::to_string(n), "'" + std::to_string(n) + "#' is narrower than the " +
                                                        std::to_string(x.width) + " bits of the value it extends"));
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
        if (width == 0)
            translation_error(std::to_string(g.count) + ": width is 0\n",
                              at_word(postfix_.substr(start, i_ - start), "the constant '" +
                                                                            postfix_.substr(start, i_ - start) +
                                                                            "' has no digits"));
        push(stack_, item{postfix_.substr(start, i_ - start), clamp_width(width)});
    }

    // ^x keeps the width; the reductions /| /& /@ give one bit.
    void prefix() {
        char c = s_[i_];
        item x = pop(stack_);
        if (x.decimal >= 0)
            syntax_error(operator_mistake(std::string(s_ + i_, c == '^' ? 1 : 2),
                                          "needs an operand of known width, not a decimal constant"));
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
        if (x.decimal >= 0)  // no width to select from
            syntax_error(nullptr, "a select of a decimal constant, which has no width to select from");
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
            if (b.negative) syntax_error(operator_mistake(op, "shifts by a negative count"));
            b = item{"", clamp_width(b.decimal)};  // a count
        }
        if (op == "||" || shift) {
            if (a.decimal >= 0 || b.decimal >= 0)
                syntax_error(operator_mistake(op, "needs operands of known width: a decimal constant has none here"));
        } else {
            size_decimal_operands(a, b);
        }
        if (op == "||") {
            r.text = joined(a.text, op, b.text);
            r.width = clamp_width(static_cast<long long>(a.width) + b.width);
        } else if (shift && !b.text.empty()) {
            if (!extended_dialect()) syntax_error(operator_mistake(op, "shifts by a number of bits, not by a value"));
            r.text = joined(a.text, op, b.text);
            r.width = a.width;
            r.own_width = op == "<<" || a.own_width;
        } else if (shift) {
            r.width = op == "<<" ? clamp_width(static_cast<long long>(a.width) + b.width) : a.width;
            keep_own_width(a, r.width);
            r.text = joined(a.text, op, std::to_string(b.width));
            r.own_width = a.own_width;
        } else {
            if (a.width != b.width) warning(op, width_mismatch(op, a, b));
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
        if (a.width != b.width && !strchr("+-*/", c)) warning(std::string(1, c), width_mismatch(std::string(1, c), a, b));
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
        if (extended_dialect() && x.text.empty() && x.decimal < 0) x.decimal = x.width;
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
        if (!stack_.empty())
            translation_error("stack isn't empty3: " + std::to_string(g.count) + "\n",
                              Mistake(nullptr, "an operator is missing between two operands"));
        text = std::move(last.text);
        return last.width;
    }

    // The mistake at the operator `op` of the statement.
    static Mistake operator_mistake(const std::string& op, const std::string& what) {
        return at_word(op, "'" + op + "' " + what);
    }
    static Mistake width_mismatch(const std::string& op, const item& a, const item& b) {
        return at_word(op, "the operands of '" + op + "' differ in width: " + std::to_string(a.width) + " and " +
                               std::to_string(b.width) + " bits");
    }

    const std::string& postfix_;
    const char* s_;
    std::vector<item> stack_;
    size_t i_ = 0;
};


}  // namespace

int calc(const std::string& postfix, std::string& text) { return Evaluate(postfix).run(text); }
