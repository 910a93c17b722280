// Stages, tasks and states, and the transfers between them.
#include <string>
#include <vector>

#include "constants.h"
#include "error.h"
#include "explain.h"
#include "name_suggestions.h"
#include "extended_hooks.h"
#include "made_up_names.h"
#include "processes.h"
#include "running_tasks.h"
#include "search_list.h"
#include "set_logic.h"
#include "stack.h"

namespace {

// Width of a state register for n states: at least 1 bit.
int state_width(int n) {
    int w = 1;
    while (w < 31 && (1LL << w) < n) ++w;
    return w;
}

// Emits the state register and the state constants of a stage.
void generate_states(stage* st) {
    MadeAt named(g.places, g.places.state_names());
    int w = state_width(st->state_num);
    const std::string s = st->name.str();
    declare_made_up(MadeUp::kStageSignal, s, "state", T_REG_WR, w, 'f');
    if (st->states.empty()) syntax_error(nullptr, "stage '" + s + "' names no states (state_name)");
    int i = 0;
    for (const state* a : st->states) {
        g.param_index.add(store_text(make_up_name(MadeUp::kState, s, a->name)), w, i, i == 0, !a->next);
        g.places.made_constant(g.param_index.all().size());
        ++i;
    }
}

// stage.task(args); : the argument transfers and the task select.
char* generate_transfer(char* p) {
    std::string sname, tname;
    p = read_identifier(p, sname);
    if (*p != '.') syntax_error(p, "expected '.' and a task after the stage '" + sname + "', found " + found_at(p));
    stage* st = search_stage_list(sname);
    p = read_identifier(p + 1, tname);
    p = skip_ws(p);
    if (*p != '(') syntax_error(p, "expected '(' after the task '" + tname + "', found " + found_at(p));
    p = skip_ws(p + 1);
    task* t = search_task_list(st, tname);
    auto task_name = [&] { return "'" + sname + "." + tname + "'"; };
    if (*p != ')') {
        list* a = t->arg;
        for (;;) {
            if (!a) syntax_error(p, "more arguments than the task " + task_name() + " takes");
            std::string term;
            p = read_term(p, term);
            set_logic_text(a->name + " := " + term + ";");
            a = a->next;
            if (*p == ')') break;
            if (*p != ',') syntax_error(p, "expected ',' or ')' after the argument, found " + found_at(p));
            ++p;
        }
        if (a) syntax_error(p, "fewer arguments than the task " + task_name() + " takes");
    }
    if (*p != ')') syntax_error(p, "expected ')' after the arguments, found " + found_at(p));
    char* close = p;
    p = skip_ws(p + 1);
    if (*p != ';') syntax_error(close + 1, "expected ';' after " + task_name() + "(...)");
    set_logic_text(made_up_name(MadeUp::kTask, sname, tname) + " = 0b1;");
    return p + 1;
}

void finish_transfer(const std::string& current_stage) {
    stage* st = search_stage_list(current_stage);
    set_logic_text(made_up_name(MadeUp::kStageSignal, st->name, "on_reg") + " := 0b0;");
}

bool in_stage_body() { return !no_open_level() && open_level(0).kind == K_STAGE; }

}  // namespace

