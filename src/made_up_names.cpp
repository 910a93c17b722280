#include "made_up_names.h"

#include "search_list.h"
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
    return find_wire(name) || g.param_index.find_name(name, param);
}

}  // namespace

std::string make_up_name(MadeUp kind, std::string_view a, std::string_view b) {
    std::string plain = plain_name(a, b);
    // _A_B with the length of A tells A and B apart: the construct is the
    // kind and that length.
    MadeUpBy by{kind, a.size()};
    auto made = g.made_up_names.try_emplace(plain, by);
    // Another construct made the name up: this one takes a free variant.
    // (The same construct made again is a duplicate, as a declared name is.)
    if (!made.second && !(made.first->second == by) && taken(plain)) {
        std::string name;
        for (int k = 1;; ++k) {
            name = plain + "_" + std::to_string(k);
            if (!taken(name) && !g.made_up_names.count(name)) break;
        }
        g.made_up_renames[key_of(kind, a, b)] = name;
        // The variant is nobody's plain _A_B: no construct matches it.
        g.made_up_names.emplace(name, MadeUpBy{kind, std::string::npos});
        return name;
    }
    return plain;
}

std::string made_up_name(MadeUp kind, std::string_view a, std::string_view b) {
    if (!g.made_up_renames.empty()) {
        auto it = g.made_up_renames.find(key_of(kind, a, b));
        if (it != g.made_up_renames.end()) return it->second;
    }
    return plain_name(a, b);
}
