// Translator state shared by every pass, the record types of the symbol
// tables, and the statement dispatcher.
#ifndef SFLC_CORE_H
#define SFLC_CORE_H

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Signal type codes.
enum {
    T_INPUT = 10,
    T_OUTPUT = 11,
    T_BIDIRECT = 12,
    T_SEL = 13,
    T_REG = 14,
    T_REG_WR = 15,
    T_REG_WS = 16,
    T_INSTRIN = 17,
    T_INSTROUT = 18,
    T_INSTRSELF = 19,
    T_INSTANCE = 20
};

// Condition stack scope kinds.
enum {
    K_PAR = 300,
    K_ANY = 301,
    K_ALT = 302,
    K_IF = 303,
    K_ELSE = 304,
    K_INSTRUCT = 305,
    K_STAGE = 306,
    K_STATE = 307
};

struct logic;

// Lookup tables keyed by a view of the name held in the record itself: the
// records never move and their names never change once indexed.
template <class T>
using NameIndex = std::unordered_map<std::string_view, T*>;

// One declared or generated name; also instruction arguments, task
// arguments and macros.
struct list {
    list* next = nullptr;
    std::string name;
    int width = 0;
    struct logic* logic = nullptr;
    int type = 0;
    list* instr_arg = nullptr;
    char mark = 0;
    int edge = 0;
    // Tail of the logic chain, so appending a pair does not walk it.
    struct logic* logic_tail = nullptr;
};

// One condition/value pair driving a signal.
struct logic {
    logic* next = nullptr;
    std::string cond;
    std::string value;
};

// The interface of one submodule type.
struct declare {
    declare* next = nullptr;
    std::string name;
    list* port = nullptr;
    int interface = 0;
    list* port_tail = nullptr;
    NameIndex<list> port_index;
};

struct task {
    task* next = nullptr;
    std::string name;
    char fast = 0;
    list* arg = nullptr;
};

struct state {
    state* next = nullptr;
    std::string name;
    int first = 0;
};

struct stage {
    stage* next = nullptr;
    std::string name;
    struct task* task = nullptr;
    struct state* state = nullptr;
    int state_num = 0;
    int defined = 0;
    struct task* task_tail = nullptr;
    struct state* state_tail = nullptr;
    NameIndex<struct task> task_index;
    NameIndex<struct state> state_index;
    struct state* first_state = nullptr;
};

// A generated intermediate net (-O).
struct net {
    net* next = nullptr;
    std::string expr;
    std::string name;
};

struct stack_entry {
    std::string cond;
    int kind = 0;
    std::string else_cond;
};

// Finds the parameter whose name ends with a given text, first declared
// first: the width lookup of state constants matches a name at the end of
// a parameter name, not only whole names.  Every parameter name starts
// with '_', so a token starting with '_' can only end a name at one of its
// '_' characters: those suffixes are indexed.  Other tokens (rare) are
// looked for by a scan.
class ParamIndex {
public:
    void clear();
    void add(const std::string& name, int width);
    // Width of the first parameter whose name ends with `token`, or -1.
    int find_suffix(const std::string& token) const;

private:
    std::vector<std::pair<std::string, int>> params_;
    std::unordered_map<std::string, int> underscore_suffixes_;
};

// Counts of the original fixed-size records, for the byte total of -d.
enum {
    SIZE_LIST = 1072,
    SIZE_DECLARE = 1048,
    SIZE_STAGE = 1056,
    SIZE_TASK = 1048,
    SIZE_STATE = 1040,
    SIZE_LOGIC = 8200,
    SIZE_NET = 5128
};

// Everything a translation run reads and writes outside one call.
struct Sflc {
    // Command line.
    std::string program_name = "sflc";
    std::string read_filename;
    std::string write_filename;
    std::string readfile_path;
    int d_flag = 0, n_flag = 0, O_flag = 0, old_flag = 0, posres = 0,
        p_flag = 0, t_flag = 0, II_flag = 0, shinpi_flag = 0;
    int km = 1;

    // Comment removal state, carried from line to line and file to file.
    int cm_state = 0, s_quote = 0, d_quote = 0;

