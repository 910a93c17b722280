#include "made_up_names.h"

#include <algorithm>
#include <cstdio>

#include "search_list.h"
#include "signals.h"
#include "state.h"

namespace {

std::string key_of(MadeUp kind, std::string_view a, std::string_view b) {
    std::string key(1, static_cast<char>(kind));
    key.append(a);
    key.push_back('\0');
    key.append(b);
    return key;
}

std::string plain_name(std::string_view a, std::string_view b) {
    std::string name;
    name.reserve(a.size() + b.size() + 2);
    name += '_';
    name += a;
    name += '_';
    name += b;
    return name;
}

bool taken(const std::string& name) {
    Text param;
    return find_verilog_name(name) || g.instance_index.get(name) || g.param_index.find_name(name, param);
}

// The first variant plain_1, plain_2, ... that nothing holds.
std::string free_variant(const std::string& plain) {
    std::string name;
    for (int k = 1;; ++k) {
        name = plain + "_" + std::to_string(k);
        if (!taken(name)) return name;
    }
}

// The construct that made up _A_B is its kind and the length of A (which
// tells A and B apart).  A record keeps both in one byte: 0 for a
// declared name, else 1 + 63 * the kind's number + the length up to 62;
// a longer A is kept in g.made_up_long.
// The constructs made once (each name for one number) share the code
// kMadeOnce: none of them makes a name that another made up before.
const MadeUp kKinds[] = {MadeUp::kPortNet, MadeUp::kTask, MadeUp::kState, MadeUp::kStageSignal};
const size_t kLongA = 62;
const unsigned char kMadeOnce = 255;

bool made_once(MadeUp kind) { return kind == MadeUp::kAddress || kind == MadeUp::kElementRead; }

unsigned char construct_code(MadeUp kind, size_t a_size) {
    if (made_once(kind)) return kMadeOnce;
    size_t k = 0;
    while (kKinds[k] != kind) ++k;
    return static_cast<unsigned char>(1 + 63 * k + std::min(a_size, kLongA));
}

bool made_by(const list* rec, MadeUp kind, size_t a_size) {
    if (made_once(kind) || rec->made_up != construct_code(kind, a_size)) return false;
    if (a_size < kLongA) return true;
    auto it = g.made_up_long.find(rec);
    return it != g.made_up_long.end() && it->second == a_size;
}

// Whether another construct than (kind, A) made up `name` before: a
// signal so marked, or a state constant (the same stage never makes its
// state constants twice: the state register's name is made first).
bool made_up_by_another(const std::string& name, MadeUp kind, size_t a_size) {
    if (const list* rec = find_verilog_name(name)) return rec->made_up != 0 && !made_by(rec, kind, a_size);
    Text param;
    return g.param_index.find_name(name, param);
}

}  // namespace

std::string make_up_name(MadeUp kind, std::string_view a, std::string_view b) {
    std::string plain = plain_name(a, b);
    // Another construct made the name up: this one takes a free variant.
    // (The same construct made again is a duplicate, as a declared name is.)
    if (made_up_by_another(plain, kind, a.size())) {
        std::string name = free_variant(plain);
        // A construct made once is never looked up again by (a, b).
        if (!made_once(kind)) g.made_up_renames[key_of(kind, a, b)] = name;
        return name;
    }
    return plain;
}

std::string make_up_private_name(MadeUp kind, std::string_view a, std::string_view b) {
    std::string plain = plain_name(a, b);
    if (!taken(plain)) return plain;
    std::string name = free_variant(plain);
    g.made_up_renames[key_of(kind, a, b)] = name;
    return name;
}

list* declare_made_up(MadeUp kind, std::string_view a, std::string_view b, int type, int width, char mark,
                      bool private_name) {
    std::string name = private_name ? make_up_private_name(kind, a, b) : make_up_name(kind, a, b);
    return mark_made_up(make_signal(name, type, width, mark), name, kind, a, b);
}

list* mark_made_up(list* entered, const std::string& name, MadeUp kind, std::string_view a, std::string_view b) {
    // `entered` left the list when the name went to an array element.
    bool kept = !g.wire_list.empty() && g.wire_list.last() == entered;
    list* rec = kept && entered->name == name ? entered : find_verilog_name(name);
    if (!rec) return nullptr;
    // A variant (_A_B_1) is nobody's plain name: no length of A matches it.
    bool variant = name.size() != a.size() + b.size() + 2;
    size_t a_size = variant ? std::string::npos : a.size();
    rec->made_up = construct_code(kind, a_size);
    if (a_size >= kLongA && !made_once(kind)) g.made_up_long[rec] = a_size;
    return rec;
}

std::string made_up_name(MadeUp kind, std::string_view a, std::string_view b) {
    if (!g.made_up_renames.empty()) {
        auto it = g.made_up_renames.find(key_of(kind, a, b));
        if (it != g.made_up_renames.end()) return it->second;
    }
    return plain_name(a, b);
}

std::string hex_digits(long long k, int digits) {
    char buf[32];
    snprintf(buf, sizeof buf, "%0*llx", digits, k);
    return buf;
}

std::string element_name(const std::string& base, long long k, long long count) {
    return base + "_" + hex_digits(k, static_cast<int>(hex_digits(count - 1, 1).size()));
}

std::string make_up_local_name(std::string_view name) {
    for (int n = 1;; ++n) {
        std::string made = std::string(name) + "$" + std::to_string(n);
        if (!taken(made)) return made;
    }
}

std::string make_up_block_name(std::string_view a, std::string_view b) {
    std::string plain = plain_name(a, b);
    return taken(plain) ? free_variant(plain) : plain;
}

std::string made_up_net_name(int n) { return "_net_" + std::to_string(n); }

std::string make_up_macro_name(std::string_view name, int n) { return std::string(name) + "$" + std::to_string(n); }