namespace {

// task_args -> [ REG { "," REG } ]: the registers that take the task's
// arguments, chained from t->arg.
char* read_task_arguments(char* p, task* t) {
    if (!is_alpha(*p)) return p;
    list* last = nullptr;
    for (;;) {
        list* a = new_list();
        if (last)
            last->next = a;
        else
            t->arg = a;
        last = a;
        std::string term;
        p = read_term(p, term);
        list* w = find_wire(term);
        if (!w) syntax_error(at_word(term, unknown("register", term, signal_names())));
        a->name = w->name;
        if (!is_register_type(w->type))
            syntax_error_after(stderr, a->name.str() + " is not register",
                               at_word(term, declared_as(term, w->type) + ": a task's argument is a register"));
        if (*p == ')') return p;
        if (*p != ',') syntax_error(p, "expected ',' or ')' after the argument, found " + found_at(p));
        ++p;
    }
}

// task -> ( TASK | TASK_FAST ) name "(" task_args ")" ";"
char* read_task(char* p, stage* st) {
    char fast;
    if (mycmp(p, "task_fast", 0)) {
        fast = 1;
        p += 9;
    } else if (mycmp(p, "task", 0)) {
        fast = 0;
        p += 4;
    } else {
        std::string word;
        if (is_ident_start(*p)) read_identifier(p, word);
        std::string keyword = closest_name(word, {"task", "task_fast"});
        syntax_error(p, "a stage_name block names tasks: expected 'task' or 'task_fast', found " + found_at(p) +
                            (keyword.empty() ? "" : "; did you mean '" + keyword + "'?"));
    }
    p = skip_ws(p);
    task* t = new_task();
    if (!st->tasks.empty()) t->number = st->tasks.last()->number + 1;
    st->tasks.append(t);
    t->fast = fast;
    p = read_identifier(p, t->name);
    st->task_index.insert(t);
    p = skip_ws(p);
    if (*p != '(') syntax_error(p, "expected '(' after the task '" + t->name.str() + "', found " + found_at(p));
    p = skip_ws(p + 1);
    p = read_task_arguments(p, t);
    if (*p != ')') syntax_error(p, "expected ')' after the task's arguments, found " + found_at(p));
    char* close = p;
    p = skip_ws(p + 1);
    if (*p != ';') syntax_error(close + 1, "expected ';' after the task '" + t->name.str() + "'");
    return skip_ws(p + 1);
}

// The signals of a stage: a select per task, the activity register
// _S_on_reg (set by any task) and the activity signal _S_on (the register,
// or a fast task at once).
void stage_signals(const stage* st) {
    const std::string s = st->name.str();
    std::string all_tasks, fast_tasks;
    for (const task* t : st->tasks) {
        std::string sel = declare_made_up(MadeUp::kTask, s, t->name, T_SEL, 1, 'x')->name.str();
        if (!all_tasks.empty()) all_tasks += "|";
        all_tasks += sel;
        if (t->fast) {
            if (!fast_tasks.empty()) fast_tasks += "|";
            fast_tasks += sel;
        }
    }
    std::string on_reg = declare_made_up(MadeUp::kStageSignal, s, "on_reg", T_REG_WR, 1, 's')->name.str();
    std::string on = declare_made_up(MadeUp::kStageSignal, s, "on", T_SEL, 1, 's')->name.str();
    stack_push(nullptr, K_IF);
    stack_push(&all_tasks, K_IF);
    set_logic_text(on_reg + " := 0b1;");
    stack_pop();
    if (fast_tasks.empty())
        set_logic_text(on + " = " + on_reg + ";");
    else
        set_logic_text(on + " = " + on_reg + "|" + fast_tasks + ";");
    if (g.sflp_flag && st->tasks.first() != st->tasks.last()) {
        int n = st->tasks.last()->number + 1;
        list* reg = declare_made_up(MadeUp::kStageSignal, s, "task", T_REG_WR, n, 'x', true);
        remember_starting_task(st, reg, all_tasks);
    }
}

}  // namespace

// stage_name -> STAGE_NAME name "{" task { task } "}"
char* process_stage_name(char* p) {
    if (!no_open_level()) syntax_error(p, "'stage_name' stands at the top level of a module body");
    debug_message("stage_name");
    p += 10;
    p = skip_ws(p);
    stage* st = new_stage();
    g.stage_list.append(st);
    p = read_identifier(p, st->name);
    g.stage_index.insert(st);
    p = skip_ws(p);
    if (*p != '{') syntax_error(p, "expected '{' and the tasks after the stage '" + st->name.str() + "', found " + found_at(p));
    p = skip_ws(p + 1);
    do {
        p = read_task(p, st);
    } while (*p != '}');
    stage_signals(st);
    return p + 1;
}

