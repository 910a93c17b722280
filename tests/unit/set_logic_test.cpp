// Assignment collection: the condition of each assignment, the chain of
// condition/value pairs, and the checks of the target.
#include "set_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cond_support.h"
#include "stack.h"

using namespace cond_test;

namespace {

// a, b, c1, c2 inputs; x, y outputs; r a reg; _s_on a stage activity
// select (mark 's'); f an instrself.
void module_body() {
    fresh();
    add_signals("input a, b, c1, c2;", T_INPUT);
    add_signals("output x, y;", T_OUTPUT);
    add_signals("reg r;", T_REG);
    add_signals("sel _s_on;", T_SEL, 's');
    add_signals("instrself f;", T_INSTRSELF, '0');
}

// Collects one made statement under an `if` of `cond`.
void under_if(const std::string& cond, const std::string& statement) {
    open_level(K_IF, cond);
    set_logic_text(statement);
    stack_pop_check();
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs chain(const char* name) {
    Pairs out;
    const list* rec = find_wire(name);
    for (logic* l = first_pair(rec); l; l = next_pair(rec, l)) out.emplace_back(l->cond, l->value);
    return out;
}

TEST(BuildCondition, OneFactorPerLevel) {
    module_body();
    EXPECT_EQ(build_condition(), "(1'b1)");
    open_level(K_PAR);
    EXPECT_EQ(build_condition(), "((1'b1))");
    open_level(K_IF, "c");
    EXPECT_EQ(build_condition(), "((c))");
    stack_pop();
    open_level(K_PAR);
    open_level(K_IF, "c");
    // Two empty levels: one always-true factor is left.
    EXPECT_EQ(build_condition(), "((1'b1)&(c))");

    module_body();
    open_level(K_ALT, "(a==b)");
    std::string next = "d";
    stack_push(&next, K_ALT);
    EXPECT_EQ(build_condition(), "(((~((a==b)))&(d)))");
    open_level(K_INSTRUCT, "go");  // levels are read bottom first
    EXPECT_EQ(build_condition(), "(((~((a==b)))&(d))&(go))");
}

TEST(DeleteAlwaysTrue, RemovesFactorsWithoutRechecking) {
    const std::pair<const char*, const char*> cases[] = {
        {"((1'b1)&(c))", "((c))"},
        {"((c)&(1'b1))", "((c))"},
        {"(1'b1)&(1'b1)&(c)", "(1'b1)&(c)"},
        {"(a)&(1'b1)&(1'b1)", "(a)&(1'b1)"},
        {"((1'b1)&(1'b1))", "((1'b1))"},
        {"((1'b1)&(1'b1)&(1'b1))", "((1'b1))"},
        {"((a)&(1'b1)&(b))", "((a)&(b))"},
        {"(1'b1)", "(1'b1)"},
    };
    for (const auto& c : cases) {
        std::string text = c.first;
        delete_1b1(text);
        EXPECT_EQ(text, c.second) << c.first;
    }
}

TEST(SetLogic, StoresPairsInStatementOrder) {
    module_body();
    std::string stmt = "x = a & b;  y = b;";
    char* next = set_logic(&stmt[0], 1);
    EXPECT_EQ(next, &stmt[10]);
    EXPECT_EQ(stmt[9], '\0');
    under_if("c1", "x = b;");
    set_logic_text("r := a;");
    EXPECT_EQ(chain("x"), (Pairs{{"(1'b1)", "(a&b)"}, {"((c1))", "b"}}));
    EXPECT_EQ(chain("r"), (Pairs{{"(1'b1)", "a"}}));
    std::string empty = " ;x = a;";
    EXPECT_EQ(set_logic(&empty[0], 1), &empty[2]);
    EXPECT_EQ(chain("x").size(), 2u);
}

TEST(SetLogic, StageActivityIsPutFirst) {
    module_body();
    under_if("c1", "_s_on = b;");
    under_if("c2", "_s_on = 0b1;");
    set_logic_text("_s_on = a;");
    EXPECT_EQ(chain("_s_on"),
              (Pairs{{"((c2))", "1'b1"}, {"((c1))", "b"}, {"(1'b1)", "a"}}));
    // Only the mark decides: an ordinary signal keeps statement order.
    set_logic_text("x = a;");
    set_logic_text("x = 0b1;");
    EXPECT_EQ(chain("x"), (Pairs{{"(1'b1)", "a"}, {"(1'b1)", "1'b1"}}));
}

TEST(SetLogic, OptimizeMergesEqualValues) {
    module_body();
    under_if("c1", "x = a;");
    under_if("c2", "x = a;");
    EXPECT_EQ(chain("x"), (Pairs{{"((c1))", "a"}, {"((c2))", "a"}}));

    module_body();
    g.O_flag = 1;
    under_if("c1", "x = a;");
    under_if("c1", "x = b;");
    under_if("c2", "x = a;");
    EXPECT_EQ(chain("x"), (Pairs{{"((c1))|((c2))", "a"}, {"((c1))", "b"}}));
    // The joined "((c1))" was shared by the pair of b, so new conditions of
    // its size leave it alone; an unshared first condition lends its bytes
    // to the next condition of its size once it is joined.
    under_if("c3", "y = a;");
    under_if("a", "y = b;");
    const char* first = first_pair(find_wire("y"))->cond.data();
    under_if("b", "y = a;");
    under_if("c4", "r := a;");
    EXPECT_EQ(chain("x"), (Pairs{{"((c1))|((c2))", "a"}, {"((c1))", "b"}}));
    EXPECT_EQ(chain("y"), (Pairs{{"((c3))|((b))", "a"}, {"((a))", "b"}}));
    EXPECT_EQ(chain("r"), (Pairs{{"((c4))", "a"}}));
    EXPECT_EQ(first_pair(find_wire("r"))->cond.data(), first);
    // Activity assignments are never merged.
    under_if("c1", "_s_on = 0b1;");
    under_if("c2", "_s_on = 0b1;");
    EXPECT_EQ(chain("_s_on"), (Pairs{{"((c2))", "1'b1"}, {"((c1))", "1'b1"}}));
}

TEST(SetLogic, MergedConditionsStopBelow4096) {
    module_body();
    g.O_flag = 1;
    int stored = 0;
    size_t longest = 0;
    Outcome r = capture([&] {
        for (int i = 0; i < 1000; ++i) {
            under_if("c1", "x = a;");
            ++stored;
            longest = first_pair(find_wire("x"))->cond.size();
        }
    });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "buffer over flow: " + std::to_string(kLine) + "\n");
    // "((c1))" and 584 times "|((c1))" make 4094 characters; one more
    // would make 4101.
    EXPECT_EQ(stored, 585);
    EXPECT_EQ(longest, 4094u);
}

TEST(SetLogic, RightHandSideLimit) {
    module_body();
    Outcome r = capture([] { set_logic_text("x = a" + std::string(4094, ' ') + ";"); });
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(chain("x"), (Pairs{{"(1'b1)", "a"}}));
    r = capture([] { set_logic_text("x = a" + std::string(4095, ' ') + ";"); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "buffer over flow: " + std::to_string(kLine) + "\n");
}

TEST(SetLogic, MadeStatementsReportTheWrongForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"a = b;", "a is input port\n"},
        {"x := a;", "x is not register. use \"=\" to assign.\n"},
        {"f := a;", "f is not register. use \"=\" to assign.\n"},
        {"r = a;", "r is register. use \":=\" to assign.\n"},
    };
    for (const auto& c : cases) {
        module_body();
        Outcome r = capture([&] { set_logic_text(c.first); });
        EXPECT_EQ(r.status, 1) << c.first;
        EXPECT_EQ(r.out, c.second) << c.first;
        EXPECT_EQ(r.err, syntax_error_report()) << c.first;
        EXPECT_EQ(find_wire(std::string(c.first, 1))->logic, nullptr);
    }
}

TEST(SetLogic, SourceStatementsFailSilently) {
    const char* cases[] = {"a = b;", "x := a;", "r = a;", "f = a;", "q = a;", "x<0> = a;",
                           "x = a", "f(a);"};
    for (const char* c : cases) {
        module_body();
        std::string text = c;
        Outcome r = capture([&] { set_logic(&text[0], 1); });
        EXPECT_EQ(r.status, 1) << c;
        EXPECT_EQ(r.out, "") << c;
        EXPECT_EQ(r.err, syntax_error_report()) << c;
    }
}

}  // namespace
