#include "constants.h"

#include "core.h"
#include "error.h"

namespace {

// Whether `d` is a digit of the kind of `bits` bits (10: decimal).
bool digit_fits(int bits, char d) {
    if (bits == 1) return d == '0' || d == '1';
    if (bits == 3) return d >= '0' && d <= '7';
    if (bits == 10) return is_digit(d);
    return is_digit(d) || (d >= 'a' && d <= 'f') || (d >= 'A' && d <= 'F');
}

// The bits of the kind that a constant of `bits` bits switches to at `c`,
// or 0 when `c` switches none.
int kind_switch(int bits, char c) {
    if (bits == 1 && (c == 'o' || c == 'O')) return 3;
    if (bits < 4 && (c == 'x' || c == 'X')) return 4;
    return 0;
}

// Whether `p`, just after a digit, holds a separator: '_' followed by
// another digit of the kind of `bits` bits.
bool digit_separator(const char* p, int bits) {
    return g.extended_flag && p[0] == '_' && digit_fits(bits, p[1]);
}

}  // namespace

int constant_digit_bits(char k) {
    if (k == 'b' || k == 'B') return 1;
    if (k == 'o' || k == 'O') return 3;
    if (k == 'x' || k == 'X') return 4;
    return 0;
}

const char* scan_constant(const char* p, std::vector<ConstantPart>& parts) {
    parts.clear();
    parts.push_back({constant_digit_bits(p[1]), ""});
    for (p += 2;; ++p) {
        ConstantPart& part = parts.back();
        if (digit_fits(part.bits, *p))
            part.digits += *p;
        else if (int next = kind_switch(part.bits, *p))
            parts.push_back({next, ""});
        else if (part.digits.empty() || !digit_separator(p, part.bits))
            return p;
    }
}

long long constant_width(const std::vector<ConstantPart>& parts) {
    long long width = 0;
    for (const ConstantPart& part : parts) width += static_cast<long long>(part.bits) * part.digits.size();
    return width;
}

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

const char* scan_character(const char* p, int& code) {
    if (!g.extended_flag || p[0] != '\'' || p[1] == '\0' || p[1] == '\n' || p[1] == '\'') return nullptr;
    if (p[1] != '\\') {
        if (p[2] != '\'') return nullptr;
        code = static_cast<unsigned char>(p[1]);
        return p + 3;
    }
    if (p[2] == '\0' || p[3] != '\'') return nullptr;
    switch (p[2]) {
        case 'n': code = '\n'; break;
        case 't': code = '\t'; break;
        case 'r': code = '\r'; break;
        case '0': code = 0; break;
        default: code = static_cast<unsigned char>(p[2]);
    }
    return p + 4;
}

long long read_decimal(const char*& p) {
    long long v = 0;
    while (is_digit(*p)) {
        if (v < 100000000000LL) v = v * 10 + (*p - '0');
        ++p;
        if (digit_separator(p, 10)) ++p;
    }
    return v;
}
