// Shared set-up of the unit tests: a known source and output name, a
// declaration helper, and a way to run a call that may end the run.
#ifndef SFLC_TEST_SUPPORT_H
#define SFLC_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core.h"
#include "error.h"
#include "insert_list.h"
#include "search_list.h"

namespace sflc_test {

// The file named in messages, and an output name that no test creates.
inline const std::string kSource = "t.sfl";
inline const std::string kOutput = "/nonexistent-sflc-test-dir/t.v";
const int kLine = 7;

inline void fresh() {
    reset_state();
    g.read_filename = kSource;
    g.write_filename = kOutput;
    g.count = kLine;
}

inline std::string syntax_error_report() {
    return kSource + ": " + std::to_string(kLine) + ": syntax error\n";
}

inline void declare_signals(const std::string& decl, int type, char mark = 'x') {
    std::string text = decl;
    insert_list(&text[0], append_wire_record(), type, mark);
}

struct Outcome {
    int status = -1;  // -1: the call returned
    std::string out, err;
};

template <class F>
Outcome capture(F&& f) {
    Outcome r;
    fflush(stdout);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    try {
        f();
    } catch (const FatalExit& e) {
        r.status = e.status;
    }
    fflush(stdout);
    fflush(stderr);
    r.out = testing::internal::GetCapturedStdout();
    r.err = testing::internal::GetCapturedStderr();
    return r;
}

}  // namespace sflc_test

#endif
