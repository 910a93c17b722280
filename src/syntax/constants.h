// Constants as the source writes them: decimal numbers, the constants
// 0b..., 0o... and 0x... (whose digit kind may change mid-way: 0b1o7x3),
// and, under --extended, character constants ('A'), string constants
// ("FPGA") and the '_' that may stand between two digits (0xFF_FF, 1_000)
// and counts for nothing.
#ifndef SFLC_CONSTANTS_H
#define SFLC_CONSTANTS_H

#include <string>
#include <vector>

// A value of constant arithmetic (constant_arithmetic.h): 128-bit two's
// complement, so that a 0b/0o/0x constant of up to 127 bits is positive
// and a negative number is one whatever width it meets (-1 sets every bit).
__extension__ typedef __int128 ConstantInt;
// Its bits, for shifts and masks.
__extension__ typedef unsigned __int128 ConstantBits;

// The bits a digit of the kind letter `k` stands for (0: no kind letter).
int constant_digit_bits(char k);
// Whether a constant starts at `p`: '0' and a kind letter.
inline bool constant_starts(const char* p) { return p[0] == '0' && constant_digit_bits(p[1]) != 0; }

// One run of digits of one kind: `bits` per digit (1, 3 or 4).
struct ConstantPart {
    int bits;
    std::string digits;
};
// Reads the constant at `p` (constant_starts(p)) into its parts, one
// part for the kind letter and one more at each change of kind; a part
// may hold no digits (0b, 0b1o).  Returns the position after the last
// character that belongs to the constant.
const char* scan_constant(const char* p, std::vector<ConstantPart>& parts);
// Reads the constant at `p` as scan_constant does, keeping only its width
// in bits, the bits of all its digits (the expression passes, which meet
// every constant, need no digits).
const char* constant_extent(const char* p, long long& width);

// The value of the digit runs `parts`: false when a run holds no digit
// (0b, 0b1o); a syntax error when the value needs more than 127 bits.
bool constant_parts_value(const std::vector<ConstantPart>& parts, ConstantInt& value);

// N#constant: the constant of the digit runs `parts` extended to `n`
// bits by repeating its top bit, as a binary constant.  A syntax error
// when it has more than `n` bits or a run without digits.
std::string extend_constant(const std::vector<ConstantPart>& parts, long long n);

// A character constant at `p`, 'c' or '\c' (--extended only): stores its
// 8-bit code and returns the position after it; null when none stands there.
const char* scan_character(const char* p, int& code);
// The width of a character constant in bits.
const int kCharacterBits = 8;

// A string constant at `p`, "text" with the escapes of character constants
// (--extended only): stores its bytes and returns the position after it;
// null when none stands there.  An empty string is a syntax error.
const char* scan_string(const char* p, std::string& bytes);
// The position after the character or string constant at `p` (--extended
// only), or `p` itself when none starts there.  Never an error: a quote
// that starts no well-formed constant is left to the expression reader.
// Scanners call it at every character: anything but a quote returns at once.
const char* skip_quoted_constant(const char* p);
inline const char* skip_quoted(const char* p) {
    return *p == '\'' || *p == '"' ? skip_quoted_constant(p) : p;
}
// The hexadecimal constant 0x... of `bytes`, first byte most significant,
// 8 bits per byte: the form a string constant takes in an expression.
std::string string_as_constant(const std::string& bytes);

// The Verilog constant W'h... of `value` at `width` bits: the low bits of
// its two's complement, sign-extended above 128 bits.
std::string sized_constant(ConstantInt value, int width);

// The value of the constant `text` (blanks around it allowed): a decimal
// number, a 0b/0o/0x constant, a character or string constant (of up to
// 15 characters) or constant arithmetic (constant_arithmetic.h) whose
// numbers may be 0b/0o/0x constants, with an optional unary minus.  False
// when `text` is not one.
bool constant_value(const std::string& text, ConstantInt& value);
// The same for a value that is a count or an index (a depth, an array
// size or index, a loop bound): also false when it does not fit a long long.
bool constant_value(const std::string& text, long long& value);

// Reads a decimal number, saturating instead of overflowing.
long long read_decimal(const char*& p);
// Reads a decimal number exactly (--extended constant arithmetic); a
// syntax error when it needs more than 127 bits.
ConstantInt read_exact_decimal(const char*& p);

#endif
