#include "name_suggestions.h"

#include "explain.h"
#include "search_list.h"

std::vector<std::string> signal_names() {
    std::vector<std::string> names;
    for (const list* rec : g.wire_list)
        if (!rec->made_up && !rec->name.empty() && rec->name.str().find('$') == std::string::npos)
            names.push_back(rec->name.str());
    for (const auto& [name, rec] : g.open_locals) names.emplace_back(name);
    return names;
}

std::vector<std::string> operand_names() {
    std::vector<std::string> names = signal_names();
    for (const auto& [name, macro] : g.define_index) names.emplace_back(name);
    for (const stage* st : g.stage_list)
        for (const state* s : st->states) names.push_back(s->name.str());
    return names;
}

std::vector<std::string> stage_names() {
    std::vector<std::string> names;
    for (const stage* st : g.stage_list) names.push_back(st->name.str());
    return names;
}

std::vector<std::string> task_names(const stage* st) {
    std::vector<std::string> names;
    for (const task* t : st->tasks) names.push_back(t->name.str());
    return names;
}

std::vector<std::string> state_names(const stage* st) {
    std::vector<std::string> names;
    for (const state* s : st->states) names.push_back(s->name.str());
    return names;
}

std::vector<std::string> instance_names() {
    std::vector<std::string> names;
    for (const instance* in : g.instance_list) names.push_back(in->name.str());
    return names;
}

std::vector<std::string> declare_names() {
    std::vector<std::string> names;
    for (const declare* d : g.declare_list) names.push_back(d->name);
    return names;
}

std::vector<std::string> member_names(const declare* d) {
    std::vector<std::string> names;
    for (const list* port : d->ports) names.push_back(port->name.str());
    return names;
}

std::string unknown(const char* noun, const std::string& name, const std::vector<std::string>& candidates,
                    const std::string& where) {
    return std::string("unknown ") + noun + " '" + name + "'" + where + did_you_mean(name, candidates);
}

std::string no_member(const std::string& inst, const std::string& member) {
    const instance* in = g.instance_index.get(inst);
    if (!in) return unknown("instance", inst, instance_names());
    std::vector<std::string> members = member_names(in->type);
    return "'" + inst + "' is an instance of '" + in->type->name + "', which has no port or instruction '" + member +
           "'" + did_you_mean(member, members) + " (its members: " + quoted_list(members, 32) + ")";
}

std::string unknown_operand(const std::string& name, std::string& word) {
    word = name;
    if (name.size() > 2 && name[0] == '_') {
        for (const stage* st : g.stage_list) {
            std::string prefix = "_" + st->name.str() + "_";
            if (name.compare(0, prefix.size(), prefix) != 0) continue;
            word = name.substr(prefix.size());
            return unknown("state", word, state_names(st), " of stage '" + st->name.str() + "'");
        }
        for (const instance* in : g.instance_list) {
            std::string prefix = "_" + in->name.str() + "_";
            if (name.compare(0, prefix.size(), prefix) != 0) continue;
            word = name.substr(prefix.size());
            return no_member(in->name.str(), word);
        }
    }
    return unknown("name", name, operand_names());
}

namespace {

// The place of the first declaration of `rec`, at `name` on its line.
SourcePoint declaration_point(const list* rec, const std::string& name) {
    uint32_t place = rec ? g.places.of(rec) : 0;
    if (!place) return SourcePoint();
    SourcePlaces::Where w = g.places.where(place);
    return word_on_line(SourcePoint{w.file, w.line, 0}, name);
}

}  // namespace

std::vector<Mistake::Note> declared_here(const list* rec, const std::string& name) {
    if (declared_again(rec, name).find("every module") != std::string::npos) return {};
    SourcePoint at = declaration_point(rec, name);
    if (!at.known()) return {};
    return {Mistake::Note{at, "'" + name + "' is declared first here"}};
}

std::string declared_again(const list* rec, const std::string& name) {
    if (rec && rec->type == T_INPUT && (name == "m_clock" || name == "p_reset") && g.wire_list.first() &&
        (g.wire_list.first() == rec || g.wire_list.first()->next == rec))
        return "'" + name + "' is an input of every module that is not combinational: the module declares it already";
    SourcePoint at = declaration_point(rec, name);
    std::string text = "'" + name + "' is declared again";
    if (!at.known()) return text;
    const WalkedPiece* w = walked_piece();
    std::string where = "line " + std::to_string(at.line);
    if (!w || w->file != at.file) where = g.places.file_name(at.file) + ":" + std::to_string(at.line);
    return text + "; its first declaration is at " + where;
}
