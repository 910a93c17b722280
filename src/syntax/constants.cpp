#include "constants.h"

#include <climits>
#include <cstdio>

#include "constant_arithmetic.h"
#include "extended_hooks.h"
#include "scan.h"
#include "error.h"
#include "explain.h"

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

// The value of the digit `d` (0-9, a-f, A-F).
int digit_value(char d) { return is_digit(d) ? d - '0' : (d | 0x20) - 'a' + 10; }

// Whether `p`, just after a digit, holds a separator: '_' followed by
// another digit of the kind of `bits` bits.
bool digit_separator(const char* p, int bits) {
    return extended_dialect() && p[0] == '_' && digit_fits(bits, p[1]);
}

}  // namespace

int constant_digit_bits(char k) {
    if (k == 'b' || k == 'B') return 1;
    if (k == 'o' || k == 'O') return 3;
    if (k == 'x' || k == 'X') return 4;
    return 0;
}

namespace {

// The grammar of a constant after its '0': calls on.part(bits) at its kind
// letter and at each change of kind, and on.digits(first, last) for each
// run of digits (the separators between runs left out).
template <class On>
const char* read_constant(const char* p, On& on) {
    int bits = constant_digit_bits(p[1]);
    bool empty = true;  // the current part holds no digit yet
    on.part(bits);
    for (p += 2;; ++p) {
        const char* run = p;
        while (digit_fits(bits, *p)) ++p;
        if (p != run) {
            on.digits(run, p);
            empty = false;
            --p;
        } else if (int next = kind_switch(bits, *p)) {
            bits = next;
            empty = true;
            on.part(bits);
        } else if (empty || !digit_separator(p, bits)) {
            return p;
        }
    }
}

}  // namespace

const char* scan_constant(const char* p, std::vector<ConstantPart>& parts) {
    struct Parts {
        std::vector<ConstantPart>& parts;
        void part(int bits) { parts.push_back({bits, ""}); }
        void digits(const char* first, const char* last) { parts.back().digits.append(first, last); }
    } on{parts};
    parts.clear();
    return read_constant(p, on);
}

const char* constant_extent(const char* p, long long& width) {
    struct Width {
        long long& width;
        int bits = 0;
        void part(int b) { bits = b; }
        void digits(const char* first, const char* last) { width += bits * (last - first); }
    } on{width};
    width = 0;
    return read_constant(p, on);
}

std::string extend_constant(const std::vector<ConstantPart>& parts, long long n) {
    std::string bits;
    for (const ConstantPart& part : parts) {
        if (part.digits.empty()) syntax_error(nullptr, "a constant without digits after its 0b, 0o or 0x");
        for (char d : part.digits) {
            int v = digit_value(d);
            for (int b = part.bits - 1; b >= 0; --b) bits.push_back((v >> b) & 1 ? '1' : '0');
        }
    }
    if (static_cast<long long>(bits.size()) > n)
        syntax_error(at_word(std::to_string(n), "'" + std::to_string(n) + "#' is narrower than the " +
                                                    std::to_string(bits.size()) + " bits of the constant it extends"));
    check_text_size(static_cast<size_t>(n));
    return "0b" + std::string(static_cast<size_t>(n) - bits.size(), bits[0]) + bits;
}

bool constant_parts_value(const std::vector<ConstantPart>& parts, ConstantInt& value) {
    value = 0;
    for (const ConstantPart& part : parts) {
        if (part.digits.empty()) return false;
        for (char d : part.digits) {
            // A 1 would reach the sign bit: more than 127 bits, leading zeros aside.
            if (value >> (127 - part.bits)) syntax_error(nullptr, "a constant of more than 127 bits");
            value = (value << part.bits) | digit_value(d);
        }
    }
    return true;
}

namespace {

// One character of a character or string constant at `p`, a plain one or a
// backslash escape: stores its code and returns the position after it.
const char* scan_text_character(const char* p, int& code) {
    if (p[0] != '\\') {
        code = static_cast<unsigned char>(p[0]);
        return p + 1;
    }
    switch (p[1]) {
        case 'n': code = '\n'; break;
        case 't': code = '\t'; break;
        case 'r': code = '\r'; break;
        case '0': code = 0; break;
        default: code = static_cast<unsigned char>(p[1]);
    }
    return p + 2;
}

}  // namespace

