#include "extended_dialect.h"

#include "array_writes.h"
#include "arrays.h"
#include "initial_values.h"
#include "inherited_ports.h"
#include "memory_contents.h"
#include "processes.h"
#include "processes_increment.h"
#include "processes_memory.h"
#include "processes_switch.h"
#include "replication_loops.h"
#include "search_list.h"

namespace {

class ExtendedDialect final : public ExtendedHooks {
public:
    char* switch_header(char* p) const override { return mycmp(p, "switch", '(') ? process_switch(p) : nullptr; }

    char* switch_alternative(char* p) const override { return in_switch_body() && case_at(p) ? process_case(p) : nullptr; }

    char* replication_loop(char* p, const std::function<void(char*)>& translate) const override {
        return replication_loop_at(p) ? process_replication_loop(p, translate) : nullptr;
    }

    bool dispatched_after_colon(const char* p) const override {
        return *p == '{' || mycmp(p, "switch", '(') || mycmp(p, "instruct", 0) || replication_loop_at(p);
    }

    char* assignment(char* start, char*& p, std::string& target, int check) const override {
        if (*p == '[') {
            if (const list* mem = memory_named(target)) return process_memory_write(p, mem, target);
            if (char* done = process_array_write(p, target, check)) return done;
        }
        p = indexed_target(p, target, "");
        if (check && is_compound_transfer(p)) return process_compound_transfer(p, target);
        long long word;
        if (const list* regfile = register_file_word(target, &word))
            return process_register_file_write(p, regfile, word);
        if (check && *p == '.' && !find_wire(target) && is_task_start(target)) return process_task_start(start);
        return nullptr;
    }

    void module_opened(const std::string& name) const override { inherit_declare_ports(name); }

    char* declared_value(char* p, bool memory, std::string& value) const override {
        return memory ? read_memory_contents(p, value) : read_initial_value(p, value);
    }

    void memory_declared(char* depth, const list* mem, const std::string& name) const override {
        read_memory_depth(depth, mem, name);
    }

    void value_declared(const list* rec, bool memory, const std::string& value) const override {
        if (memory)
            set_memory_contents(rec, value);
        else
            set_initial_value(rec, value);
    }
};

}  // namespace

const ExtendedHooks& extended_hooks() {
    static const ExtendedDialect dialect;
    return dialect;
}
