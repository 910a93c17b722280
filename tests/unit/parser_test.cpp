// The expression parser: postfix text, parenthesised text, width, width
// warnings, and every way it ends the run.
#include "parser.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "expr_support.h"

using namespace expr_test;

namespace {

struct Parsed {
    const char* in;
    const char* postfix;
    const char* text;
    int width;
    const char* warnings;  // operators warned about, blank separated
};

// Signals of standard_module(): a b c x y 8 bits, d 4, e 1, w 16, u1.out 4.
const Parsed kParsed[] = {
    {"x", "x;8 ", "x", 8, ""},
    // one infix level, grouped from the right
    {"a-b-c", "a;8 b;8 c;8 - - ", "(a-(b-c))", 8, ""},
    {"a|b&c", "a;8 b;8 c;8 & | ", "(a|(b&c))", 8, ""},
    {"(a|b)&c", "a;8 b;8 | c;8 & ", "((a|b)&c)", 8, ""},
    {" ( a\t+\nb ) ", "a;8 b;8 + ", "(a+b)", 8, ""},
    // prefix operators bind tighter than any infix one
    {"^a&b", "a;8 ^ b;8 & ", "((^a)&b)", 8, ""},
    {"a & ^b | c", "a;8 b;8 ^ c;8 | & ", "(a&((^b)|c))", 8, ""},
    {"^(a|b)", "a;8 b;8 | ^ ", "(^(a|b))", 8, ""},
    {"/|a", "a;8 /| ", "(/|a)", 1, ""},
    {"/&a & e", "a;8 /& e;1 & ", "((/&a)&e)", 1, ""},
    {"/@(a|b)", "a;8 b;8 | /@ ", "(/@(a|b))", 1, ""},
    {"^/|a", "a;8 /| ^ ", "(^(/|a))", 1, ""},
    // bit selects, blanks inside and before them
    {"a <7:0>", "a<7:0>;8 ", "a<7:0>", 8, ""},
    {"a< 7 : 0 >", "a<7:0>;8 ", "a<7:0>", 8, ""},
    {"a<3:3>", "a<3>;1 ", "a<3>", 1, ""},
    {"a<3>&e", "a<3>;1 e;1 & ", "(a<3>&e)", 1, ""},
    {"a<6:2>|d", "a<6:2>;5 d;4 | ", "(a<6:2>|d)", 5, "|"},
    // '<' that opens no select
    {"a < b", "a;8 b;8 < ", "(a<b)", 1, ""},
    {"a<b", "a;8 b;8 < ", "(a<b)", 1, ""},
    {"a<=b", "a;8 b;8 <= ", "(a<=b)", 1, ""},
    {"d<=e", "d;4 e;1 <= ", "(d<=e)", 1, "<="},
    {"a<0x3", "a;8 0x3 < ", "(a<0x3)", 1, "<"},
    {"a<4#d", "a;8 4#d;4 < ", "(a<4#d)", 1, "<"},
    // width prefixes set the written width
    {"4#y", "4#y;4 ", "4#y", 4, ""},
    {"16#a", "16#a;16 ", "16#a", 16, ""},
    {"12#a<7:4>", "12#a<7:4>;12 ", "12#a<7:4>", 12, ""},
    {"16#a & w", "16#a;16 w;16 & ", "(16#a&w)", 16, ""},
    {"4#a<7>", "4#a<7>;4 ", "4#a<7>", 4, ""},
    // instance ports
    {"u1.out", "_u1_out;4 ", "_u1_out", 4, ""},
    {"u1.out<2> & e", "_u1_out<2>;1 e;1 & ", "(_u1_out<2>&e)", 1, ""},
    // state constants: the first parameter name ending in the token
    {"idle", "idle;2 ", "idle", 2, ""},
    {"go", "go;2 ", "go", 2, ""},
    {"q_go", "q_go;3 ", "q_go", 3, ""},
    {"t_e", "t_e;3 ", "t_e", 3, ""},
    {"e", "e;1 ", "e", 1, ""},  // a signal comes before a state constant
    // width of each operator, and which ones warn
    {"a&e", "a;8 e;1 & ", "(a&e)", 8, "&"},
    {"a|d", "a;8 d;4 | ", "(a|d)", 8, "|"},
    {"a@d", "a;8 d;4 @ ", "(a@d)", 8, "@"},
    {"d&w", "d;4 w;16 & ", "(d&w)", 16, "&"},
    {"a+e", "a;8 e;1 + ", "(a+e)", 8, ""},
    {"d-a", "d;4 a;8 - ", "(d-a)", 8, ""},
    {"a/e", "a;8 e;1 / ", "(a/e)", 8, ""},
    {"a*b", "a;8 b;8 * ", "(a*b)", 16, ""},
    {"d*e", "d;4 e;1 * ", "(d*e)", 5, ""},
    {"a||e", "a;8 e;1 || ", "(a||e)", 9, ""},
    {"a||b||e", "a;8 b;8 e;1 || || ", "(a||(b||e))", 17, ""},
    {"a==b", "a;8 b;8 == ", "(a==b)", 1, ""},
    {"a==e", "a;8 e;1 == ", "(a==e)", 1, "=="},
    {"a!=d", "a;8 d;4 != ", "(a!=d)", 1, "!="},
    {"a>=d", "a;8 d;4 >= ", "(a>=d)", 1, ">="},
    {"a>d", "a;8 d;4 > ", "(a>d)", 1, ">"},
    {"(a&e)|d", "a;8 e;1 & d;4 | ", "((a&e)|d)", 8, "& |"},
    // shifts
    {"a << 3", "a;8 3 << ", "(a<<3)", 11, ""},
    {"a>>3", "a;8 3 >> ", "(a>>3)", 8, ""},
    {"a<<10", "a;8 10 << ", "(a<<10)", 18, ""},
    {"(a<<2)<<3", "a;8 2 << 3 << ", "((a<<2)<<3)", 13, ""},
    // numbers beyond the int range saturate, widths are clamped
    {"a<<99999999999", "a;8 2147483647 << ", "(a<<2147483647)", 2147483647, ""},
    {"2000000000#e", "2000000000#e;2000000000 ", "2000000000#e", 2000000000, ""},
    // constants: width from the digits, digit kind switches included
    {"0b0101", "0b0101 ", "0b0101", 4, ""},
    {"0o17", "0o17 ", "0o17", 6, ""},
    {"0x1F", "0x1F ", "0x1F", 8, ""},
    {"0XaB", "0XaB ", "0XaB", 8, ""},
    {"0b01x1F", "0b01x1F ", "0b01x1F", 10, ""},
    {"0B1o7", "0B1o7 ", "0B1o7", 4, ""},
    {"0O7x1", "0O7x1 ", "0O7x1", 7, ""},
    {"0b1o7x1", "0b1o7x1 ", "0b1o7x1", 8, ""},
    {"0bx1", "0bx1 ", "0bx1", 4, ""},
    {"a & 0x0F", "a;8 0x0F & ", "(a&0x0F)", 8, ""},
    {"d & 0b101", "d;4 0b101 & ", "(d&0b101)", 4, "&"},
};

void PrintTo(const Parsed& c, std::ostream* os) { *os << '"' << c.in << '"'; }

class ParserTable : public ::testing::TestWithParam<Parsed> {};

TEST_P(ParserTable, PostfixTextWidthAndWarnings) {
    const Parsed& c = GetParam();
    standard_module();
    std::string postfix;
    Outcome first = capture([&] { to_postpone(c.in, postfix); });
    ASSERT_EQ(first.status, -1) << first.err;
    EXPECT_EQ(postfix, c.postfix);

    std::string text = c.in;
    int width = 0;
    Outcome r = capture([&] { width = parser(text); });
    ASSERT_EQ(r.status, -1) << r.err;
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(r.err, width_warnings(c.warnings));
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(Expressions, ParserTable, ::testing::ValuesIn(kParsed));

struct Rejected {
    const char* in;
    const char* message;  // printed before the report
    bool syntax;          // followed by the syntax error report
};

const Rejected kRejected[] = {
    // order of tokens
    {"a b", "", true},
    {"a 0b1", "", true},
    {"a ^b", "", true},
    {"a & & b", "", true},
    {"^&a", "", true},
    {"4#&a", "", true},
    {"4#(a)", "", true},
    {"(4#)", "", true},
    {"(a", "", true},
    // constants
    {"0", "", true},
    {"0a", "", true},
    {"0b12", "", true},
    {"0o8", "", true},
    {"0o1o", "", true},
    {"0xG", "", true},
    {"0b1x1G", "", true},
    // plain numbers are shift counts only
    {"3 + a", "", true},
    {"a & 3", "", true},
    {"a << (3)", "", true},
    // malformed selects
    {"a<3", "", true},
    {"a<3 x>", "", true},
    {"a<3:>", "", true},
    {"a<3:1", "", true},
    // characters that are no operator
    {"a $ b", "", true},
    {"a = b", "", true},
    {"a ! b", "", true},
    {"u1. out", "", true},
    // names
    {"zz & a", "unknown identifier: zz\n", true},
    {"u1.nope", "unknown identifier: _u1_nope\n", true},
    {"a<8>", "error: a<8 <- a is 8 bit\n", true},
    {"e<1>", "error: e<1 <- e is 1 bit\n", true},
    {"d<9:0>", "error: d<9 <- d is 4 bit\n", true},
    {"a<0:3>", "don't use bit reverse\n", false},
    // parentheses and operand counts
    {"a)", "stack is empty2: 7\n", false},
    {"(a))", "stack is empty2: 7\n", false},
    {"", "stack is empty1: 7\n", false},
    {"+a", "stack is empty1: 7\n", false},
    {"a&", "stack is empty1: 7\n", false},
    {"^", "stack is empty1: 7\n", false},
    {"(a) b", "stack isn't empty3: 7\n", false},
    {"(a)(b)", "stack isn't empty3: 7\n", false},
    // constants without digits
    {"0b", "7: width is 0\n", false},
    {"0bx", "7: width is 0\n", false},
    // shift counts
    {"a<<b", "", true},
    {"a>>e", "", true},
    {"a<<2<<3", "", true},
};

void PrintTo(const Rejected& c, std::ostream* os) { *os << '"' << c.in << '"'; }

class ParserRejects : public ::testing::TestWithParam<Rejected> {};

TEST_P(ParserRejects, ReportAndExitStatus) {
    const Rejected& c = GetParam();
    standard_module();
    std::string text = c.in;
    Outcome r = capture([&] { parser(text); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string(c.message) + (c.syntax ? syntax_error_report() : ""));
}

INSTANTIATE_TEST_SUITE_P(Expressions, ParserRejects, ::testing::ValuesIn(kRejected));

TEST(Parser, WorkedExample) {
    standard_module();
    reset_state();
    g.read_filename = kSource;
    g.write_filename = kOutput;
    g.count = kLine;
    declare_signals("input a, b<8>, c<8>, d<4>;", T_INPUT);
    std::string postfix;
    to_postpone("^a & (b + c<3:0>) - 8#d", postfix);
    EXPECT_EQ(postfix, "a;1 ^ b;8 c<3:0>;4 + 8#d;8 - & ");
    std::string text = "^a & (b + c<3:0>) - 8#d";
    int width = 0;
    Outcome r = capture([&] { width = parser(text); });
    EXPECT_EQ(text, "((^a)&((b+c<3:0>)-8#d))");
    EXPECT_EQ(width, 8);
    EXPECT_EQ(r.err, width_warning("&"));
}

TEST(Parser, TraceLines) {
    standard_module();
    g.p_flag = 1;
    g.count = 42;
    std::string text = "a-b-c";
    Outcome r = capture([&] { parser(text); });
    EXPECT_EQ(r.out,
              "42: before:    a-b-c\n"
              "42: after:     a;8 b;8 c;8 - - \n"
              "42: after_all: (a-(b-c))\n");
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// Joins n copies of `operand` with `op`.
std::string chain(const std::string& operand, const std::string& op, int n) {
    std::string out = operand;
    for (int i = 1; i < n; ++i) out += op + operand;
    return out;
}

TEST(Parser, StackLimits) {
    struct {
        std::string in;
        bool accepted;
    } rows[] = {
        {repeat("(", 100) + "a" + repeat(")", 100), true},
        {repeat("(", 101) + "a" + repeat(")", 101), false},
        {repeat("^", 100) + "e", true},
        {repeat("^", 101) + "e", false},
        {chain("a", "&", 100), true},
        {chain("a", "&", 101), false},
    };
    for (const auto& row : rows) {
        standard_module();
        std::string text = row.in;
        int width = 0;
        Outcome r = capture([&] { width = parser(text); });
        if (row.accepted) {
            EXPECT_EQ(r.status, -1) << row.in;
            EXPECT_EQ(width, row.in[0] == '^' ? 1 : 8) << row.in;
        } else {
            EXPECT_EQ(r.status, 1) << row.in;
            EXPECT_EQ(r.err, "stack size over\n") << row.in;
        }
    }
    standard_module();
    std::string text = chain("a", "&", 100);
    parser(text);
    EXPECT_EQ(text, repeat("(a&", 99) + "a" + repeat(")", 99));
}

// Five operands of one long name, each behind k '^': the postfix text is
// 5 * (L + 3 + 2k) + 8 characters long, the result 5 * (L + 3k) + 12.
TEST(Parser, TextLimit) {
    struct {
        int name_length, k;
        bool accepted;
    } rows[] = {
        {814, 0, true},   // postfix 4093, result 4082
        {815, 0, false},  // postfix 4098
        {700, 38, true},  // postfix 3903, result 4082
        {700, 39, false}, // result 4097
    };
    for (const auto& row : rows) {
        standard_module();
        std::string name = "n" + std::string(row.name_length - 1, 'q');
        declare_signals("input " + name + ";", T_INPUT);
        std::string text = chain(repeat("^", row.k) + name, "&", 5);
        Outcome r = capture([&] { parser(text); });
        if (row.accepted) {
            EXPECT_EQ(r.status, -1) << row.name_length << " " << row.k;
            EXPECT_EQ(text.size(), 5u * (row.name_length + 3 * row.k) + 12);
        } else {
            EXPECT_EQ(r.status, 1) << row.name_length << " " << row.k;
            EXPECT_EQ(r.err, "buffer over flow: 7\n");
        }
    }
}

TEST(Parser, MacroWidthAndStoredText) {
    standard_module();
    add_macro("W", " a  +  b ");
    add_macro("V", "W - d");
    std::string text = "W & a";
    EXPECT_EQ(parser(text), 8);
    EXPECT_EQ(text, "(W&a)");
    EXPECT_EQ(g.define_list->logic->value, "(a+b)");
    text = "W";
    EXPECT_EQ(parser(text), 8);
    EXPECT_EQ(g.define_list->logic->value, "(a+b)");

    std::string postfix;
    to_postpone("V || e", postfix);
    EXPECT_EQ(postfix, "V;8 e;1 || ");
    EXPECT_EQ(g.define_list->next->logic->value, "(W-d)");
}

TEST(Parser, MacroTraceIsNested) {
    standard_module();
    add_macro("W", "a & b");
    g.p_flag = 1;
    std::string text = "W|c";
    Outcome r = capture([&] { parser(text); });
    EXPECT_EQ(r.out,
              "7: before:    W|c\n"
              "7: before:    a & b\n"
              "7: after:     a;8 b;8 & \n"
              "7: after_all: (a&b)\n"
              "7: after:     W;8 c;8 | \n"
              "7: after_all: (W|c)\n");
}

TEST(Parser, MacroFailures) {
    struct {
        const char* name;
        const char* value;
        std::string err;
    } rows[] = {
        {"N", "8", syntax_error_report()},
        {"Z", "", "stack is empty1: 7\n"},
        {"M", "M & a", kSource + ": 7: macro M is nested too deeply\n" + syntax_error_report()},
    };
    for (const auto& row : rows) {
        standard_module();
        add_macro(row.name, row.value);
        std::string text = std::string("a & ") + row.name;
        Outcome r = capture([&] { parser(text); });
        EXPECT_EQ(r.status, 1) << row.name;
        EXPECT_EQ(r.err, row.err) << row.name;
    }
    standard_module();
    add_macro("P", "Q");
    add_macro("Q", "P | a");
    std::string text = "P";
    Outcome r = capture([&] { parser(text); });
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(std::regex_match(r.err, std::regex(kSource + ": 7: macro [PQ] is nested too deeply\n" +
                                                   syntax_error_report())))
        << r.err;
}

}  // namespace
