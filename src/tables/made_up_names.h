// The names the translator makes up: the nets of instance ports (_u_p),
// the task selects (_s_t), state constants (_s_x) and signals (_s_on,
// _s_on_reg, _s_state) of stages.  Two constructs can make up the same
// name in a valid design (an instance lcd with a port view_on, a stage
// lcd_view with its _lcd_view_on); the later one then gets the name with
// the first free suffix _1, _2, ... .  A made-up name that a declared name
// holds already is kept, and its declaration reports the duplicate.
// Which construct made up a name is marked in a byte of its record (a
// state constant is always made up, and never made twice), so that next
// to nothing is stored per name: a design has a made-up name for every
// port of every instance.
#ifndef SFLC_MADE_UP_NAMES_H
#define SFLC_MADE_UP_NAMES_H

#include <string>

struct list;
#include <string_view>

enum class MadeUp : char { kPortNet = 'p', kTask = 't', kState = 'x', kStageSignal = 's' };


// Makes up the name of a new construct: _A_B, or a free variant of it.
std::string make_up_name(MadeUp kind, std::string_view a, std::string_view b);
// The same for a construct that no source statement refers to by name:
// a free variant also when a declared name holds _A_B.
std::string make_up_private_name(MadeUp kind, std::string_view a, std::string_view b);
// The name made up for a construct (_A_B when none was).
std::string made_up_name(MadeUp kind, std::string_view a, std::string_view b);
// Marks the signal just declared with the name that make_up_name gave
// the construct (kind, a, b), and returns its record: `entered`, the
// last record of the wire list that its declaration was read into,
// unless another record took the name.
list* mark_made_up(list* entered, const std::string& name, MadeUp kind, std::string_view a, std::string_view b);

// `k` in hexadecimal, zero-padded to `digits` digits.
std::string hex_digits(long long k, int digits);
// The name of element `k` of `count` numbered names `base`: base_k in
// hexadecimal, zero-padded to the digits of the last index (ch_00 ...
// ch_17); the elements of arrays and the words of register files.
std::string element_name(const std::string& base, long long k, long long count);

#endif
