#include "arrays.h"

#include <cctype>
#include <cstdio>

#include "array_index.h"
#include "block_locals.h"
#include "constants.h"
#include "error.h"
#include "explain.h"
#include "extended_hooks.h"
#include "search_list.h"
#include "made_up_names.h"
#include "search_list.h"
#include "statement_ends.h"

namespace {

// The text between the '[' at `open` and its ']'; npos when it is missing.
size_t closing_bracket(const std::string& t, size_t open) {
    const char* close = find_end(t.c_str() + open + 1, "]", '[');
    return *close ? static_cast<size_t>(close - t.c_str()) : std::string::npos;
}

// Whether a signal, an instance or an instance's port net has the name
// `name` (a port of `instance` when that is not empty).
bool name_exists(const std::string& name, const std::string& instance) {
    if (!instance.empty()) return find_wire(made_up_name(MadeUp::kPortNet, instance, name)) != nullptr;
    return find_wire(name) || g.instance_index.get(name);
}

}  // namespace

char* read_array_size(char* p, long long& size) {
    char* close = find_end(p + 1, "];");
    if (*close != ']' || !constant_value(std::string(p + 1, close), size) || size < 1 || size > 0x10000)
        syntax_error(p + 1, "expected the number of elements, a constant from 1 to 65536, between '[' and ']'");
    return skip_ws(close + 1);
}

void declare_array(const std::string& base, long long size, bool local) {
    if (local) {
        declare_local_array(base, size);
        return;
    }
    ArrayShape shape;
    shape.size = size;
    g.arrays[base] = shape;
}

long long array_size(const std::string& base) {
    if (long long size = local_array_size(base, false)) return size;
    auto array = g.arrays.find(base);
    if (array != g.arrays.end()) return array->second.size;
    return local_array_size(base, true);
}

std::string array_element_name(const std::string& base, long long k) {
    return element_name(base, k, array_size(base));
}

bool indexed_name(std::string base, const std::string& index, const std::string& instance,
                  std::string& name) {
    long long k;
    if (!constant_value(index, k)) return false;
    long long size = instance.empty() ? array_size(base) : 0;
    if (size) {
        if (k < 0 || k >= size)
            syntax_error(at_word(base, "element " + std::to_string(k) + " is outside array '" + base + "' of " +
                                           std::to_string(size) + " elements"));
        name = array_element_name(base, k);
        return true;
    }
    if (k < 0) syntax_error(at_word(base, "a negative index of '" + base + "'"));
    // Numbered names declared one by one: the padding and the case of the
    // hexadecimal digits they were written with.
    name = base + "_" + hex_digits(k, 1);
    for (int digits = 1; digits <= 4; ++digits) {
        std::string lower = hex_digits(k, digits), upper = lower;
        for (char& c : upper) c = static_cast<char>(toupper(c));
        for (const std::string& index : {lower, upper}) {
            if (name_exists(base + "_" + index, instance)) {
                name = base + "_" + index;
                return true;
            }
        }
    }
    return true;
}

void resolve_indexed_names(std::string& t) {
    if (!extended_dialect() || t.find('[') == std::string::npos) return;
    for (size_t i = 0; i < t.size(); ++i) {
        if (!is_ident_start(t[i]) || (i > 0 && (is_ident_char(t[i - 1]) || t[i - 1] == '\''))) continue;
        size_t e = i;
        while (e < t.size() && is_ident_char(t[e])) ++e;
        size_t open = e;
        while (open < t.size() && is_space(t[open])) ++open;
        if (open >= t.size() || t[open] != '[') {
            i = e - 1;
            continue;
        }
        size_t close = closing_bracket(t, open);
        if (close == std::string::npos)
            syntax_error(in_copy(t, open, "expected ']' after the index of '" + t.substr(i, e - i) + "'"));
        std::string instance;
        if (i >= 2 && t[i - 1] == '.') {
            size_t s = i - 1;
            while (s > 0 && is_ident_char(t[s - 1])) --s;
            instance = t.substr(s, i - 1 - s);
        }
        std::string name;
        std::string index = t.substr(open + 1, close - open - 1);
        if (instance.empty() && memory_named(t.substr(i, e - i))) {
            i = e - 1;  // a memory word: its address is translated on its own
            continue;
        }
        resolve_indexed_names(index);
        std::string base = t.substr(i, e - i);
        if (!indexed_name(base, index, instance, name)) {
            // An array's element selected by a value is read through a net.
            if (!instance.empty() || !array_size(base)) {
                i = e - 1;
                continue;
            }
            name = array_element_read(base, index);
        }
        t.replace(i, close + 1 - i, name);
        check_text_size(t);
        i += name.size() - 1;
    }
}

char* indexed_target(char* p, std::string& name, const std::string& instance) {
    if (!extended_dialect() || *p != '[') return p;
    char* close = find_end(p + 1, "];", '[');
    if (*close != ']') syntax_error(close, "expected ']' after the index of '" + name + "'");
    std::string index(p + 1, close);
    resolve_indexed_names(index);
    if (!indexed_name(name, index, instance, name))
        syntax_error(p + 1, "the index of '" + name + "' here must be a constant");
    return skip_ws(close + 1);
}
