// Making signals: every signal of a module, declared in the source or made
// up by the translator (the clock and reset, instance port nets, stage
// signals, -O nets, memory address nets), and every port of a declare
// block, is entered by enter_signal: its name, type, width and marker go
// into its record, and the record into the table that finds it.
#ifndef SFLC_SIGNALS_H
#define SFLC_SIGNALS_H

#include <string>
#include <string_view>

#include "state.h"

// Where a signal's name is entered besides its list: the wire index,
// nowhere (found by find_wire without it: a -O net by its number, a port
// net through its instance), or the innermost open block.
enum class Entry { kIndexed, kDerived, kLocal };

// What a declaration says of one name.
struct SignalDecl {
    std::string_view name;
    int type;
    char mark;
    int width;
    Entry entry = Entry::kIndexed;
    // An element of an array being declared (which takes the place of
    // neither an array element nor an inherited port of its name), or a
    // memory (which takes the place of no array element).
    bool element = false;
    bool memory = false;
};

// Appends a fresh record at the tail of wire_list and returns it (a -O
// net when `net`).
list* append_wire_record(bool net = false);
// Appends the argument `arg` to the instruction `rec` (a declared port when
// `run_long`).
void append_instr_arg(const list* rec, list* arg, bool run_long);

// Refuses a register or a memory in a combinational module.
void check_allowed_here(int type);
// The checks of the name of a signal being declared.  A name that a
// visible signal has already is a name duplication, except where the
// extended dialect's tables let a declaration take a name over (they are
// empty without it).  Returns null for a name to be entered into a fresh
// record; else the record that the declaration takes over: an array
// element of the name, which takes the declaration in place (`replaced`
// is set, and no fresh record is needed), or a port that the module took
// from its declare, which enter_signal moves to the fresh record's place.
list* claim_signal_name(const SignalDecl& d, bool& replaced);
// Enters the signal `d` into `fresh`, a record made ahead at the end of
// the wire list (or of the ports of the declare being read), or moves the
// port `claimed` there; returns the record that holds the signal.
list* enter_signal(list* fresh, list* claimed, const SignalDecl& d);
// Both steps for one name, `fresh` made ahead at the end of the wire
// list: when an array element takes the declaration, `fresh` leaves the
// list unused.  Returns the record that holds the signal.
list* make_signal(list* fresh, const SignalDecl& d);
// The same for a signal that the translator makes up, in a record of its
// own at the end of the wire list (a -O net when `net`).
list* make_signal(std::string_view name, int type, int width, char mark, Entry entry = Entry::kIndexed,
                  bool net = false);

// The extended dialect's ports taken from the declare of the module's
// name: whether `rec` is one the body has not declared again, and, before
// an instr_arg of the body gives `rec` arguments, dropping those it took
// with it.
bool is_inherited_port(const list* rec);
void drop_inherited_args(const list* rec);

#endif
