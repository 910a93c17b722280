#include "decimal_constant.h"

#include <climits>

#include "constant_arithmetic.h"
#include "error.h"

std::string decimal_token(long long value) { return kDecimalMark + std::to_string(value); }

namespace {

// The decimal constant `it` as written.
std::string written(const item& it) { return (it.negative ? "-" : "") + std::to_string(it.decimal); }

[[noreturn]] void does_not_fit(const item& it, int width) {
    syntax_error(at_word(std::to_string(it.decimal), "the decimal constant " + written(it) + " does not fit in " +
                                                         std::to_string(width) + " bits"));
}

}  // namespace

void size_decimal(item& it, int width) {
    if (width <= 0)
        syntax_error(at_word(std::to_string(it.decimal),
                             "the decimal constant " + written(it) + " takes its width from what stands beside it (the "
                             "other operand, the target, the argument), and nothing here has one"));
    if (!it.negative || it.decimal == 0) {
        if (width < 63 && it.decimal >= (1LL << width)) does_not_fit(it, width);
        it.text = std::to_string(width) + "'d" + std::to_string(it.decimal);
    } else if (width < 63) {
        // Two's complement at the width: -1 sets every bit; down to -2^(w-1).
        if (it.decimal > (1LL << (width - 1))) does_not_fit(it, width);
        it.text = std::to_string(width) + "'d" + std::to_string((1LL << width) - it.decimal);
    } else {
        it.text = "(-" + std::to_string(width) + "'d" + std::to_string(it.decimal) + ")";
    }
    it.width = width;
    it.decimal = -1;
    it.negative = false;
}

void size_decimal_operands(item& a, item& b) {
    if (a.decimal >= 0 && b.decimal >= 0)
        syntax_error(at_word(std::to_string(a.decimal), "both operands are decimal constants, which have no width"));
    if (a.decimal >= 0) size_decimal(a, b.width);
    if (b.decimal >= 0) size_decimal(b, a.width);
}

bool fold_decimal_operands(item& a, std::string_view op, const item& b) {
    if (a.decimal < 0 || b.decimal < 0) return false;
    auto value = [](const item& it) { return it.negative ? -ConstantInt(it.decimal) : ConstantInt(it.decimal); };
    ConstantInt r = constant_operation(value(a), op, value(b));
    bool comparison = op.size() == 2 ? op[1] == '=' : (op[0] == '<' || op[0] == '>');
    if (comparison) {
        a = item{r ? "0b1" : "0b0", 1};
        return true;
    }
    a.negative = r < 0;
    ConstantInt magnitude = a.negative ? -r : r;
    if (magnitude > LLONG_MAX)
        syntax_error(at_word(std::string(op), "the constant arithmetic of '" + std::string(op) + "' overflows 64 bits"));
    a.decimal = static_cast<long long>(magnitude);
    return true;
}