// stage -> "stage" name "{" body "}"
char* process_stage(char* p, std::string& current_stage) {
    if (!no_open_level()) syntax_error(p, "'stage' stands at the top level of a module body");
    debug_message("stage");
    p += 5;
    p = skip_ws(p);
    char* at = p;
    p = read_identifier(p, current_stage);
    stage* st = search_stage_list(current_stage);
    if (st->defined) syntax_error(at, "stage '" + current_stage + "' has a body already");
    st->defined = 1;
    p = skip_ws(p);
    if (*p != '{') syntax_error(p, "expected '{' after 'stage " + current_stage + "', found " + found_at(p));
    stack_push(nullptr, K_STAGE);
    std::string cond = made_up_name(MadeUp::kStageSignal, current_stage, "on");
    stack_push(&cond, K_STAGE);
    return p;
}

namespace {

// The identifier of a `state` statement at `q`, or empty.
std::string state_block_name(const char* q) {
    q = skip_space_only(q + 5);
    const char* e = q;
    if (!is_alpha(*e)) return std::string();
    while (is_ident_char(*e)) ++e;
    return std::string(q, e);
}

}  // namespace

bool declare_implicit_states(const std::string& stage_name, const char* body) {
    if (!extended_dialect()) return false;
    std::vector<std::string> names;
    int depth = 0, parens = 0;
    char prev = 0;
    for (const char* q = body; *q; ++q) {
        char c = *q;
        if (const char* e = skip_quoted(q); e != q) {
            q = e - 1;
            prev = c;
            continue;
        }
        bool statement_start = depth == 1 && parens == 0 && (prev == '{' || prev == ';' || prev == '}');
        if (c == '%' && statement_start) {
            // A directive (%d, %i) runs to the end of its line, which ends
            // it as a ';' would.
            while (q[1] && q[1] != '\n') ++q;
            prev = ';';
            continue;
        }
        if (is_ident_start(c)) {
            // A statement of the body itself: state_name or state.
            if (statement_start) {
                if (mycmp(q, "state_name", 0)) return false;
                if (mycmp(q, "state", 0)) {
                    std::string name = state_block_name(q);
                    bool known = false;
                    for (const std::string& n : names) known = known || n == name;
                    if (!name.empty() && !known) names.push_back(name);
                }
            }
            while (is_ident_char(q[1])) ++q;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) break;
        } else if (c == '(') {
            ++parens;
        } else if (c == ')') {
            --parens;
        }
        if (!is_space(c)) prev = c;
    }
    if (names.empty()) return false;
    std::string text = "state_name";
    for (size_t i = 0; i < names.size(); ++i) text += (i ? ", " : " ") + names[i];
    text += ";";
    LineCountingOff off;
    insert_state_list(&text[0], stage_name);
    return true;
}


// state_name -> "state_name" name { "," name } ";"
char* process_state_name(char* p, const std::string& current_stage) {
    if (open_levels() != 1) syntax_error(p, "'state_name' stands at the top level of a stage body");
    debug_message("state_name");
    return insert_state_list(p, current_stage);
}

char* insert_state_list(char* p, const std::string& stage_name) {
    g.places.at_state_names();
    while (is_ident_char(*p)) ++p;
    stage* st = search_stage_list(stage_name);
    auto append = [st]() {
        state* s = new_state();
        st->states.append(s);
        return s;
    };
    state* s = append();
    std::string name;
    for (;;) {
        p = skip_ws(p);
        if (!is_alpha(*p)) syntax_error(p, "expected the name of a state, found " + found_at(p));
        char* at = p;
        p = read_identifier(p, name);
        p = skip_ws(p);
        if (*p != ',' && *p != ';') syntax_error(p, "expected ',' or ';' after the state '" + name + "', found " + found_at(p));
        if (st->state_index.count(name)) name_duplication(Mistake(at, "state '" + name + "' is named twice"));
        const state* same = g.last_state_names && g.last_state_names != st
                                ? g.last_state_names->state_index.get(name)
                                : nullptr;
        if (same)
            s->name = same->name;
        else
            s->name = store_text(name);
        st->state_index.insert(s);
        ++st->state_num;
        if (*p == ';') {
            g.last_state_names = st;
            return p + 1;
        }
        s = append();
        ++p;
    }
}

