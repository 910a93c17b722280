#include "decimal_constant.h"

#include "error.h"

void size_decimal(item& it, int width) {
    if (width <= 0) syntax_error();
    if (width < 63 && it.decimal >= (1LL << width)) syntax_error();
    it.text = std::to_string(width) + "'d" + std::to_string(it.decimal);
    it.width = width;
    it.decimal = -1;
}

void size_decimal_operands(item& a, item& b) {
    if (a.decimal >= 0 && b.decimal >= 0) syntax_error();
    if (a.decimal >= 0) size_decimal(a, b.width);
    if (b.decimal >= 0) size_decimal(b, a.width);
}
