// Replication loops (--extended): `par (i=0; i<8; i++) { ... }`, and the
// same with any, alt and join, repeat their block once for each value of
// the loop variable, which stands in the copies as a decimal constant.
//   par: the copies are the statements of one par block;
//   any, alt: the copies are the alternatives of one block, in loop order;
//     an `else : stmt;` written last in the body stands once, after them;
//   join: the body is one assignment `s = s OP x;` and the copies chain
//     through s: `s = x0 OP x1 OP ... ;`.
#ifndef SFLC_REPLICATION_LOOPS_H
#define SFLC_REPLICATION_LOOPS_H

#include <functional>

#include "scan.h"

// Whether a replication loop starts at `p`: par, any, alt or join, then '('.
bool replication_loop_at(const char* p);
// Translates the loop at `p` by handing `translate` the texts it stands
// for, statement texts that the dispatcher reads where the loop stands;
// returns the position after the loop's closing '}'.
char* process_replication_loop(char* p, const std::function<void(char*)>& translate);

#endif
