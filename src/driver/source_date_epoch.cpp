#include "source_date_epoch.h"

#include <cstdio>
#include <cstdlib>

#include "error.h"
#include "state.h"

namespace {

// 9999-12-31 23:59:59 UTC.
constexpr long long kLastSecond = 253402300799LL;

}  // namespace

void read_source_date_epoch() {
    const char* v = getenv("SOURCE_DATE_EPOCH");
    if (!v) return;
    long long seconds = 0;
    bool valid = *v != '\0';
    for (const char* c = v; valid && *c; ++c) {
        valid = *c >= '0' && *c <= '9' && seconds <= (kLastSecond - (*c - '0')) / 10;
        seconds = seconds * 10 + (*c - '0');
    }
    if (!valid) {
        fprintf(stderr, "%s: SOURCE_DATE_EPOCH must be a decimal number of seconds from 0 to %lld, not \"%s\"\n",
                g.program_name.c_str(), kLastSecond, v);
        fatal_exit(1);
    }
    g.source_date = seconds;
}
