#include "replication_loops.h"

#include <cstring>
#include <string>
#include <vector>

#include "constants.h"
#include "error.h"
#include "explain.h"
#include "parser.h"
#include "processes.h"
#include "statement_ends.h"

namespace {

const char* const kLoopKeywords[] = {"par", "any", "alt", "join"};

// The keyword of the loop at `p`, or null.
const char* loop_keyword(const char* p) {
    for (const char* k : kLoopKeywords) {
        size_t n = strlen(k);
        if (strncmp(p, k, n) == 0 && *skip_space_only(p + n) == '(' && (is_space(p[n]) || p[n] == '('))
            return k;
    }
    return nullptr;
}

// The '}' that closes the '{' at `open`; a syntax error when there is none.
char* closing_brace(char* open) {
    char* close = find_end(open + 1, "}", '{');
    if (!*close) syntax_error(open, "the '{' of the loop's body is not closed");
    return close;
}

// The loop header: "(" var "=" first ";" var ("<" | "<=") bound ";" var "++" ")".
struct Header {
    std::string var;
    long long first = 0, last = -1;
};

// Reads the text up to the ';' (not inside parentheses) as a constant.
char* read_bound(char* p, long long& value) {
    char* q = find_end(p, ";", '(');
    if (*q != ';') syntax_error(q, "expected ';' after the loop's bound, found " + found_at(q));
    if (!constant_value(std::string(p, q), value)) syntax_error(skip_ws(p), "the loop's bound is no constant");
    return q + 1;
}

// Reads the loop variable at `p`, which must be `var` when that is not empty.
char* read_variable(char* p, std::string& var) {
    std::string name;
    p = skip_ws(read_identifier(skip_ws(p), name));
    if (!var.empty() && name != var)
        syntax_error(at_word(name, "the loop counts '" + var + "', not '" + name + "'"));
    var = name;
    return p;
}

char* read_header(char* p, Header& h) {
    p = read_variable(p + 1, h.var);
    if (*p != '=') syntax_error(p, "expected '=' and the first value of '" + h.var + "', found " + found_at(p));
    p = read_bound(p + 1, h.first);
    p = read_variable(p, h.var);
    bool inclusive = p[0] == '<' && p[1] == '=';
    if (*p != '<') syntax_error(p, "expected '<' or '<=' and the bound of '" + h.var + "', found " + found_at(p));
    long long bound;
    p = read_bound(p + (inclusive ? 2 : 1), bound);
    h.last = inclusive ? bound : bound - 1;
    p = read_variable(p, h.var);
    if (p[0] != '+' || p[1] != '+') syntax_error(p, "expected '" + h.var + "++' at the end of the loop's header");
    p = skip_ws(p + 2);
    if (*p != ')') syntax_error(p, "expected ')' after the loop's header, found " + found_at(p));
    return p + 1;
}

// `body` with every use of the loop variable as a name replaced by `value`
// in decimal: not a member name after '.', nor inside quotes.
std::string copy_with(const std::string& body, const std::string& var, long long value) {
    std::string out, digits = std::to_string(value);
    for (size_t i = 0; i < body.size();) {
        const char* at = body.c_str() + i;
        const char* e = skip_quoted(at);
        if (e != at) {
            out.append(at, e);
            i += static_cast<size_t>(e - at);
            continue;
        }
        if (!is_ident_start(body[i])) {
            out += body[i++];
            continue;
        }
        size_t end = i;
        while (end < body.size() && is_ident_char(body[end])) ++end;
        bool member = i > 0 && body[i - 1] == '.';
        if (!member && body.compare(i, end - i, var) == 0 && end - i == var.size())
            out += digits;
        else
            out.append(body, i, end - i);
        i = end;
    }
    return out;
}

// Splits an `else : stmt;` written as the last alternative off `body`.
std::string split_else(std::string& body) {
    int depth = 0;
    size_t found = std::string::npos;
    for (size_t i = 0; i < body.size(); ++i) {
        const char* at = body.c_str() + i;
        if (const char* e = skip_quoted(at); e != at) {
            i += static_cast<size_t>(e - at) - 1;
            continue;
        }
        char c = body[i];
        if (c == '{' || c == '(') ++depth;
        if (c == '}' || c == ')') --depth;
        bool word = depth == 0 && body.compare(i, 4, "else") == 0 && (i == 0 || !is_ident_char(body[i - 1])) &&
                    (i + 4 >= body.size() || !is_ident_char(body[i + 4]));
        if (word && *skip_space_only(body.c_str() + i + 4) == ':') found = i;
    }
    if (found == std::string::npos) return "";
    std::string alternative = body.substr(found);
    body.erase(found);
    return alternative;
}

// Whether a statement of `body` (not inside an inner block) declares signals.
bool declares(const std::string& body) {
    int depth = 0;
    bool statement_start = true;
    for (const char* q = body.c_str(); *q; ++q) {
        if (is_space(*q)) continue;
        if (const char* e = skip_quoted(q); e != q) {
            q = e - 1;
            statement_start = false;
            continue;
        }
        if (statement_start && depth == 0 && is_wire_keyword(q)) return true;
        if (*q == '{') ++depth;
        if (*q == '}') --depth;
        statement_start = *q == ';' || *q == '{' || *q == '}';
    }
    return false;
}

// join: the one assignment of `body`, "target op rest ;" chained through
// the copies.
std::string join_statement(const std::string& body, const Header& h) {
    const char* p = skip_space_only(body.c_str());
    std::string target;
    p = skip_space_only(read_identifier(p, target));
    std::string kind = p[0] == ':' && p[1] == '=' ? ":=" : "=";
    if (*p != kind[0]) syntax_error(at_word(target, "the body of 'join' is one assignment to '" + target + "'"));
    p = skip_space_only(p + kind.size());
    std::string self;
    p = skip_space_only(read_identifier(p, self));
    if (self != target)
        syntax_error(at_word(self, "the value of a 'join' assignment starts with its target '" + target + "', not '" + self + "'"));
    const char* op = p;
    while (*p && !is_space(*p) && !is_ident_start(*p) && *p != '(' && *p != '0' && *p != ';') ++p;
    std::string oper(op, p);
    if (oper.empty() || !(operator2_1(oper.c_str()) || operator2_2(oper.c_str())))
        syntax_error(at_word(self, "expected an operator after '" + self + "' in the 'join' assignment"));
    const char* semi = find_end(p, ";");
    if (!*semi || *skip_space_only(semi + 1) != '\0')
        syntax_error(at_word(target, "the body of 'join' is one assignment, ending in ';'"));
    std::string rest(p, semi);
    std::string value;
    for (long long v = h.first; v <= h.last; ++v)
        value += (value.empty() ? "(" : " " + oper + " (") + copy_with(rest, h.var, v) + ")";
    if (value.empty()) syntax_error(at_word(target, "the 'join' loop runs no time"));
    return target + " " + kind + " " + value + ";";
}

}  // namespace