// first_state -> "first_state" name ";"
char* process_first_state(char* p, const std::string& current_stage) {
    if (open_levels() != 1) syntax_error(p, "'first_state' stands at the top level of a stage body");
    debug_message("first_state");
    p += 11;
    p = skip_ws(p);
    std::string name;
    p = read_identifier(p, name);
    stage* st = search_stage_list(current_stage);
    state* s = search_state_list(st, name, 1);
    s->first = 1;
    st->first_state = s;
    char* after = p;
    p = skip_ws(p);
    if (*p != ';') syntax_error(after, "expected ';' after 'first_state " + name + "'");
    return p + 1;
}

// state -> "state" name statement
char* process_state(char* p, const std::string& current_stage, int& state_name_flag) {
    if (open_levels() != 1) syntax_error(p, "'state' stands at the top level of a stage body");
    debug_message("state");
    p += 5;
    p = skip_ws(p);
    stage* st = search_stage_list(current_stage);
    if (state_name_flag == 1) {
        state_name_flag = 0;
        generate_states(st);
    }
    std::string name;
    char* at = p;
    p = read_identifier(p, name);  // a state without a name is refused
    // A state its stage does not declare would compare against an
    // undefined constant.
    if (!st->state_index.count(name))
        syntax_error(at, unknown("state", name, state_names(st), " of stage '" + st->name.str() + "'"));
    stack_push(nullptr, K_STATE);
    std::string cond = made_up_name(MadeUp::kStageSignal, st->name, "state") + " == " +
                       made_up_name(MadeUp::kState, st->name, name);
    stack_push(&cond, K_STATE);
    return p;
}

// generate -> "generate" stage "." task "(" [ expr { "," expr } ] ")" ";"
char* process_generate(char* p) {
    if (no_open_level()) syntax_error(p, "'generate' stands inside a block (instruct, stage, par, if, ...)");
    debug_message("generate");
    p += 8;
    p = skip_ws(p);
    return process_generate_core(p);
}

// The transfer of a generate, after its keyword.
char* process_generate_core(char* p) {
    p = generate_transfer(p);
    stack_pop_check();
    return p;
}

bool is_task_start(const std::string& name) {
    return extended_dialect() && g.stage_index.get(name) && !g.instance_index.get(name);
}

// task_start -> stage "." task "(" [ expr { "," expr } ] ")" ";"  (--extended)
char* process_task_start(char* p) {
    if (no_open_level()) syntax_error(p, "a task is started inside a block (instruct, stage, par, if, ...)");
    debug_message("generate");
    return generate_transfer(p);
}

// goto -> "goto" state ";"
char* process_goto(char* p, const std::string& current_stage) {
    if (!(open_levels() >= 2 && open_level(0).kind == K_STAGE && open_level(1).kind == K_STATE))
        syntax_error(p, "'goto' stands inside a state of a stage");
    debug_message("goto");
    p += 4;
    p = skip_ws(p);
    std::string target;
    p = read_identifier(p, target);  // a goto without a target is refused
    char* after = p;
    p = skip_ws(p);
    if (*p != ';') syntax_error(after, "expected ';' after 'goto " + target + "'");
    stage* st = search_stage_list(current_stage);
    set_logic_text(made_up_name(MadeUp::kStageSignal, st->name, "state") + " := " +
                   made_up_name(MadeUp::kState, st->name, target) + ";");
    stack_pop_check();
    return p + 1;
}

// finish -> "finish" ";"
char* process_finish(char* p, const std::string& current_stage) {
    if (!in_stage_body()) syntax_error(p, "'finish' stands inside the body of a stage");
    debug_message("finish");
    p += 6;
    char* after = p;
    p = skip_ws(p);
    if (*p != ';') syntax_error(after, "expected ';' after 'finish'");
    finish_transfer(current_stage);
    stack_pop_check();
    return p + 1;
}

// relay -> "relay" stage "." task "(" [ expr { "," expr } ] ")" ";"
char* process_relay(char* p, const std::string& current_stage) {
    if (!in_stage_body()) syntax_error(p, "'relay' stands inside the body of a stage");
    debug_message("relay");
    p += 5;
    p = skip_ws(p);
    p = generate_transfer(p);
    debug_message("finish");
    finish_transfer(current_stage);
    stack_pop_check();
    return p;
}
