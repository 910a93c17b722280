// The names the translator makes up, all made here: the nets of instance
// ports (_u_p), the task selects (_s_t), state constants (_s_x) and
// signals (_s_on, _s_on_reg, _s_state) of stages, the wires of computed
// memory addresses and array indices (_m_address0), the nets of array
// elements read by a value (_f_read0), the named blocks of memory
// contents (_m_contents), the -O nets (_net_0), and the Verilog names of
// block-local signals that repeat a name (t$1) and of macros defined
// again inside a body (K$1).  Two constructs can make
// up the same name in a valid design (an instance lcd with a port
// view_on, a stage lcd_view with its _lcd_view_on); the later one then
// gets the name with the first free suffix _1, _2, ... .  A made-up name
// that a declared name holds already is kept, and its declaration reports
// the duplicate.  Which construct made up a name is marked in a byte of
// its record (a state constant is always made up, and never made twice),
// so that next to nothing is stored per name: a design has a made-up name
// for every port of every instance.
#ifndef SFLC_MADE_UP_NAMES_H
#define SFLC_MADE_UP_NAMES_H

#include <string>

struct list;
#include <string_view>

// The constructs that make up names _A_B.  An address wire or an element
// net is made once for its number B, never again.
enum class MadeUp : char {
    kPortNet = 'p',
    kTask = 't',
    kState = 'x',
    kStageSignal = 's',
    kAddress = 'a',
    kElementRead = 'r'
};


// Makes up the name of a new construct: _A_B, or a free variant of it.
std::string make_up_name(MadeUp kind, std::string_view a, std::string_view b);
// The same for a construct that no source statement refers to by name:
// a free variant also when a declared name holds _A_B.
std::string make_up_private_name(MadeUp kind, std::string_view a, std::string_view b);
// The name made up for a construct (_A_B when none was).
std::string made_up_name(MadeUp kind, std::string_view a, std::string_view b);
// Makes up the name of the construct (kind, a, b) (a private name when
// `private_name`) and declares it as a signal of that type, width and
// marker; returns its record.
list* declare_made_up(MadeUp kind, std::string_view a, std::string_view b, int type, int width, char mark,
                      bool private_name = false);
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
// The Verilog name of a block-local signal declared as `name` when a
// signal of another block kept that name: name$1, name$2, ..., the first
// that no signal holds (no SFL name holds a '$').
std::string make_up_local_name(std::string_view name);
// The name of a block of the module's scope named for (a, b), made when
// the module is printed: _A_B, or the first of _A_B_1, _A_B_2, ... that
// no signal, instance or state constant holds.
std::string make_up_block_name(std::string_view a, std::string_view b);
// The name of the N-th -O net, _net_N (no other construct makes up a name
// whose last part is a number).
std::string made_up_net_name(int n);
// The Verilog name of the N-th definition of the macro `name` made again
// inside a body (macro_versions.h): name$N.
std::string make_up_macro_name(std::string_view name, int n);

#endif