const char* scan_character(const char* p, int& code) {
    if (!extended_dialect() || p[0] != '\'' || p[1] == '\0' || p[1] == '\n' || p[1] == '\'') return nullptr;
    if (p[1] == '\\' && p[2] == '\0') return nullptr;
    const char* e = scan_text_character(p + 1, code);
    return *e == '\'' ? e + 1 : nullptr;
}

const char* scan_string(const char* p, std::string& bytes) {
    if (!extended_dialect() || p[0] != '"') return nullptr;
    bytes.clear();
    for (++p; *p != '"'; ) {
        if (*p == '\0' || *p == '\n' || (p[0] == '\\' && (p[1] == '\0' || p[1] == '\n')))
            syntax_error(p, "expected '\"' to end the string on its line");
        int code;
        p = scan_text_character(p, code);
        bytes += static_cast<char>(code);
    }
    if (bytes.empty()) syntax_error(p - 1, "an empty string \"\" has no value");
    return p + 1;
}

const char* skip_quoted_constant(const char* p) {
    int code;
    if (const char* e = scan_character(p, code)) return e;
    if (!extended_dialect() || *p != '"') return p;
    // The grammar of scan_string, without its errors.
    for (const char* q = p + 1; *q != '\0' && *q != '\n'; ++q) {
        if (*q == '"') return q + 1;
        if (*q == '\\') {
            if (q[1] == '\0' || q[1] == '\n') break;
            ++q;
        }
    }
    return p;
}

std::string string_as_constant(const std::string& bytes) {
    std::string out = "0x";
    char hex[4];
    for (unsigned char b : bytes) {
        snprintf(hex, sizeof hex, "%02X", b);
        out += hex;
    }
    return out;
}

std::string sized_constant(ConstantInt value, int width) {
    std::string digits;
    ConstantBits v = static_cast<ConstantBits>(value);
    for (int bit = 0; bit < width; bit += 4) {
        int d = bit < 128 ? static_cast<int>((v >> bit) & 0xF) : (value < 0 ? 0xF : 0);
        // The top digit keeps only the bits the width has.
        if (width - bit < 4) d &= (1 << (width - bit)) - 1;
        digits.insert(digits.begin(), "0123456789ABCDEF"[d]);
    }
    return std::to_string(width) + "'h" + digits;
}

namespace {

// The decimal number at `p`: `add` takes each digit in turn, the
// separators between them left out.
template <class Add>
void read_decimal_digits(const char*& p, Add add) {
    while (is_digit(*p)) {
        add(*p - '0');
        ++p;
        if (digit_separator(p, 10)) ++p;
    }
}

}  // namespace

long long read_decimal(const char*& p) {
    long long v = 0;
    read_decimal_digits(p, [&v](int d) {
        if (v < 100000000000LL) v = v * 10 + d;
    });
    return v;
}

ConstantInt read_exact_decimal(const char*& p) {
    ConstantInt v = 0;
    read_decimal_digits(p, [&v](int d) {
        if (__builtin_mul_overflow(v, 10, &v) || __builtin_add_overflow(v, d, &v))
            syntax_error(nullptr, "a decimal constant of more than 127 bits");
    });
    return v;
}

bool constant_value(const std::string& text, ConstantInt& value) {
    const char* p = skip_space_only(text.c_str());
    // Constant arithmetic: numbers of any kind, macros of it, + - * / and parentheses.
    const char* end = p;
    if (read_constant_arithmetic(end, value, ConstantDigits::kAnyKind) && *skip_space_only(end) == '\0')
        return true;
    bool negative = *p == '-';
    if (negative) p = skip_space_only(p + 1);
    int code;
    std::string bytes;
    ConstantInt v = 0;
    if (const char* e = scan_character(p, code)) {
        v = code;
        p = e;
    } else if (const char* e = scan_string(p, bytes)) {
        // 15 bytes keep the value below the sign bit.
        if (bytes.size() > 15) return false;
        for (unsigned char b : bytes) v = (v << 8) | b;
        p = e;
    } else {
        return false;
    }
    if (*skip_space_only(p) != '\0') return false;
    value = negative ? -v : v;
    return true;
}

bool constant_value(const std::string& text, long long& value) {
    ConstantInt v;
    if (!constant_value(text, v) || v < LLONG_MIN || v > LLONG_MAX) return false;
    value = static_cast<long long>(v);
    return true;
}
