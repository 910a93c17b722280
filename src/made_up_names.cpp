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

bool taken(const std::string& name) {
    Text param;
    return find_wire(name) || g.param_index.find_name(name, param);
}

}  // namespace

std::string make_up_name(MadeUp kind, std::string_view a, std::string_view b) {
    std::string plain = "_" + std::string(a) + "_" + std::string(b);
    std::string key = key_of(kind, a, b);
    auto made = g.made_up_names.find(plain);
    // Another construct made the name up: this one takes a free variant.
    // (The same construct made again is a duplicate, as a declared name is.)
    if (made != g.made_up_names.end() && made->second != key && taken(plain)) {
        std::string name;
        for (int k = 1;; ++k) {
            name = plain + "_" + std::to_string(k);
            if (!taken(name) && !g.made_up_names.count(name)) break;
        }
        g.made_up_renames[key] = name;
        g.made_up_names.emplace(name, key);
        return name;
    }
    g.made_up_names.emplace(plain, key);
    return plain;
}

std::string made_up_name(MadeUp kind, std::string_view a, std::string_view b) {
    if (!g.made_up_renames.empty()) {
        auto it = g.made_up_renames.find(key_of(kind, a, b));
        if (it != g.made_up_renames.end()) return it->second;
    }
    return "_" + std::string(a) + "_" + std::string(b);
}
