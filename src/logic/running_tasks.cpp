#include "running_tasks.h"

#include <vector>

#include "scan.h"
#include "error.h"
#include "made_up_names.h"
#include "search_list.h"
#include "set_logic.h"
#include "stack.h"
#include "state.h"

namespace {

// The condition that the stage `st` runs the task `t`.
std::string running(const stage* st, const task* t) {
    std::string on_reg = made_up_name(MadeUp::kStageSignal, st->name, "on_reg");
    if (st->tasks.first() == st->tasks.last()) return on_reg;
    std::string reg = made_up_name(MadeUp::kStageSignal, st->name, "task");
    return "(" + on_reg + "&" + reg + "<" + std::to_string(t->number) + ">)";
}

// The stage.task that starts with the name at `s` and has its '.' at
// `dot`, as a stage and one of its tasks; false for anything else (an
// instance's port, a call, a name after a '.').
bool stage_task_at(const std::string& t, size_t s, size_t dot, size_t& end, const stage*& st, const task*& tk) {
    if (s == dot || !is_ident_start(t[s]) || (s > 0 && (t[s - 1] == '.' || t[s - 1] == '$'))) return false;
    end = dot + 1;
    while (end < t.size() && is_ident_char(t[end])) ++end;
    if (end == dot + 1 || *skip_space_only(t.c_str() + end) == '(') return false;
    std::string_view name(t.data() + s, dot - s);
    st = g.stage_index.get(name);
    if (!st || g.instance_index.get(name)) return false;
    tk = st->task_index.get(std::string_view(t.data() + dot + 1, end - dot - 1));
    return tk != nullptr;
}

}  // namespace

void remember_starting_task(const stage* st, const list* reg, std::string starts) {
    // One write of every task's select, the last task's first: the same in
    // the -O layout, which ors the values of writes that hold at once.
    std::vector<std::string> names;
    for (const task* t : st->tasks) names.push_back(made_up_name(MadeUp::kTask, st->name, t->name));
    std::string selects;
    for (auto it = names.rbegin(); it != names.rend(); ++it) selects += (selects.empty() ? "" : "||") + *it;
    stack_push(nullptr, K_IF);
    stack_push(&starts, K_IF);
    set_logic_text(reg->name.str() + " := " + selects + ";");
    stack_pop();
}

void running_tasks(std::string& text) {
    if (!g.sflp_flag || g.stage_list.empty()) return;
    std::string out;
    size_t copied = 0;
    for (size_t dot = text.find('.'); dot != std::string::npos; dot = text.find('.', dot + 1)) {
        size_t s = dot, end;
        while (s > 0 && is_ident_char(text[s - 1])) --s;
        const stage* st;
        const task* t;
        if (!stage_task_at(text, s, dot, end, st, t)) continue;
        out.append(text, copied, s - copied);
        out += running(st, t);
        copied = end;
    }
    if (copied == 0) return;
    out.append(text, copied, std::string::npos);
    text.swap(out);
    check_text_size(text);
}
