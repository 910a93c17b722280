// Memories (--extended): `mem cells[256]<8>;` declares 256 words of 8
// bits, `cells[a] := d;` writes a word at the clock edge under the open
// conditions, `cells[a]` in an expression reads one.  The Verilog is an
// array, `reg [7:0] cells [0:255];`, written in an always block without
// reset, the writes in source order with the first that holds winning.
// An address that is not a plain signal name is computed in a wire of its
// own width, so that it wraps as SFL arithmetic does (a simulator would
// evaluate an index expression wider than its operands); a decimal
// address (constant arithmetic, `cells[i]` in a loop) is the word itself.
// A register file, `regfile f[8]<8>;`, is such a memory whose words are
// also named as the elements of an array, f_0 ... f_7, read by name and
// written by name (`f_2 := d;`, one more write of the memory in source
// order).
#include <string>

#include "arrays.h"
#include "constant_arithmetic.h"
#include "constants.h"
#include "convert_logic.h"
#include "error.h"
#include "insert_list.h"
#include "made_up_names.h"
#include "memory_words.h"
#include "processes_increment.h"
#include "processes_memory.h"
#include "explain.h"
#include "name_suggestions.h"
#include "search_list.h"
#include "set_logic.h"
#include "statement_ends.h"

namespace {

// The rest of a word written, ":=" value ";" at `p`, to the word of `mem`
// at the SFL address `address`.
char* write_memory_word(char* p, const list* mem, const std::string& address) {
    if (p[0] != ':' || p[1] != '=')
        syntax_error(p, "a word of '" + mem->name.str() + "' is written with ':=', found " + found_at(p));
    p = skip_ws(p + 2);
    char* semi = find_end(p, ";");
    if (!*semi) syntax_error(p, "expected ';' after the value");
    std::string value(p, semi);
    count_newlines(p, semi);
    std::string index;
    {
        LineCountingOff off;
        index = memory_address(mem, address);
    }
    prepare_value(value);
    int width;
    {
        // A decimal constant that is the whole value takes the word's width.
        AssignmentWidth context(mem->width);
        width = convert_logic(value, 1);
    }
    if (width != mem->width)
        warning("=, left = " + std::to_string(mem->width) + ", right = " + std::to_string(width),
                assignment_widths(mem->name.str(), mem->width, width));
    MemoryWrite w;
    w.cond = condition_text(build_condition());
    w.address = store_text(index);
    w.value = store_text(value);
    w.place = g.places.current();
    g.memory_writes[mem].push_back(w);
    return semi + 1;
}

}  // namespace

char* read_memory_depth(char* p, const list* mem, const std::string& name) {
    if (*p != '[') syntax_error(p, "expected '[' and the number of words of '" + name + "', found " + found_at(p));
    std::string inside;
    const char* close = bracketed(p, inside);
    long long depth;
    // The words of a register file have names, as the elements of an array.
    long long most = mem->type == T_REGFILE ? 0x10000 : 0x7fffffff;
    if (!constant_value(inside, depth) || depth < 1 || depth > most)
        syntax_error(p + 1, "expected the number of words, a constant from 1 to " + std::to_string(most) + ", between '[' and ']'");
    g.memory_depths[mem] = depth;
    if (mem->type == T_REGFILE)
        for (long long k = 0; k < depth; ++k)
            if (const list* word = find_wire(element_name(name, k, depth))) {
                std::string n = word->name.str();
                Mistake m = at_word(name, "word " + std::to_string(k) + " of register file '" + name + "' is named '" +
                                              n + "', a name declared before");
                m.notes = declared_here(word, n);
                name_duplication(m);
            }
    return skip_ws(const_cast<char*>(close) + 1);
}

// mem "[" address "]" ":=" expr ";"  |  mem "[" address "]" ("++" | "+=" expr ...) ";"
char* process_memory_write(char* p, const list* mem, const std::string& name) {
    debug_message("memory write");
    std::string address;
    char* close = const_cast<char*>(bracketed(p, address));
    count_newlines(p, close);
    p = skip_ws(close + 1);
    // cells[a]++, cells[a] += e, ...: the word's own value combined with another.
    if (is_compound_transfer(p)) return process_compound_transfer(p, name + "[" + address + "]");
    return write_memory_word(p, mem, address);
}

// regfile_word ":=" expr ";"
char* process_register_file_write(char* p, const list* regfile, long long word) {
    debug_message("register file write");
    return write_memory_word(p, regfile, std::to_string(word));
}

