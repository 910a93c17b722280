#include "stack.h"

#include "block_locals.h"
#include "error.h"
#include "made_up_names.h"
#include "scan.h"
#include "signals.h"
#include "set_logic.h"

namespace {

bool single_statement(int kind) {
    return kind == K_IF || kind == K_ELSE || kind == K_INSTRUCT || kind == K_STATE;
}

void too_deep() {
    std::string levels = std::to_string(kStackLevels);
    syntax_error_after(stderr, g.read_filename + ": " + std::to_string(g.count) + ": blocks nested deeper than " + levels +
                                   " levels",
                       Mistake(nullptr, "blocks are nested deeper than " + levels + " levels"));
}

// The levels closed by the end of one statement, and what an `else`
// right after that statement needs: the negated condition of the first
// `if` level closed and the levels closed after it, which it reopens.
class ClosedLevels {
public:
    ClosedLevels() { g.else_restore.clear(); }
    // Closes the top level.
    void close_top() {
        if (g.sp < 0) syntax_error(nullptr, "'}' closes no block");
        stack_entry& e = g.stack[g.sp];
        if (!found_if_ && e.kind == K_IF) {
            found_if_ = true;
            g.else_negation = "~(" + e.cond + ")";
        } else if (found_if_) {
            g.else_restore.insert(g.else_restore.begin(), e);
        }
        e.cond.clear();
        e.else_cond.clear();
        e.subject.clear();
        close_block_locals(e);
        e.kind = -1;
        --g.sp;
    }
    // Closes the single-statement levels at the top, which were waiting
    // for the statement that just ended.
    void close_waiting_levels() {
        while (g.sp >= 0 && single_statement(g.stack[g.sp].kind)) close_top();
    }
    // An `else` may follow only where an `if` level was closed.
    void offer_else() const { g.else_ready = found_if_; }

private:
    bool found_if_ = false;
};

}  // namespace

void stack_push(std::string* text, int kind) {
    std::string cond;
    if (!text) {
        if (g.sp + 1 >= kStackLevels) too_deep();
        ++g.sp;
    } else {
        cond = *text;
    }
    if (g.sp < 0) syntax_error(nullptr, "a condition outside every block");
    stack_entry& e = g.stack[g.sp];
    if ((kind == K_ANY || kind == K_ALT) && text) {
        if (cond == "else") {
            cond = earlier_alternatives_fail(e);
            e.else_cond.clear();
        } else if (!e.cond.empty()) {
            if (!e.else_cond.empty()) e.else_cond += "&";
            e.else_cond += "~(" + e.cond + ")";
            check_text_size(e.else_cond);
        }
    }
    check_text_size(cond);
    do_optimize(cond);
    if (text) *text = cond;
    e.cond = std::move(cond);
    e.kind = kind;
}

std::string earlier_alternatives_fail(const stack_entry& e) {
    if (e.cond.empty()) return "1'b1";  // no earlier alternative
    if (!e.else_cond.empty()) return "(" + e.else_cond + ")&~(" + e.cond + ")";
    return "~(" + e.cond + ")";
}

void stack_push_switch(const std::string& subject, int width) {
    stack_push(nullptr, K_ALT);
    g.stack[g.sp].subject = subject;
    g.stack[g.sp].subject_width = width;
}

void stack_pop() {
    ClosedLevels closed;
    closed.close_top();
    if (g.sp >= 0) closed.close_waiting_levels();
    closed.offer_else();
}

void stack_pop_check() {
    ClosedLevels closed;
    closed.close_waiting_levels();
    closed.offer_else();
}

void stack_clear() {
    for (auto& e : g.stack) {
        e.cond.clear();
        e.else_cond.clear();
        e.subject.clear();
        e.locals.clear();
        e.local_arrays.clear();
        e.kind = 0;
    }
    g.sp = -1;
    g.else_ready = false;
    g.else_restore.clear();
}

const std::string* prepare_else() {
    if (!g.else_ready) return nullptr;
    g.else_ready = false;
    for (stack_entry& e : g.else_restore) {
        if (g.sp + 1 >= kStackLevels) too_deep();
        g.stack[++g.sp] = e;
        reopen_block_locals(e);
    }
    g.else_restore.clear();
    return &g.else_negation;
}

void delete_1b1(std::string& text) {
    static const char a[] = "(1'b1)&";
    static const char b[] = "&(1'b1)";
    if (text.find("1'b1") == std::string::npos) return;
    std::string out;
    out.reserve(text.size());
    size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        char c = text[i];
        // A negated always-true factor, ~(1'b1), is false, not removable.
        bool negated = c == '(' && !out.empty() && out.back() == '~';
        if ((c == '(' || c == '&') && !negated && n - i >= 7 &&
            (text.compare(i, 7, a) == 0 || text.compare(i, 7, b) == 0)) {
            i += 7;
            // The character that moves into the removed place is not checked again.
            if (i < n) out.push_back(text[i++]);
        } else {
            out.push_back(text[i++]);
        }
    }
    text.swap(out);
}

int check_logic(const std::string& t) {
    if (t == "1'b1" || t == "(1'b1)" || t == "((1'b1))") return 0;
    size_t open = 0;
    while (open < 2 && open < t.size() && t[open] == '(') ++open;
    size_t i = open;
    if (i >= t.size() || !is_ident_start(t[i])) return 1;
    while (i < t.size() && is_ident_char(t[i])) ++i;
    size_t close = 0;
    while (i + close < t.size() && t[i + close] == ')') ++close;
    if (i + close != t.size()) return 1;
    return close == open ? 0 : 1;
}

void optimization(std::string& text) {
    if (const list* known = g.net_index.get(text)) {
        text = known->name.str();
        return;
    }
    text = expression_net(text, 1);
}

std::string expression_net(const std::string& text, int width) {
    const list* known = g.net_index.get(text);
    if (known && known->width == width) return known->name.str();
    count_new_net();
    list* rec = make_signal(made_up_net_name(g.net_num++), T_SEL, width, 'x', Entry::kDerived, true);
    // The net is a signal driven always by the expression, which keys it.
    drive_always(rec, text);
    if (!known) g.net_index.insert(rec);
    return rec->name.str();
}

void do_optimize(std::string& text) {
    if (!g.O_flag || text.empty()) return;
    delete_space(text);
    delete_1b1(text);
    if (check_logic(text)) optimization(text);
}
