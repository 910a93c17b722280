// The source directives: `%d` macro definitions and `%i` file inclusion.
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "constants.h"
#include "convert_logic.h"
#include "error.h"
#include "explain.h"
#include "extended_hooks.h"
#include "include_paths.h"
#include "line_directives.h"
#include "macro_versions.h"
#include "mygetline.h"
#include "parser.h"
#include "processes.h"
#include "macro_names.h"
#include "search_list.h"
#include "sfl_widths.h"
#include "verilog_names.h"

namespace {

const size_t kMaxIncludeDepth = 100;

// True when a translated macro value must be wrapped in parentheses to be
// used as one operand: anything but an empty value, one name, one
// constant, one select, one quoted string or one parenthesised group.
bool needs_parentheses(const std::string& v) {
    size_t n = v.size();
    if (n == 0) return false;
    if (v[0] == '"') return v.find('"', 1) != n - 1;
    if (v[0] == '(') {
        int depth = 0;
        for (size_t i = 0; i < n; ++i) {
            if (v[i] == '(') ++depth;
            if (v[i] == ')' && --depth == 0) return i != n - 1;
        }
        return true;
    }
    size_t i = 0;
    if (v[i] == '`') ++i;
    if (i < n && is_ident_start(v[i])) {
        while (i < n && is_ident_char(v[i])) ++i;
        if (i == n) return false;
        // one select: name[h] or name[h:l]
        if (v[i] != '[' || v[n - 1] != ']') return true;
        for (size_t k = i + 1; k + 1 < n; ++k)
            if (!is_digit(v[k]) && v[k] != ':') return true;
        return false;
    }
    if (i == 0 && is_digit(v[0])) {
        // a sized or plain constant: 8, 8'h1F
        while (i < n && is_digit(v[i])) ++i;
        if (i == n) return false;
        if (v[i] != '\'') return true;
        ++i;
        if (i >= n || !(v[i] == 'b' || v[i] == 'o' || v[i] == 'h' || v[i] == 'd')) return true;
        ++i;
        if (i == n) return true;
        for (; i < n; ++i)
            if (!is_alnum(v[i])) return true;
        return false;
    }
    return true;
}

// Whether the SFL text `value` names a macro translated where its name stands.
bool names_expanded_macro(const std::string& value) {
    if (g.expanded_macros.empty()) return false;
    return any_name(value, [](const std::string& name) {
        const list* m = find_macro(name);
        return m && g.expanded_macros.count(m);
    });
}

}  // namespace

// define -> "%d" name value-to-end-of-line
char* process_define(char* p, FILE* out) {
    debug_message("%d");
    p += 2;
    if (!is_space(*p)) syntax_error(p, "expected a blank after '%d'");
    p = skip_ws(p);
    list* m = new_list(true);
    std::string name;
    p = read_identifier(p, name);
    check_verilog_name(name);
    m->name = macro_verilog_name(name, m, g.module_flag || g.circuit_flag);
    // A name defined again refers to its latest definition from here on,
    // as the `define lines written in order make it for the Verilog (or,
    // inside a body, the Verilog name of the new definition).
    g.define_index[m->name == name ? m->name : store_text(name, true)] = m;
    if (!is_space(*p)) syntax_error(p, "expected a blank after the macro's name '" + name + "', found " + found_at(p));
    // A name that ends the line defines an empty macro; the value never
    // runs into the next line.
    char* start = *p == '\n' ? p : p + 1;
    char* e = start;
    while (*e && *e != '\n') ++e;
    logic* v = new_logic(true);
    m->logic = v;
    std::string text(start, e);
    check_text_size(text);
    v->value = store_text(text, true);
    convert_logic(text, 0);
    // --extended: a value with a select that Verilog cannot write in place,
    // or naming such a macro, or one whose widths Verilog would widen
    // (sfl_widths.h), is translated where the name stands, with
    // the nets of that module.  Its `define line stays as without the
    // option; no text refers to it (Verilog reads a macro's text only
    // where it is used).
    std::string value = v->value.str();
    if (selects_through_nets(value) || names_expanded_macro(value) || (extended_dialect() && holds_own_width(value)))
        g.expanded_macros.insert(m);
    note_define_text(m, text);
    // A define text that is a name, or names a macro of one, takes a select.
    std::string named = text[0] == '`' ? text.substr(1) : text;
    const list* target = named.size() < text.size() ? find_in(g.define_index, named) : nullptr;
    if (is_ident_start(named[0]) && std::all_of(named.begin(), named.end(), is_ident_char) &&
        (named.size() == text.size() || (target && target->mark == kNamesSignal)))
        m->mark = kNamesSignal;
    if (needs_parentheses(text)) text = "(" + text + ")";
    mark_line(out, g.places.current());
    fprintf(out, "`define %s %s\n", m->name.c_str(), text.c_str());
    return e;
}

// include -> "%i" '"' file-name '"'
char* process_include(char* p, const std::function<void(FILE*, const std::string&)>& translate) {
    debug_message("%i");
    p += 2;
    if (!is_space(*p)) syntax_error(p, "expected a blank after '%i'");
    p = skip_ws(p);
    if (*p != '"') syntax_error(p, "expected the file's name in double quotes after '%i', found " + found_at(p));
    char* start = ++p;
    while (*p != '"') {
        if (*p == '\n' || *p == '\0') syntax_error(p, "expected '\"' to end the file's name");
        ++p;
    }
    std::string name(start, p);
    ++p;
    std::string path = include_path(name);
    struct stat st;
    FILE* f = open_source(path, st, start);
    std::unique_ptr<FILE, int (*)(FILE*)> closer(f, fclose);
    if (g.output && g.output->replaces(st)) refuse_output_over("included");
    if (std::find(g.includes_read.begin(), g.includes_read.end(), path) == g.includes_read.end())
        g.includes_read.push_back(path);
    std::string id = canonical_path(path);
    std::string where = g.read_filename + ": " + std::to_string(g.count) + ": ";
    for (const std::string& open : g.include_chain)
        if (open == id) syntax_error_after(stderr, where + path + " includes itself", Mistake(start, "'" + path + "' includes itself"));
    if (g.include_chain.size() > kMaxIncludeDepth)
        syntax_error_after(stderr, where + "includes nested deeper than " + std::to_string(kMaxIncludeDepth) + " levels at " + path,
                           Mistake(start, "includes are nested deeper than " + std::to_string(kMaxIncludeDepth) + " levels"));
    // The included file starts in the comment state at the end of this one.
    if (g.reader) g.reader->publish_end_state(g.comment);
    FileBeingIncluded included(id);
    translate(f, path);
    return p;
}

