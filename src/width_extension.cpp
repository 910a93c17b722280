#include "width_extension.h"

#include "convert_logic.h"
#include "core.h"
#include "error.h"
#include "insert_list.h"
#include "search_list.h"
#include "set_logic.h"

std::string extend_constant(const std::string& constant, long long n) {
    std::string bits;
    int per_digit = constant_digit_bits(constant[1]);
    size_t digits = 0;  // since the last change of kind
    for (size_t i = 2; i < constant.size(); ++i) {
        char d = constant[i];
        if (int next = constant_kind_switch(per_digit, d)) {
            if (digits == 0) syntax_error();
            per_digit = next;
            digits = 0;
            continue;
        }
        ++digits;
        int v = is_digit(d) ? d - '0' : (d | 0x20) - 'a' + 10;
        for (int b = per_digit - 1; b >= 0; --b) bits.push_back((v >> b) & 1 ? '1' : '0');
    }
    if (digits == 0 || static_cast<long long>(bits.size()) > n) syntax_error();
    check_text_size(static_cast<size_t>(n));
    return "0b" + std::string(static_cast<size_t>(n) - bits.size(), bits[0]) + bits;
}

namespace {

// A fresh name for a generated extension wire: _ext_0, _ext_1, ...,
// skipping names the module has.
std::string extension_wire_name() {
    for (int k = 0;; ++k) {
        std::string name = "_ext_" + std::to_string(k);
        if (!find_wire(name)) return name;
    }
}

}  // namespace

item extend_operand(const item& x, long long n) {
    if (x.decimal >= 0 || n < x.width) syntax_error();
    if (n == x.width) return x;
    // A Verilog expression cannot be bit-selected: its value goes through
    // a wire, whose top bit the extension repeats.
    std::string name = extension_wire_name();
    std::string decl = "sel " + name + "<" + std::to_string(x.width) + ">;";
    insert_list(&decl[0], append_wire_record(), T_SEL, 'x');
    std::string value = x.text;
    convert_logic(value, 0);
    drive_always(find_wire(name), value);
    return item{std::to_string(n) + "#" + name, static_cast<int>(n)};
}
