// Set-up for the condition and assignment tests: opening stack levels.
#ifndef SFLC_TEST_COND_SUPPORT_H
#define SFLC_TEST_COND_SUPPORT_H

#include "stack.h"
#include "test_support.h"

namespace cond_test {

using namespace sflc_test;

inline void add_signals(const std::string& decl, int type, char mark = 'x') {
    declare_signals(decl, type, mark);
}

// Opens a level of the condition stack and, unless `cond` is empty, sets
// its condition, as the block handlers do.
inline void open_level(int kind, const std::string& cond = "") {
    stack_push(nullptr, kind);
    if (!cond.empty()) {
        std::string text = cond;
        stack_push(&text, kind);
    }
}

}  // namespace cond_test

#endif
