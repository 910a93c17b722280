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
#include "explain.h"
#include "set_logic.h"
#include "made_up_names.h"
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
    if (*q != ']') syntax_error(q, "expected ']' after the index, found " + found_at(q));
    inside.assign(p + 1, q);
    return q;
}

std::string computed_index(std::string_view owner, long long count, std::string index, const std::string& what,
                           int& width) {
    width = convert_logic(index, 1);
    // (The SFL name: a block-local one's Verilog name holds a '$'.)
    auto name = [owner] { return std::string(owner.substr(0, owner.find('$'))); };
    if (width < 1) syntax_error(at_word(name(), "the index of '" + name() + "' has no width"));
    if (width < 62 && (1LL << width) < count)
        warning(what, at_word(name(), "the index of '" + name() + "' is " + std::to_string(width) +
                                          " bits wide: it reaches " + std::to_string(1LL << width) + " of its " +
                                          std::to_string(count) + " words"));
    if (plain_name(index)) return index;
    auto known = g.memory_address_nets.find(index);
    if (known != g.memory_address_nets.end()) return known->second;
    // Named for the owner's SFL name (a block-local one's Verilog name
    // holds a '$').
    std::string_view base = owner.substr(0, owner.find('$'));
    std::string number = "address" + std::to_string(g.memory_address_nets.size());
    list* net = declare_made_up(MadeUp::kAddress, base, number, T_SEL, width, 'x');
    drive_always(net, index);
    return g.memory_address_nets.emplace(index, net->name.str()).first->second;
}

// The Verilog index of a word of `mem` at the SFL address `address`.
std::string memory_address(const list* mem, const std::string& address) {
    long long depth = g.memory_depths.at(mem);
    const char* end = address.c_str();
    long long word;
    if (read_constant_arithmetic(end, word) && *skip_space_only(end) == '\0') {
        if (word < 0 || word >= depth)
            syntax_error(at_word(mem->name.str(), "word " + std::to_string(word) + " is outside '" + mem->name.str() +
                                                      "', which has " + std::to_string(depth) + " words"));
        return std::to_string(word);
    }
    int width;
    return computed_index(mem->name, depth, address, "\"memory address\"", width);
}

const char* memory_word(const char* p, const list* mem, std::string& token) {
    if (*p != '[')  // a memory is read one word at a time
        syntax_error(at_word(mem->name.str(), "'" + mem->name.str() + "' is a memory: expected '[' and the address of "
                                                                       "the word to read"));
    std::string address;
    const char* close = bracketed(p, address);
    token = mem->name.str() + "[" + memory_address(mem, address) + "]";
    return skip_space_only(close + 1);
}
