#include "macro_versions.h"

#include "constants.h"
#include "made_up_names.h"

namespace {

// The deepest chain of macros followed (that of the parser's nesting limit).
const int kMaxDepth = 64;

bool renamed(const list* m) { return m->name.view().find('$') != std::string_view::npos; }

int serial_of(const list* m) {
    auto it = g.macro_serials.find(m);
    return it == g.macro_serials.end() ? 0 : it->second;
}

bool out_of_date(const list* m, int depth) {
    if (depth > kMaxDepth) return false;
    int serial = serial_of(m);
    bool names_versions = g.macros_naming_versions.count(m) != 0;
    return any_name(m->logic->value.str(), [&](const std::string& name) {
        const list* now = find_in(g.define_index, name);
        if (!now || now == m) return false;
        bool later = serial_of(now) > serial;
        return (later && (renamed(now) || names_versions)) || out_of_date(now, depth + 1);
    });
}

}  // namespace

Text macro_verilog_name(const std::string& name, const list* m, bool in_body) {
    g.macro_serials[m] = static_cast<int>(g.macro_serials.size()) + 1;
    if (!in_body || !find_in(g.define_index, name)) return store_text(name, true);
    return store_text(make_up_macro_name(name, ++g.macro_versions[name]), true);
}

void note_define_text(const list* m, const std::string& text) {
    if (g.macro_versions.empty()) return;
    // A macro name written with its back-quote, followed by a '$'.
    for (size_t q = text.find('`'); q != std::string::npos; q = text.find('`', q + 1)) {
        size_t e = q + 1;
        while (e < text.size() && is_ident_char(text[e])) ++e;
        if (e < text.size() && text[e] == '$') {
            g.macros_naming_versions.insert(m);
            return;
        }
    }
}

bool macro_out_of_date(const list* m) { return !g.macro_versions.empty() && out_of_date(m, 0); }

bool any_name(const std::string& value, const std::function<bool(const std::string&)>& test) {
    const char* t = value.c_str();
    for (const char* q = t; *q;) {
        const char* e = skip_quoted(q);
        if (e != q || !is_ident_start(*q) || (q > t && is_ident_char(q[-1]))) {
            q = e != q ? e : q + 1;
            continue;
        }
        std::string name;
        q = read_identifier(q, name);
        if (test(name)) return true;
    }
    return false;
}
