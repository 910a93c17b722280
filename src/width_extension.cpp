#include "width_extension.h"

#include "convert_logic.h"
#include "core.h"
#include "error.h"
#include "insert_list.h"
#include "search_list.h"
#include "set_logic.h"

std::string extend_constant(const std::vector<ConstantPart>& parts, long long n) {
    std::string bits;
    for (const ConstantPart& part : parts) {
        if (part.digits.empty()) syntax_error();
        for (char d : part.digits) {
            int v = is_digit(d) ? d - '0' : (d | 0x20) - 'a' + 10;
            for (int b = part.bits - 1; b >= 0; --b) bits.push_back((v >> b) & 1 ? '1' : '0');
        }
    }
    if (static_cast<long long>(bits.size()) > n) syntax_error();
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
