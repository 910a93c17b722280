// Increment, decrement and compound transfers (--extended), each a
// transfer to a register, or a word of a memory or register file, of its
// own value combined with another:
//   x++;  x--;           x := x + 1;  x := x - 1;  (at x's width)
//   x += e;  x -= e;     x := x + (e);  x := x - (e);
//   x &= e;  x |= e;     x := x & (e);  x := x | (e);
#include <cstring>
#include <string>

#include "array_index.h"
#include "error.h"
#include "explain.h"
#include "processes_increment.h"
#include "processes_memory.h"
#include "search_list.h"
#include "set_logic.h"
#include "statement_ends.h"

bool is_compound_transfer(const char* p) {
    static const char* const kOperators[] = {"++", "--", "+=", "-=", "&=", "|="};
    for (const char* op : kOperators)
        if (p[0] == op[0] && p[1] == op[1]) return true;
    return false;
}

// target op ";" | target op expr ";"  with `p` at the operator.
char* process_compound_transfer(char* p, const std::string& target) {
    debug_message("compound transfer");
    char op = p[0];
    bool step = p[1] == op;
    p += 2;
    std::string operand;
    if (step) {
        char* after = p;
        p = skip_ws(p);
        if (*p != ';') syntax_error(after, std::string("expected ';' after '") + op + op + "'");
        // The constant 1 at the target's width (a register, a memory word
        // cells[a], a register file word f_2 or an array element f[i]); an
        // unknown target or one that is not a register is refused by the
        // transfer below.
        std::string base = target.substr(0, target.find('['));
        const list* rec = find_wire(base);
        if (!rec) rec = register_file_word(target);
        if (!rec) rec = first_array_element(base);
        int width = rec && rec->width > 0 ? rec->width : 1;
        check_text_size(static_cast<size_t>(width) + 2);
        operand = "0b" + std::string(width - 1, '0') + "1";
    } else {
        char* semi = find_end(p, ";");
        if (!*semi) syntax_error(p, "expected ';' after the value");
        operand = "(" + std::string(p, semi) + ")";
        count_newlines(p, semi);
        p = semi;
    }
    std::string statement = target + " := " + target + " " + op + " " + operand + ";";
    {
        LineCountingOff off;
        set_logic(&statement[0], 1);
    }
    return p + 1;
}