    // Dispatcher.
    int count = 0;
    const char* line_head = nullptr;
    int count_ok = 0;
    int owner = 1;
    long long total_alloc_size = 0;
    int module_flag = 0, circuit_flag = 0, declare_flag = 0;
    int combinational = 0;
    int clock_aspect = 0;
    std::string module_connection;
    std::string parameters;
    ParamIndex param_index;
    // Instance name -> module type, first instance line wins.
    std::unordered_map<std::string, std::string> instance_types;

    // Symbol tables.
    list* wire_list = nullptr;
    list* wire_tail = nullptr;
    list* wire_prev_tail = nullptr;  // the record before wire_tail
    NameIndex<list> wire_index;
    declare* declare_list = nullptr;
    declare* declare_tail = nullptr;
    NameIndex<declare> declare_index;
    stage* stage_list = nullptr;
    stage* stage_tail = nullptr;
    NameIndex<stage> stage_index;
    net* net_list = nullptr;
    net* net_tail = nullptr;
    NameIndex<net> net_index;
    int net_num = 0;
    list* define_list = nullptr;
    list* define_tail = nullptr;
    NameIndex<list> define_index;
    std::string module_name;
    // -O merging: the pair holding each value of each signal.
    struct MergeKeyHash {
        size_t operator()(const std::pair<const list*, std::string_view>& k) const {
            return std::hash<std::string_view>()(k.second) * 31 + std::hash<const void*>()(k.first);
        }
    };
    std::unordered_map<std::pair<const list*, std::string_view>, logic*, MergeKeyHash> merge_index;

    // Condition stack.
    std::vector<stack_entry> stack = std::vector<stack_entry>(100);
    int sp = -1;
    std::string ifelse_logic;
    // The levels that the last statement end closed below the innermost
    // `if` it closed, so that an `else` right after it can stand under them.
    bool else_ready = false;
    std::string else_negation;
    std::vector<stack_entry> else_restore;  // bottom first

    // Nesting guards.
    int macro_depth = 0;
    std::vector<std::string> include_chain;  // files being included, outermost first

    // Record storage: per module and for the whole run.
    std::deque<list> module_lists;
    std::deque<logic> module_logics;
    std::deque<stage> module_stages;
    std::deque<task> module_tasks;
    std::deque<state> module_states;
    std::deque<net> module_nets;
    std::deque<list> run_lists;
    std::deque<logic> run_logics;
    std::deque<declare> run_declares;
};

extern Sflc g;

// Puts every global back to its state at program start.
void reset_state();

// Record allocation: zero-filled records counted in total_alloc_size.
list* new_list(bool run_long = false);
logic* new_logic(bool run_long = false);
declare* new_declare();
stage* new_stage();
task* new_task();
state* new_state();
net* new_net();

// Links `rec` at the tail of the list given by its head and tail.
template <class T>
void append_record(T*& head, T*& tail, T* rec) {
    if (tail)
        tail->next = rec;
    else
        head = rec;
    tail = rec;
}

// Appends a fresh record at the tail of wire_list and returns it.
list* append_wire_record();
// Records a filled wire_list name in the lookup index.
void index_wire(list* rec);
// The wire_list record of that name, or null.
list* find_wire(const std::string& name);

// Scanning helpers.
inline bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
inline bool is_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline bool is_alnum(char c) { return is_alpha(c) || is_digit(c); }
inline bool is_ident_start(char c) { return is_alpha(c) || c == '_'; }
inline bool is_ident_char(char c) { return is_alnum(c) || c == '_'; }

// The line-counting step for a newline just passed: `after` is the
// character after it.
void count_newline(const char* after);
// Skips white space, counting lines.
char* skip_ws(char* p);
const char* skip_ws(const char* p);
// Skips white space without counting lines (inside copied texts).
const char* skip_space_only(const char* p);
// Reads an identifier (syntax error when there is none).
char* read_identifier(char* src, std::string& dst);
const char* read_identifier(const char* src, std::string& dst);
// Removes every white-space character.
void delete_space(std::string& text);
// Reads a decimal number, saturating instead of overflowing.
long long read_decimal(const char*& p);
// Rejects a text that has outgrown the 4095 characters a text may hold.
void check_text_size(const std::string& text);

void delete_all_list();
void delete_declare();

// Translates one source text into `out`.
void xlator_core(char* text, FILE* out);
// Writes the finished module to `out`.
void print_output(FILE* out, const std::string& module_name);

#endif
