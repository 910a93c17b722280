// Selects in expressions: where a '<' opens a select and where its '>'
// closes it, constant selects and selects by a value.
#include "selects.h"

#include "constant_arithmetic.h"
#include "constants.h"
#include "error.h"
#include "explain.h"
#include "extended_hooks.h"
#include "parser_steps.h"
#include "scan.h"
#include "stack.h"

// A select's width and its text in the postfix and parenthesised texts:
// <h> for one bit (l < 0 or l == h), <h:l> for a range.
long long select_width(long long h, long long l) { return (l < 0 || l == h) ? 1 : h - l + 1; }
std::string select_text(long long h, long long l) {
    if (l < 0 || l == h) return "<" + std::to_string(h) + ">";
    return "<" + std::to_string(h) + ":" + std::to_string(l) + ">";
}

// The high bit of a select must lie inside the operand `what` of `width` bits.
void check_select_high(const std::string& what, long long h, int width) {
    if (h < width) return;
    char note[256];
    snprintf(note, sizeof note, "error: %s<%lld <- %s is %d bit", what.c_str(), h, what.c_str(), width);
    syntax_error_after(stderr, note, at_word(what, "bit " + std::to_string(h) + " is outside '" + what + "', which has " +
                                                       std::to_string(width) + (width == 1 ? " bit" : " bits")));
}

namespace {

// The end of a select <h:l> once l is read at `q`: a reversed range ends
// the run; the position after the closing '>'.
const char* close_select(const char* q, long long h, long long l) {
    if (l > h)
        translation_error("don't use bit reverse\n",
                          Mistake(q, "the select <" + std::to_string(h) + ":" + std::to_string(l) +
                                         "> is reversed: the high bit comes first"));
    q = skip_space_only(q);
    if (*q != '>') syntax_error(q, "expected '>' to close the select, found " + found_at(q));
    return q + 1;
}

// Whether the '>' at `q` closes the select whose '<' is at `p`, under
// --extended, where decimal constants, unary minus and shifts by values
// make other readings: what follows it must be able to follow an operand
// (a<b>c compares), and it is no '>' of ">=" (a<3>=b compares).  Where
// both readings hold, a select written without blanks inside its '<' and
// '>' (or inside another select) is one: a<s>>b and a<s> -b select, while
// a < s >> 1 shifts s and a < b > -c negates c; ">>=" always closes.
bool closes_select(const char* p, const char* q, bool inner) {
    if (q[1] == '=' && q[2] != '=') return false;
    bool tight = inner || (!is_space(p[1]) && !is_space(q[-1]));
    const char* r = skip_space_only(q + 1);
    if ((q[1] == '>' && q[2] != '=' && !tight) || (*r == '-' && !tight)) return false;
    return *r == '\0' || *r == ')' || ((operator2_1(r) || operator2_2(r)) && !operator1(r));
}

// A constant select under --extended, <h> or <h:l> at `p` (a '<'): h and l
// are constant arithmetic (a<W-1>, a<B+7:B>); a '<' that no constant
// followed by a closing '>' or ':' follows is a comparison.
const char* arithmetic_select(const char* p, const std::string& what, int width, long long& h, long long& l) {
    const char* q = skip_space_only(p + 1);
    if (!read_constant_arithmetic(q, h) || h < 0) return nullptr;
    q = skip_space_only(q);
    if (*q != ':' && !(*q == '>' && closes_select(p, q, false))) return nullptr;
    if (width >= 0) check_select_high(what, h, width);
    l = -1;
    if (*q == '>') return q + 1;
    q = skip_space_only(q + 1);
    if (!read_constant_arithmetic(q, l) || l < 0) syntax_error(q, "expected the low bit of the select after ':'");
    return close_select(q, h, l);
}

}  // namespace

