#include "sfl_widths.h"

#include <cstring>

#include "constants.h"
#include "scan.h"

void keep_own_width(item& x, int width) {
    if (!x.own_width || width <= x.width) return;
    x.text = "{" + x.text + "}";
    x.own_width = false;
}

namespace {

// Whether the '-' at `q` negates: no operand ends before it.  A negative
// decimal number (-1) is a constant that takes its width from its context;
// one before '#' negates a width extension (-5#a).
bool negates(const char* t, const char* q) {
    const char* b = q;
    while (b > t && is_space(b[-1])) --b;
    if (b > t && !strchr("(&|@+-*/<>=!^#,", b[-1])) return false;
    const char* r = skip_space_only(q + 1);
    if (!is_digit(*r) || constant_starts(r)) return true;
    while (is_digit(*r) || *r == '_') ++r;
    return *skip_space_only(r) == '#';
}

// Whether the shift operator at `q` ("<<" or ">>") shifts by a value.
bool shifts_by_value(const char* q) {
    const char* r = skip_space_only(q + 2);
    return !is_digit(*r) || constant_starts(r);
}

}  // namespace

bool holds_own_width(const std::string& value) {
    const char* t = value.c_str();
    for (const char* q = t; *q; ++q) {
        if (*q == '-' && negates(t, q)) return true;
        if ((*q == '<' || *q == '>') && q[1] == *q) {
            if (shifts_by_value(q)) return true;
            ++q;
        }
    }
    return false;
}
