// The records of the symbol tables: signal type codes, condition scope
// kinds, the record types, the ring of condition/value pairs, the type
// sets every pass tests, record allocation and the -d byte sizes.
#ifndef SFLC_RECORDS_H
#define SFLC_RECORDS_H

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "memory.h"
#include "name_index.h"
#include "record_list.h"
#include "text.h"

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
    T_INSTANCE = 20,
    // --extended: a memory, an array of words (never in a declare), and a
    // register file, a memory whose words are also named f_0, f_1, ...
    T_MEMORY = 21,
    T_REGFILE = 22
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

// The type sets.  A register takes `:=` and is written as an always
// block; an assignable signal takes `=` in the source; a combinational
// signal (assignable, or an instruction the module drives) is written as
// an assign statement; a port is in the module's port list; a callable
// instruction is activated by a call; an accepted instruction heads an
// `instruct` block.
inline bool is_register_type(int t) { return t == T_REG || t == T_REG_WR || t == T_REG_WS; }
// A register with a reset value (0s or 1s).
inline bool is_resettable_type(int t) { return t == T_REG_WR || t == T_REG_WS; }
inline bool is_assignable_type(int t) { return t == T_OUTPUT || t == T_BIDIRECT || t == T_SEL; }
inline bool is_combinational_type(int t) { return is_assignable_type(t) || t == T_INSTROUT || t == T_INSTRSELF; }
inline bool is_port_type(int t) {
    return t == T_INPUT || t == T_OUTPUT || t == T_BIDIRECT || t == T_INSTRIN || t == T_INSTROUT;
}
inline bool is_callable_type(int t) { return t == T_INSTROUT || t == T_INSTRSELF; }
inline bool is_accepted_instruction_type(int t) { return t == T_INSTRIN || t == T_INSTRSELF; }
inline bool is_instruction_type(int t) { return t == T_INSTRIN || t == T_INSTROUT || t == T_INSTRSELF; }
// An array of words written at the clock edge.
inline bool is_memory_type(int t) { return t == T_MEMORY || t == T_REGFILE; }

struct logic;

// One declared or generated name; also instruction arguments, task
// arguments and macros.
struct list {
    Ref<list> next;
    Text name;
    // The pairs driving it form a ring through their `next`: this is the
    // last pair, whose `next` is the first, so that both ends are at hand
    // without a second pointer (walk it with first_pair / next_pair).  A
    // macro's value is a single pair, not a ring.
    Ref<struct logic> logic;
    int width = 0;
    signed char type = 0;
    char mark = 0;
    signed char edge = 0;
    // Which construct made up the record's name, 0 when the source
    // declared it (encoded by made_up_names.cpp).
    unsigned char made_up = 0;
};

// The formal arguments of one instruction: records chained through
// `next`, kept beside the signal records since few signals have any.
using ArgChain = RecordList<list>;

// An array of signals (--extended): its elements are named by the base
// name, '_' and the index in hexadecimal, zero-padded to the digits of the
// last index (element_name, made_up_names.h).
struct ArrayShape {
    long long size = 0;
};

// One write of a memory word: under `cond`, the word at `address` takes
// `value` (Verilog texts).
struct MemoryWrite {
    Text cond;
    Text address;
    Text value;
    // The statement that wrote it (--line-directives, source_places.h).
    uint32_t place = 0;
};

// One condition/value pair driving a signal.
struct logic {
    Ref<logic> next;
    Text cond;
    Text value;
};

// The interface of one submodule type.
struct declare {
    Ref<declare> next;
    std::string name;
    RecordList<list, Ref<list>> ports;
    int interface = 0;
    NameIndex<list> port_index;
};

// One submodule instance: its connection line is written from the
// declare's ports when the module is printed.
struct instance {
    Ref<instance> next;
    Text name;
    Ref<declare> type;
    // The declare's last port when the instance was made (null: none).
    Ref<list> last_port;
    // The first of its port nets, which follow one another in wire_list,
    // when they are found through the instance instead of the wire index
    // (null: indexed, or none).
    Ref<list> first_net;
};

struct task {
    Ref<task> next;
    Text name;
    char fast = 0;
    Ref<list> arg;
    int number = 0;  // its place among the tasks of its stage, from 0
};

struct state {
    Ref<state> next;
    Text name;
    int first = 0;
};

struct stage {
    Ref<stage> next;
    Text name;
    RecordList<struct task, Ref<struct task>> tasks;
    RecordList<struct state, Ref<struct state>> states;
    int state_num = 0;
    int defined = 0;
    NameIndex<struct task> task_index;
    NameIndex<struct state> state_index;
    Ref<struct state> first_state;
};

// Under -O, the pair that holds one value of one signal.
struct MergeEntry {
    Ref<const list> target;
    Ref<logic> pair;
    // How the pair's condition stands as it grows by joined conditions:
    // its first condition is its own while no other pair shares it.
    TextRoom cond_room;
    using Key = std::pair<const list*, std::string_view>;
    struct KeyOf {
        Key operator()(const MergeEntry* e) const { return Key(e->target.get(), e->pair->value); }
    };
    struct Hash {
        size_t operator()(const Key& k) const {
            return std::hash<std::string_view>()(k.second) * 31 + std::hash<const void*>()(k.first);
        }
    };
};

// The first pair driving `rec`, or null.
inline logic* first_pair(const list* rec) { return rec->logic ? rec->logic->next : nullptr; }
// The pair after `l` among those driving `rec`, or null.
inline logic* next_pair(const list* rec, const logic* l) { return l == rec->logic ? nullptr : l->next; }
// Adds `pair` after the last pair, or before the first, driving `rec`.
void append_pair(list* rec, logic* pair);
void prepend_pair(list* rec, logic* pair);

// The key of a generated net (-O) in its index: the expression it names,
// the value of the pair that drives it (its first pair stays first).
struct NetExprOf {
    std::string_view operator()(const list* rec) const { return first_pair(rec)->value; }
};

// The most levels the condition stack holds.
constexpr int kStackLevels = 100;

// One open level of the condition stack.
struct stack_entry {
    std::string cond;
    int kind = 0;
    std::string else_cond;
    // The translated expression of a switch level (an alt level whose
    // alternatives are case labels) and its width; empty for other levels.
    std::string subject;
    int subject_width = 0;
    // The signals declared in this block (--extended), by their SFL names,
    // and the arrays, by their SFL names, with their sizes.
    std::vector<std::pair<Text, list*>> locals;
    std::vector<std::pair<Text, long long>> local_arrays;
};

// Sizes of the original fixed-size records, for the byte total of -d.
enum {
    SIZE_LIST = 1072,
    SIZE_DECLARE = 1048,
    SIZE_STAGE = 1056,
    SIZE_TASK = 1048,
    SIZE_STATE = 1040,
    SIZE_LOGIC = 8200,
    SIZE_NET = 5128
};

// Record allocation: zero-filled records counted in the -d byte total,
// for the current module or, `run_long`, for the whole run.
list* new_list(bool run_long = false);
// Gives back a module record made by new_list that is linked nowhere; its
// store may hand its place out again.
void unused_list(list* rec);
logic* new_logic(bool run_long = false);
declare* new_declare();
stage* new_stage();
task* new_task();
state* new_state();
// A -O net record (counted as a signal record).
list* new_net_record();
// Counts a generated net in the -d byte total.
void count_new_net();

#endif