// A constant select, <h> or <h:l>, at `p` (a '<') after the operand `what`
// of `width` bits (-1: not known yet; calc checks it).  Reads h and l (-1
// when there is none) and returns the position after the '>'; null when
// the '<' is a comparison (no decimal follows it, or a width prefix does).
const char* constant_select(const char* p, const std::string& what, int width, long long& h, long long& l) {
    if (extended_dialect()) return arithmetic_select(p, what, width, h, l);
    const char* q = skip_space_only(p + 1);
    if (!is_digit(*q) || constant_starts(q)) return nullptr;
    h = read_decimal(q);
    q = skip_space_only(q);
    if (*q == '#') return nullptr;
    if (width >= 0) check_select_high(what, h, width);
    l = -1;
    if (*q == '>') return q + 1;
    if (*q != ':') syntax_error(q, "expected ':' or '>' in the select, found " + found_at(q));
    q = skip_space_only(q + 1);
    if (!is_digit(*q)) syntax_error(q, "expected the low bit of the select after ':'");
    l = read_decimal(q);
    return close_select(q, h, l);
}

namespace {

// The '>' that closes a select by a value, a<s>, a<(e)> or a<i||j>, whose
// '<' is at `p` (`inner`: one inside another select): the first '>'
// outside parentheses and inner selects that closes_select allows.  Null
// when the '<' is a comparison: it is "<=", a comparison of its own comes
// first (a < b<s> compares a with the selected bit b<s>), or no such '>'
// closes it.
const char* value_select_close(const char* p, bool inner = false) {
    if (p[1] == '=') return nullptr;
    int depth = 0;
    for (const char* q = p + 1; *q; ++q) {
        if (const char* e = skip_quoted(q); e != q) {  // ('>' and ')' are characters too)
            q = e - 1;
            continue;
        }
        if (*q == '(') ++depth;
        if (*q == ')' && --depth < 0) return nullptr;
        if (depth > 0) continue;
        if (q[0] == '<' && q[1] == '<') {
            ++q;
            continue;
        }
        long long h, l;
        if (*q == '<') {
            const char* e = constant_select(q, "", -1, h, l);
            const char* close = e ? nullptr : value_select_close(q, true);
            if (!e && !close) return nullptr;
            q = e ? e - 1 : close;
            continue;
        }
        if (*q != '>') continue;
        if (closes_select(p, q, inner)) return q;
        if (q[1] != '>') return nullptr;  // a comparison of its own
        ++q;  // a shift in the index
    }
    return nullptr;
}

}  // namespace

// A select by a value at `p` (a '<'), --extended: the index expression
// parsed, and named in `index` (itself when it is a name, else a net
// driven by it).  Returns the position after the '>', or null when the
// '<' is a comparison.
const char* value_select(const char* p, std::string& index) {
    const char* close = value_select_close(p);
    if (!close) return nullptr;
    std::string e(p + 1, close);
    int width = parser(e);
    index = name_of(item{e, width});
    return close + 1;
}


const char* select_end(const char* p) {
    long long h, l;
    if (const char* e = constant_select(p, "", -1, h, l)) return e;
    if (!extended_dialect()) return nullptr;
    const char* close = value_select_close(p);
    return close ? close + 1 : nullptr;
}

bool selects_through_nets(const std::string& text) {
    if (!extended_dialect()) return false;
    const char* t = text.c_str();
    for (const char* q = t; *q;) {
        const char* e = skip_quoted(q);
        if (*q == '[') return true;  // an indexed name or a memory word
        bool word = q == t || !is_ident_char(q[-1]);
        // A group and a constant, as an expression, go through a net.
        bool group = *q == ')' || (word && constant_starts(q));
        bool name = is_ident_start(*q) && word;
        if (e != q || (!group && !name)) {
            q = e != q ? e : q + 1;
            continue;
        }
        long long bits;
        q = *q == ')' ? q + 1 : group ? constant_extent(q, bits) : q;
        while (name && (is_ident_char(*q) || *q == '.')) ++q;
        const char* s = skip_space_only(q);
        if (s[0] != '<' || s[1] == '<') continue;
        long long h, l;
        if (const char* after = constant_select(s, "", -1, h, l)) {
            // (bounds of constant arithmetic, a<W-1:0>, are no Verilog)
            for (const char* b = s + 1; b + 1 < after; ++b)
                if (!is_digit(*b) && *b != ':' && !is_space(*b)) return true;
            if (group) return true;
            q = after;
        } else if (value_select_close(s)) {
            return true;
        }
    }
    return false;
}
