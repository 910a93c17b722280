// Memory words in expressions (the extended dialect's memories and register
// files): a word read, `cells[a]`, and the Verilog index of a word at an
// SFL address, for reads and writes alike.  An address that is not a
// plain signal name is computed in a wire of its own width, so that it
// wraps as SFL arithmetic does (a simulator would evaluate an index
// expression wider than its operands); a decimal address (constant
// arithmetic, `cells[i]` in a loop) is the word itself.
#include "memory_words.h"

#include "constant_arithmetic.h"
#include "convert_logic.h"
#include "error.h"
#include "set_logic.h"
#include "signals.h"
#include "statement_ends.h"

namespace {

bool plain_name(const std::string& s) {
    if (s.empty() || !is_ident_start(s[0])) return false;
    for (char c : s)
        if (!is_ident_char(c)) return false;
    return true;
}

}  // namespace

// The text between the '[' at `p` and its ']'; returns the position of the ']'.
const char* bracketed(const char* p, std::string& inside) {
    const char* q = find_end(p + 1, "];", '[');
    if (*q != ']') syntax_error();
    inside.assign(p + 1, q);
    return q;
}

// The Verilog index of a word of `mem` at the SFL address `address`.
std::string memory_address(const list* mem, std::string address) {
    long long depth = g.memory_depths.at(mem);
    const char* end = address.c_str();
    long long word;
    if (read_constant_arithmetic(end, word) && *skip_space_only(end) == '\0') {
        if (word < 0 || word >= depth) syntax_error();
        return std::to_string(word);
    }
    int width = convert_logic(address, 1);
    if (width < 1) syntax_error();
    if (width < 62 && (1LL << width) < depth) warning("\"memory address\"");
    if (plain_name(address)) return address;
    auto known = g.memory_address_nets.find(address);
    if (known != g.memory_address_nets.end()) return known->second;
    std::string name = "_" + mem->name.str() + "_address" + std::to_string(g.memory_address_nets.size());
    drive_always(make_signal(name, T_SEL, width, 'x'), address);
    g.memory_address_nets.emplace(address, name);
    return name;
}

const char* memory_word(const char* p, const list* mem, std::string& token) {
    if (*p != '[') syntax_error();  // a memory is read one word at a time
    std::string address;
    const char* close = bracketed(p, address);
    token = mem->name.str() + "[" + memory_address(mem, address) + "]";
    return skip_space_only(close + 1);
}
