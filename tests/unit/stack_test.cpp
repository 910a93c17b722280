// The condition stack: opening and closing levels, the conditions of
// alternatives and of else, and the nesting limit.
#include "stack.h"

#include <gtest/gtest.h>

#include <string>

#include "cond_support.h"
#include "set_logic.h"

using namespace cond_test;

namespace {

// Opens an else level as the dispatcher does after `else`.
void open_else() {
    const std::string* negation = prepare_else();
    std::string cond = negation ? *negation : g.ifelse_logic;
    stack_push(nullptr, K_ELSE);
    stack_push(&cond, K_ELSE);
}

TEST(ConditionStack, PushOpensAndFillsLevels) {
    fresh();
    EXPECT_EQ(g.sp, -1);
    open_level(K_PAR);
    EXPECT_EQ(g.sp, 0);
    EXPECT_EQ(g.stack[0].kind, K_PAR);
    EXPECT_EQ(g.stack[0].cond, "");
    open_level(K_IF, "c");
    EXPECT_EQ(g.sp, 1);
    EXPECT_EQ(g.stack[1].kind, K_IF);
    EXPECT_EQ(g.stack[1].cond, "c");
    EXPECT_EQ(g.stack[1].else_cond, "");
}

TEST(ConditionStack, PoppingAnIfLeavesItsNegation) {
    fresh();
    open_level(K_IF, "(a==b)");
    stack_pop_check();
    EXPECT_EQ(g.sp, -1);
    EXPECT_EQ(g.ifelse_logic, "~((a==b))");
    EXPECT_EQ(g.stack[0].cond, "");
    EXPECT_EQ(g.stack[0].kind, -1);
}

TEST(ConditionStack, SingleStatementLevelsCollapseTogether) {
    fresh();
    open_level(K_PAR);
    open_level(K_STATE, "s");
    open_level(K_IF, "c");
    open_level(K_ELSE, "~(d)");
    open_level(K_INSTRUCT, "go");
    stack_pop_check();
    EXPECT_EQ(g.sp, 0);
    EXPECT_EQ(g.stack[0].kind, K_PAR);
    EXPECT_EQ(g.ifelse_logic, "~(c)");

    // A block level stops the cascade; its own pop lets a waiting state go.
    open_level(K_STATE, "s");
    open_level(K_PAR);
    stack_pop_check();
    EXPECT_EQ(g.sp, 2);
    stack_pop();
    EXPECT_EQ(g.sp, 0);
    stack_pop();
    EXPECT_EQ(g.sp, -1);
    stack_pop_check();  // nothing to do on an empty stack
    EXPECT_EQ(g.sp, -1);
}

TEST(ConditionStack, MisuseIsASyntaxError) {
    fresh();
    std::string text = "c";
    Outcome r = capture([&] { stack_push(&text, K_IF); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, syntax_error_report());
    fresh();
    r = capture([] { stack_pop(); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, syntax_error_report());
}

struct Step {
    const char* alternative;
    const char* cond;
    const char* else_cond;
};

void check_alternatives(int kind, const Step* steps, int n) {
    fresh();
    open_level(kind);
    for (int i = 0; i < n; ++i) {
        std::string text = steps[i].alternative;
        stack_push(&text, kind);
        EXPECT_EQ(g.sp, 0);
        EXPECT_EQ(g.stack[0].kind, kind);
        EXPECT_EQ(g.stack[0].cond, steps[i].cond) << "alternative " << i;
        EXPECT_EQ(g.stack[0].else_cond, steps[i].else_cond) << "alternative " << i;
    }
}

TEST(ConditionStack, AlternativesExcludeTheEarlierOnes) {
    const Step alt[] = {
        {"c1", "c1", ""},
        {"c2", "c2", "~(c1)"},
        {"c3", "c3", "~(c1)&~(c2)"},
        {"else", "(~(c1)&~(c2))&~(c3)", ""},
    };
    check_alternatives(K_ALT, alt, 4);
    check_alternatives(K_ANY, alt, 4);

    const Step two[] = {{"(a&b)", "(a&b)", ""}, {"else", "~((a&b))", ""}};
    check_alternatives(K_ALT, two, 2);

    // An else that comes first holds always.
    const Step first[] = {{"else", "1'b1", ""}, {"b", "b", "~(1'b1)"}};
    check_alternatives(K_ANY, first, 2);
    check_alternatives(K_ALT, first, 2);
}

TEST(ConditionStack, AlternativeFactorsInTheCondition) {
    fresh();
    open_level(K_ALT, "a");
    EXPECT_EQ(build_condition(), "(((a)))");
    std::string text = "b";
    stack_push(&text, K_ALT);
    EXPECT_EQ(build_condition(), "(((~(a))&(b)))");
    stack_pop();
    open_level(K_ANY, "a");
    text = "b";
    stack_push(&text, K_ANY);
    EXPECT_EQ(build_condition(), "((b))");
}

TEST(ConditionStack, ElseStandsUnderTheLevelsItsIfStoodUnder) {
    // instruct go if (c) x = a; else y = b;
    fresh();
    open_level(K_INSTRUCT, "go");
    open_level(K_IF, "c");
    EXPECT_EQ(build_condition(), "((go)&(c))");
    stack_pop_check();
    EXPECT_EQ(g.sp, -1);
    open_else();
    EXPECT_EQ(g.sp, 1);
    EXPECT_EQ(g.stack[0].kind, K_INSTRUCT);
    EXPECT_EQ(build_condition(), "((go)&(~(c)))");
    stack_pop_check();
    EXPECT_EQ(g.sp, -1);

    // if (c) if (d) x = a; else y = b; else z = e;
    fresh();
    open_level(K_IF, "c");
    open_level(K_IF, "d");
    stack_pop_check();
    EXPECT_EQ(g.sp, -1);
    open_else();
    EXPECT_EQ(build_condition(), "((c)&(~(d)))");
    stack_pop_check();
    open_else();
    EXPECT_EQ(g.sp, 0);
    EXPECT_EQ(build_condition(), "((~(c)))");
    stack_pop_check();
    EXPECT_EQ(g.sp, -1);

    // if (a) x = 1; else if (b) x = 2; else if (c) x = 3; else x = 4;
    fresh();
    open_level(K_IF, "a");
    stack_pop_check();
    open_else();
    open_level(K_IF, "b");
    EXPECT_EQ(build_condition(), "((~(a))&(b))");
    stack_pop_check();
    open_else();
    open_level(K_IF, "c");
    EXPECT_EQ(build_condition(), "((~(a))&(~(b))&(c))");
    stack_pop_check();
    open_else();
    EXPECT_EQ(build_condition(), "((~(a))&(~(b))&(~(c)))");
    stack_pop_check();
    EXPECT_EQ(g.sp, -1);
}

TEST(ConditionStack, ElseAfterABlockOrALaterStatement) {
    // if (c) par { ... } else ...: the if closes at the brace.
    fresh();
    open_level(K_INSTRUCT, "go");
    open_level(K_IF, "c");
    open_level(K_PAR);
    stack_pop();
    EXPECT_EQ(g.sp, -1);
    open_else();
    EXPECT_EQ(build_condition(), "((go)&(~(c)))");

    // Inside a block the if alone closes; nothing is reopened.
    fresh();
    open_level(K_PAR);
    open_level(K_IF, "c");
    stack_pop_check();
    EXPECT_EQ(g.sp, 0);
    open_else();
    EXPECT_EQ(g.sp, 1);
    EXPECT_EQ(build_condition(), "((~(c)))");

    // A statement end that closes no if leaves nothing to reopen.
    fresh();
    open_level(K_INSTRUCT, "go");
    open_level(K_IF, "c");
    stack_pop_check();
    open_level(K_INSTRUCT, "h");
    stack_pop_check();
    EXPECT_EQ(prepare_else(), nullptr);
    EXPECT_EQ(g.sp, -1);
}

TEST(ConditionStack, HundredLevelsAndNoMore) {
    fresh();
    for (int i = 0; i < 100; ++i) open_level(K_IF, "a");
    EXPECT_EQ(g.sp, 99);
    Outcome r = capture([] { stack_push(nullptr, K_IF); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kSource + ": " + std::to_string(kLine) + ": blocks nested deeper than 100 levels\n" +
                         syntax_error_report());
    EXPECT_EQ(g.sp, 99);
}

}  // namespace
