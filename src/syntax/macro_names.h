// Which macro a name of an expression stands for.
#ifndef SFLC_MACRO_NAMES_H
#define SFLC_MACRO_NAMES_H

#include <string_view>

#include "scan.h"

// The macro that the name `name` of an expression stands for, or null.
// The translation gives every name of a macro its back-quote, so the
// output refers to the macro also where a signal has its name (sel_v
// ID_FUNCT; and %d ID_FUNCT FUNCT): the macro is meant, unless the signal
// is block-local with a made-up Verilog name, or the macro's value is a
// bare number, which has no width to take.  A state constant of the name
// comes before a macro, and a signal of a block that ended does not hide
// one.
list* find_macro(std::string_view name);
// The mark of a macro whose `define text is a signal's name (or names a
// macro of one): the text can take a select.
const char kNamesSignal = 'n';
// Whether `name` is no macro, or one whose `define text can take a select.
bool selectable_macro(std::string_view name);

#endif
