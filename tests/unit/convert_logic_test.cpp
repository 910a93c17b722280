// Expression translation from SFL into Verilog text.
#include "convert_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "expr_support.h"

using namespace expr_test;

namespace {

struct Translated {
    const char* in;
    int want_width;
    const char* out;
    int width;  // -1 when want_width is 0
};

// Signals of standard_module() (a b c x y 8 bits, d 4, e 1, w 16, u1.out 4)
// and the macro W.
const Translated kTranslated[] = {
    {"x", 1, "x", 8},
    {"^a & (b + c<3:0>) - 8#d", 1, "((~a)&((b+c[3:0])-({{4{d[3]}},d})))", 8},
    // selects
    {"a<3:0>", 1, "a[3:0]", 4},
    {"b< 2 >", 1, "b[2]", 1},
    {"a<3:3>", 1, "a[3]", 1},
    {"a<<2", 1, "(a<<2)", 10},
    {"a>>2", 1, "(a>>2)", 8},
    {"a<b", 1, "(a<b)", 1},
    {"a<3:0>", 0, "a[3:0]", -1},
    {"b< 2 >", 0, "b[2]", -1},
    {"a<<2", 0, "a<<2", -1},
    {"a<b", 0, "a<b", -1},
    // constants
    {"0x1F", 1, "8'h1F", 8},
    {"0X1f", 1, "8'h1f", 8},
    {"0b101", 1, "3'b101", 3},
    {"0B10", 1, "2'b10", 2},
    {"0o17", 1, "6'o17", 6},
    {"0O7", 1, "3'o7", 3},
    {"(0b1)", 1, "1'b1", 1},
    {"(0b1)", 0, "(1'b1)", -1},
    {"x0b1", 0, "x0b1", -1},
    {"_0x1", 0, "_0x1", -1},
    {"a & 0x0F", 1, "(a&8'h0F)", 8},
    {"0b01x1F", 1, "{2'b01,8'h1F}", 10},
    {"0b01X1F", 1, "{2'b01,8'h1F}", 10},
    {"0o7x1", 1, "{3'o7,4'h1}", 7},
    {"0B1O7", 1, "{1'b1,3'o7}", 4},
    {"0b1o7x1", 1, "{1'b1,3'o7,4'h1}", 8},
    // negation, exclusive or, reductions
    {"^a", 1, "(~a)", 8},
    {"a@b", 1, "(a^b)", 8},
    {"^a@b", 1, "((~a)^b)", 8},
    {"/|a", 1, "(|a)", 1},
    {"/&a", 1, "(&a)", 1},
    {"/@a", 1, "(^a)", 1},
    {"^a@b", 0, "~a^b", -1},
    {"/|a", 0, "|a", -1},
    {"/& a | /@ b", 0, "&a|^b", -1},
    // concatenation
    {"a||e", 1, "({a,e})", 9},
    {"a||b||e", 1, "({a,({b,e})})", 17},
    {"(a||b)||e", 1, "({({a,b}),e})", 17},
    {"a<3:0>||d", 1, "({a[3:0],d})", 8},
    {"^a||e", 1, "({(~a),e})", 9},
    {"e||0x1F", 1, "({e,8'h1F})", 9},
    {"e||0b01x1F", 1, "({e,{2'b01,8'h1F}})", 11},
    {"a||(b&c)", 0, "{a,(b&c)}", -1},
    {"a||b||c", 0, "{{a,b},c}", -1},
    {"a || b", 0, "{a,b}", -1},
    {"(a) || b||c", 0, "{{(a),b},c}", -1},
    {"a@b||c", 0, "{a^b,c}", -1},
    // width extension
    {"16#a", 1, "({{8{a[7]}},a})", 16},
    {"12#a<7:4>", 1, "({{8{a[7]}},a[7:4]})", 12},
    {"8#e", 1, "({{7{e}},e})", 8},
    {"4#a<2>", 1, "({{3{a[2]}},a[2]})", 4},
    {"5#a<3:3>", 1, "({{4{a[3]}},a[3]})", 5},
    {"4#d", 1, "({{0{d[3]}},d})", 4},
    {"16#a & w", 1, "(({{8{a[7]}},a})&w)", 16},
    {"16#a||e", 1, "({({{8{a[7]}},a}),e})", 17},
    {"8#e", 0, "({{7{e}},e})", -1},
    {"16#a<3:0>", 0, "({{12{a[3]}},a[3:0]})", -1},
    {"2000000000#e", 1, "({{1999999999{e}},e})", 2000000000},
    // instance ports and state constants
    {"u1.out & d", 1, "(_u1_out&d)", 4},
    {"u1.out<3:1>", 1, "_u1_out[3:1]", 3},
    {"idle", 1, "idle", 2},
    // macros
    {"W|c", 1, "(`W|c)", 8},
    {"W+1", 0, "`W+1", -1},
    {"XW+W1+W", 0, "XW+W1+`W", -1},
    {"W2&`W", 0, "W2&`W", -1},
};

void PrintTo(const Translated& c, std::ostream* os) { *os << '"' << c.in << "\" want_width " << c.want_width; }

class ConvertTable : public ::testing::TestWithParam<Translated> {};

TEST_P(ConvertTable, VerilogTextAndWidth) {
    const Translated& c = GetParam();
    standard_module();
    add_macro("W", "a & b");
    g.count_ok = 1;
    std::string text = c.in;
    int width = 0;
    Outcome r = capture([&] { width = convert_logic(text, c.want_width); });
    ASSERT_EQ(r.status, -1) << r.err << r.out;
    EXPECT_EQ(text, c.out);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(g.count_ok, 1);
}

INSTANTIATE_TEST_SUITE_P(Expressions, ConvertTable, ::testing::ValuesIn(kTranslated));

struct Failed {
    const char* in;
    int want_width;
    const char* out;  // standard output
    bool syntax;      // syntax error report on stderr; else nothing there
};

const Failed kFailed[] = {
    // constants without digits, also where the parser lets them through
    {"0b", 0, "", true},
    {"0x", 0, "", true},
    {"0bx1", 0, "", true},
    {"0bx1", 1, "", true},
    {"0b1x", 1, "", true},
    {"0b1o", 0, "", true},
    // select with ':' and no low index
    {"a<3:>", 0, "", true},
    // an extension of a reversed select would be rejected by every Verilog tool
    {"16#a<1:3>", 0, "", true},
    // member references left over
    {"u1.", 0, "", true},
    {"u1.out", 0, ".\nu1.out\n", false},
    {"a & u1.out | b", 0, ".\nu1.out | b\n", false},
    // width extensions
    {"#a", 0, "", true},
    {"x4#a", 0, "", true},
    {"4#(a)", 0, "", true},
    {"4#zz", 0, "", true},
    {"16#a<2:3>", 0, "", true},
    {"7#a", 0, "", true},
    {"2#a", 1, "", true},
    {"2#a<7:4>", 1, "", true},
};

void PrintTo(const Failed& c, std::ostream* os) { *os << '"' << c.in << "\" want_width " << c.want_width; }

class ConvertRejects : public ::testing::TestWithParam<Failed> {};

TEST_P(ConvertRejects, ReportAndExitStatus) {
    const Failed& c = GetParam();
    standard_module();
    std::string text = c.in;
    Outcome r = capture([&] { convert_logic(text, c.want_width); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.syntax ? syntax_error_report() : "");
}

INSTANTIATE_TEST_SUITE_P(Expressions, ConvertRejects, ::testing::ValuesIn(kFailed));

TEST(ConvertLogic, ExtensionNeedsDeclaredSignals) {
    reset_state();
    g.read_filename = kSource;
    g.write_filename = kOutput;
    g.count = kLine;
    std::string text = "4#a";
    Outcome r = capture([&] { convert_logic(text, 0); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, syntax_error_report());
}

TEST(ConvertLogic, NewlinesInsideAreNotCounted) {
    standard_module();
    g.count_ok = 1;
    std::string text = "a\n&\nb";
    EXPECT_EQ(convert_logic(text, 1), 8);
    EXPECT_EQ(text, "(a&b)");
    EXPECT_EQ(g.count, kLine);
    EXPECT_EQ(g.count_ok, 1);
}

std::string chain(const std::string& operand, const std::string& op, int n) {
    std::string out = operand;
    for (int i = 1; i < n; ++i) out += op + operand;
    return out;
}

TEST(ConvertLogic, TextLimit) {
    struct {
        std::string in;
        size_t out_size;  // 0: over the limit
    } rows[] = {
        // each 0b1 grows by one character
        {chain("0b1", "|", 819), 4094},
        {chain("0b1", "|", 820), 0},
        // each 8#e becomes ({{7{e}},e})
        {chain("8#e", "|", 292), 13 * 292 - 1},
        {chain("8#e", "|", 316), 0},
    };
    for (const auto& row : rows) {
        standard_module();
        std::string text = row.in;
        Outcome r = capture([&] { convert_logic(text, 0); });
        if (row.out_size) {
            EXPECT_EQ(r.status, -1) << row.in.size();
            EXPECT_EQ(text.size(), row.out_size);
        } else {
            EXPECT_EQ(r.status, 1) << row.in.size();
            EXPECT_EQ(r.err, "buffer over flow: 7\n");
        }
    }
}

}  // namespace
