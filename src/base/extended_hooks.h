// The extended dialect as the base dialect's handlers reach it.
//
// `--extended` (and every SFL+ source) turns on the constructs of SFL
// written for other SFL tools.  Their statement handlers live in
// extended/, above every handler of the base dialect; a base handler
// reaches one through a hook of this interface, called at the one place
// where the base dialect would refuse the construct or read it otherwise.
// The driver installs the implementation in g.extended for a run that asks
// for the dialect: without it, extended() is null and the base handlers
// take their own path, whole.
//
// Smaller extensions inside the expression passes (constants, selects,
// operators) test extended_dialect() where they are read, once per
// construct: the option's flag itself is read only where the driver
// installs the dialect (use_extended_dialect).  Some extended paths are switched on by data: the
// tables of memories, arrays, block locals, inherited ports and initial
// values are empty unless an extended declaration filled them, and the
// code reading them says so.
#ifndef SFLC_EXTENDED_HOOKS_H
#define SFLC_EXTENDED_HOOKS_H

#include <functional>
#include <string>

#include "state.h"

class ExtendedHooks {
public:
    // ---- statements (the dispatcher)
    // "switch" "(" expr ")" at `p`: the header, whose '{' comes next;
    // null when no switch stands there.
    virtual char* switch_header(char* p) const = 0;
    // An alternative at `p` inside the switch body at the top of the
    // condition stack (case labels, default); null when the top level is
    // an alt or any block.
    virtual char* switch_alternative(char* p) const = 0;
    // A replication loop at `p` (par, any, alt or join, then '('), its
    // copies handed to `translate` as statement texts; null when none
    // stands there.
    virtual char* replication_loop(char* p, const std::function<void(char*)>& translate) const = 0;
    // Whether a statement that the dispatcher reads itself stands after
    // an alternative's colon, beyond the base dialect's (a plain block,
    // switch, instruct, a replication loop).
    virtual bool dispatched_after_colon(const char* p) const = 0;

    // ---- assignments (set_logic), at `p` after the first name `target`
    // of the statement starting at `start`: a memory word or an array
    // element written, x++ and the like, a register-file word written by
    // name, stage.task() started.  Returns the position after the
    // statement when one of them stands there; else null, with `p` and
    // `target` past an index of the name (`t[2]` names t_2).
    virtual char* assignment(char* start, char*& p, std::string& target, int check) const = 0;

    // ---- declarations
    // A module or circuit `name` opens: it takes the ports of the declare
    // of its name.
    virtual void module_opened(const std::string& name) const = 0;
    // After the name (and width) of a register or a memory, at the '=':
    // the initial value or the memory's contents, read into `value`;
    // returns the position of the ',' or ';' that follows.
    virtual char* declared_value(char* p, bool memory, std::string& value) const = 0;
    // The memory `mem` declared as `name` (which a block-local memory does
    // not keep in the output) with "[" depth "]" at `depth`.
    virtual void memory_declared(char* depth, const list* mem, const std::string& name) const = 0;
    // `rec` takes the value that declared_value read.
    virtual void value_declared(const list* rec, bool memory, const std::string& value) const = 0;

protected:
    ~ExtendedHooks() = default;
};

// The extended dialect of this run, null for the base dialect.
inline const ExtendedHooks* extended_dialect() { return g.extended; }

#endif
