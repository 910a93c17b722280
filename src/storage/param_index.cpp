#include "param_index.h"

void ParamIndex::clear() {
    std::deque<Param>().swap(params_);
    suffixes_.clear();
    suffix_index_.clear();
}

void ParamIndex::add(Text name, int width, int value, bool first, bool last) {
    params_.push_back(Param{name, width, value, first, last});
    std::string_view stored = name;
    for (size_t i = 0; i < stored.size(); ++i) {
        // The first constant of a suffix keeps it: a later one costs no record.
        if (stored[i] != '_' || suffix_index_.get(stored.substr(i))) continue;
        Suffix* s = suffixes_.make();
        s->name = name;
        s->at = static_cast<uint32_t>(i);
        s->width = width;
        suffix_index_.insert(s);
    }
}

int ParamIndex::find_suffix(std::string_view token) const {
    if (token.empty()) return -1;
    if (token[0] == '_') {
        const Suffix* s = suffix_index_.get(token);
        return s ? s->width : -1;
    }
    for (const Param& p : params_) {
        std::string_view n = p.name;
        if (n.size() >= token.size() && n.substr(n.size() - token.size()) == token) return p.width;
    }
    return -1;
}

bool ParamIndex::find_name(std::string_view name, Text& found) const {
    const Suffix* s = name.empty() || name[0] != '_' ? nullptr : suffix_index_.get(name);
    if (!s || s->at != 0) return false;
    found = s->name;
    return true;
}
