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
#include "processes.h"
#include "search_list.h"
#include "set_logic.h"
#include "statement_ends.h"

namespace {

// The text between the '[' at `p` and its ']'; returns the position of the ']'.
const char* bracketed(const char* p, std::string& inside) {
    const char* q = find_end(p + 1, "];", '[');
    if (*q != ']') syntax_error();
    inside.assign(p + 1, q);
    return q;
}

bool plain_name(const std::string& s) {
    if (s.empty() || !is_ident_start(s[0])) return false;
    for (char c : s)
        if (!is_ident_char(c)) return false;
    return true;
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
    std::string decl = "sel " + name + (width > 1 ? "<" + std::to_string(width) + ">" : "") + ";";
    list* net = append_wire_record();
    insert_list(&decl[0], net, T_SEL, 'x');
    logic* pair = new_logic();
    pair->cond = condition_text("(1'b1)");
    pair->value = store_text(address);
    append_pair(net, pair);
    g.memory_address_nets.emplace(address, name);
    return name;
}

// The rest of a word written, ":=" value ";" at `p`, to the word of `mem`
// at the SFL address `address`.
char* write_memory_word(char* p, const list* mem, const std::string& address) {
    if (p[0] != ':' || p[1] != '=') syntax_error();
    p = skip_ws(p + 2);
    char* semi = find_end(p, ";");
    if (!*semi) syntax_error();
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
        warning("=, left = " + std::to_string(mem->width) + ", right = " + std::to_string(width));
    MemoryWrite w;
    w.cond = condition_text(build_condition());
    w.address = store_text(index);
    w.value = store_text(value);
    g.memory_writes[mem].push_back(w);
    return semi + 1;
}

}  // namespace

const list* memory_named(const std::string& name) {
    // Every memory has its depth from its declaration on.
    if (g.memory_depths.empty()) return nullptr;
    const list* rec = find_wire(name);
    return rec && is_memory_type(rec->type) ? rec : nullptr;
}

const list* register_file_word(const std::string& name, long long* word) {
    if (g.memory_depths.empty()) return nullptr;
    size_t cut = name.rfind('_');
    if (cut == std::string::npos || cut == 0) return nullptr;
    std::string digits = name.substr(cut + 1);
    if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdef") != std::string::npos)
        return nullptr;
    std::string base = name.substr(0, cut);
    const list* rec = find_wire(base);
    if (!rec || rec->type != T_REGFILE) return nullptr;
    long long k = std::stoll(digits, nullptr, 16), depth = g.memory_depths.at(rec);
    if (k >= depth || element_name(base, k, depth) != name) return nullptr;
    if (word) *word = k;
    return rec;
}

char* read_memory_depth(char* p, const list* mem, const std::string& name) {
    if (*p != '[') syntax_error();
    std::string inside;
    const char* close = bracketed(p, inside);
    long long depth;
    // The words of a register file have names, as the elements of an array.
    long long most = mem->type == T_REGFILE ? 0x10000 : 0x7fffffff;
    if (!constant_value(inside, depth) || depth < 1 || depth > most) syntax_error();
    g.memory_depths[mem] = depth;
    if (mem->type == T_REGFILE)
        for (long long k = 0; k < depth; ++k)
            if (find_wire(element_name(name, k, depth))) name_duplication();
    return skip_ws(const_cast<char*>(close) + 1);
}

const char* memory_word(const char* p, const list* mem, std::string& token) {
    if (*p != '[') syntax_error();  // a memory is read one word at a time
    std::string address;
    const char* close = bracketed(p, address);
    token = mem->name.str() + "[" + memory_address(mem, address) + "]";
    return skip_space_only(close + 1);
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

void print_memory(FILE* out, const list* mem) {
    auto writes = g.memory_writes.find(mem);
    if (writes == g.memory_writes.end()) return;
    fprintf(out, "\n   always @(%s m_clock) begin\n", mem->edge ? "negedge" : "posedge");
    bool first = true;
    for (const MemoryWrite& w : writes->second) {
        std::string_view c = w.cond;
        if (c == "(1'b1)" || c == "((1'b1))")
            fprintf(out, "      %s%s[%s] <= %s;\n", first ? "" : "else ", mem->name.c_str(), w.address.c_str(),
                    w.value.c_str());
        else
            fprintf(out, "      %sif (%s) %s[%s] <= %s;\n", first ? "" : "else ", w.cond.c_str(), mem->name.c_str(),
                    w.address.c_str(), w.value.c_str());
        first = false;
        if (c == "(1'b1)" || c == "((1'b1))") break;  // later writes never take place
    }
    fputs("   end\n", out);
}