bool replication_loop_at(const char* p) { return loop_keyword(p) != nullptr; }

char* process_replication_loop(char* p, const std::function<void(char*)>& translate) {
    const char* keyword = loop_keyword(p);
    debug_message(std::string(keyword) + " loop");
    char* start = p;
    Header h;
    p = const_cast<char*>(skip_space_only(p + strlen(keyword)));
    p = const_cast<char*>(skip_space_only(read_header(p, h)));
    if (*p != '{') syntax_error(p, "expected '{' and the loop's body, found " + found_at(p));
    char* close = closing_brace(p);
    std::string body(p + 1, close);
    // The line of the body's first character, for messages about the copies.
    int body_line = g.count;
    for (const char* q = start; q <= p; ++q)
        if (*q == '\n') ++body_line;
    std::vector<std::string> texts;
    if (strcmp(keyword, "join") == 0) {
        // As an alternative's statement, in a block: its one statement
        // would be read as one more alternative of the alt or any block.
        const stack_entry* top = innermost_level();
        bool alternative = top && (top->kind == K_ALT || top->kind == K_ANY);
        texts.push_back(alternative ? "{" + join_statement(body, h) + "}" : join_statement(body, h));
    } else {
        std::string last = strcmp(keyword, "par") == 0 ? "" : split_else(body);
        texts.push_back(std::string(keyword) + " {");
        // A par body that declares signals has each copy in a block of its
        // own, where the declarations are local to the copy.
        bool own_block = strcmp(keyword, "par") == 0 && declares(body);
        for (long long v = h.first; v <= h.last; ++v)
            texts.push_back(own_block ? "{" + copy_with(body, h.var, v) + "}" : copy_with(body, h.var, v));
        texts.push_back(last + "}");
    }
    {
        LoopCopyLines lines;
        for (std::string& text : texts) {
            if (g.count_ok) g.count = body_line;
            translate(&text[0]);
        }
    }
    // The loop's own lines, counted (and printed by -n) once.
    for (char* q = start; q <= close; ++q)
        if (*q == '\n' && g.count_ok) count_newline(q + 1);
    return close + 1;
}
