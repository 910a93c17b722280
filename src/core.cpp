#include "core.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "error.h"
#include "insert_list.h"
#include "processes.h"
#include "search_list.h"
#include "set_logic.h"
#include "stack.h"
#include "convert_logic.h"
#include "mygetline.h"


// ---------------------------------------------------------------- records

namespace chunk {

namespace {

// Reference 0 decodes to the characters of this empty text.
alignas(8) const char kEmpty[8] = {0, 0, 0, 0, 0, 0, 0, 0};

// Chunks of one 2 MiB size returned for reuse, and numbers no chunk holds.
std::vector<char*> spare;
std::vector<uint32_t> free_numbers;
uint32_t next_number = 1;

// Maps `bytes` (whole chunks) aligned to kSize: one chunk more is mapped,
// and the ends beyond the aligned part are unmapped again.
char* map_aligned(size_t bytes) {
    void* m = mmap(nullptr, bytes + kSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
    uintptr_t start = reinterpret_cast<uintptr_t>(m);
    uintptr_t aligned = (start + kSize - 1) & ~(uintptr_t(kSize) - 1);
    if (aligned > start) munmap(m, aligned - start);
    size_t tail = start + bytes + kSize - (aligned + bytes);
    if (tail) munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    return reinterpret_cast<char*>(aligned);
}

// The size of a chunk, kept beside its number in its header.
size_t size_of(const char* c) {
    uint32_t units;
    std::memcpy(&units, c + 4, 4);
    return size_t(units) << kShift;
}

}  // namespace

char* base[kMaxChunks] = {const_cast<char*>(kEmpty) + 4};

char* take(size_t bytes, bool huge) {
    bytes = (bytes + kSize - 1) & ~(kSize - 1);
    if (bytes == 0) bytes = kSize;
    char* c;
    if (bytes == kSize && !spare.empty()) {
        c = spare.back();
        spare.pop_back();
    } else {
        uint32_t num;
        if (!free_numbers.empty()) {
            num = free_numbers.back();
        } else {
            if (next_number >= kMaxChunks) throw std::bad_alloc();
            num = next_number;
        }
        c = map_aligned(bytes);
        if (free_numbers.empty())
            ++next_number;
        else
            free_numbers.pop_back();
        base[num] = c;
        uint32_t units = static_cast<uint32_t>(bytes >> kShift);
        std::memcpy(c, &num, 4);
        std::memcpy(c + 4, &units, 4);
    }
    if (huge) madvise(c, bytes, MADV_HUGEPAGE);  // a hint: without it, small pages
    return c;
}

void give(char* c) {
    if (size_of(c) == kSize) {
        spare.push_back(c);
        return;
    }
    uint32_t num;
    std::memcpy(&num, c, 4);
    base[num] = nullptr;
    free_numbers.push_back(num);
    munmap(c, size_of(c));
}

}  // namespace chunk

// After the chunk store: the state is destroyed before the store at exit.
Sflc g;

void reset_state() { g = Sflc(); }

void Text::assign(std::string_view s, bool run_long) {
    *this = (run_long ? g.run_texts : g.module_texts).add(s);
}

void* table_alloc(size_t bytes) {
    if (bytes >= chunk::kSize - chunk::kSize / 16) {
        // Whole huge pages, aligned to their size.
        size_t n = (bytes + chunk::kSize - 1) & ~(chunk::kSize - 1);
        char* p = chunk::map_aligned(n);
        madvise(p, n, MADV_HUGEPAGE);  // a hint: without it, small pages
        return p;
    }
    void* p = calloc(1, bytes ? bytes : 1);
    if (!p) throw std::bad_alloc();
    return p;
}

void table_free(void* p, size_t bytes) {
    if (bytes >= chunk::kSize - chunk::kSize / 16)
        munmap(p, (bytes + chunk::kSize - 1) & ~(chunk::kSize - 1));
    else
        free(p);
}

TextStore& TextStore::operator=(TextStore&& o) noexcept {
    if (this != &o) {
        clear();
        chunks_ = std::move(o.chunks_);
        cur_ = o.cur_;
        left_ = o.left_;
        recycled_ = std::move(o.recycled_);
        o.recycled_.clear();
        o.chunks_.clear();
        o.cur_ = nullptr;
        o.left_ = 0;
    }
    return *this;
}

size_t TextStore::bytes_for(size_t chars) {
    size_t header = chars >= Text::kLong ? 6 : 2;
    return (header + chars + 1 + 1) & ~size_t(1);
}

Text TextStore::add(std::string_view s, size_t room) {
    if (s.empty() && room == 0) return Text();
    if (s.size() > UINT32_MAX - 16 || room > UINT32_MAX - 16) throw std::bad_alloc();
    size_t chars = room > s.size() ? room : s.size();
    size_t need = bytes_for(chars);
    bool long_form = chars >= Text::kLong;
    if (need / 2 < recycled_.size() && recycled_[need / 2]) {
        uint32_t r = recycled_[need / 2];
        char* p = chunk::text_at(r);
        std::memcpy(&recycled_[need / 2], p, 4);
        return place(p - (long_form ? 6 : 2), s, long_form);
    }
    if (need > left_) {
        chunks_.reserve(chunks_.size() + 1);
        // Long texts get a chunk of their own; the current chunk stays open.
        if (need > chunk::kSize / 4) {
            chunks_.push_back(chunk::take(need + chunk::kHeader));
            return place(chunks_.back() + chunk::kHeader, s, long_form);
        }
        chunks_.push_back(chunk::take(chunk::kSize, chunks_.size() > 0));
        cur_ = chunks_.back() + chunk::kHeader;
        left_ = chunk::kSize - chunk::kHeader;
    }
    char* p = cur_;
    cur_ += need;
    left_ -= need;
    return place(p, s, long_form);
}

void TextStore::recycle(Text t, size_t room) {
    size_t slot = bytes_for(room) / 2;
    if (room < 4 || t.empty()) return;
    if (recycled_.size() <= slot) recycled_.resize(slot + 1);
    std::memcpy(const_cast<char*>(t.p()), &recycled_[slot], 4);
    recycled_[slot] = t.r_;
}

void TextStore::extend(Text& t, std::string_view s) {
    char* p = const_cast<char*>(t.p());
    size_t n = t.size();
    std::memcpy(p + n, s.data(), s.size());
    n += s.size();
    p[n] = '\0';
    uint16_t short_n;
    std::memcpy(&short_n, p - 2, 2);
    if (short_n == Text::kLong) {
        uint32_t long_n = static_cast<uint32_t>(n);
        std::memcpy(p - 6, &long_n, 4);
    } else {
        short_n = static_cast<uint16_t>(n);
        std::memcpy(p - 2, &short_n, 2);
    }
}

Text TextStore::place(char* p, std::string_view s, bool long_form) {
    if (long_form) {
        uint32_t n = static_cast<uint32_t>(s.size());
        std::memcpy(p, &n, 4);
        p += 4;
    }
    uint16_t n = long_form ? Text::kLong : static_cast<uint16_t>(s.size());
    std::memcpy(p, &n, 2);
    std::memcpy(p + 2, s.data(), s.size());
    p[2 + s.size()] = '\0';
    Text t;
    if (chunk::number_of(p) >= chunk::kMaxTextChunks) throw std::bad_alloc();
    t.r_ = chunk::text_ref(p + 2);
    return t;
}

void TextStore::clear() {
    for (char* c : chunks_) chunk::give(c);
    std::vector<char*>().swap(chunks_);
    std::vector<uint32_t>().swap(recycled_);
    cur_ = nullptr;
    left_ = 0;
}

namespace {

// The text of `s` if the run or the module holds it already: one of the
// constants that pairs repeat most, or the name of a signal of the module.
bool shared_text(std::string_view s, Text& found) {
    static const char* const kConstants[] = {"1'b1", "1'b0", "(1'b1)"};
    for (size_t i = 0; i < sizeof kConstants / sizeof *kConstants; ++i) {
        if (s != kConstants[i]) continue;
        Text& t = g.constant_texts[i];
        if (t.empty()) t.assign(s, true);
        found = t;
        return true;
    }
    if (s.empty() || !is_ident_start(s[0])) return false;
    for (char c : s)
        if (!is_ident_char(c)) return false;
    if (const list* rec = find_wire(s)) {
        found = rec->name;
        return true;
    }
    return g.param_index.find_name(s, found);
}

// `last` if it holds `s`, else a shared text of `s`, else a new one.
Text repeated_text(Text& last, std::string_view s) {
    if (last != s && !shared_text(s, last)) last.assign(s);
    return last;
}

}  // namespace

Text condition_text(std::string_view cond) { return merge_condition_text(cond, nullptr); }

Text merge_condition_text(std::string_view cond, MergeEntry* entry) {
    Text& last = g.last_condition;
    if (last == cond) {
        // A second pair shares the text: its first pair owns it no more.
        if (g.last_condition_owner) g.last_condition_owner->owns_condition = 0;
        g.last_condition_owner = nullptr;
        return last;
    }
    g.last_condition_owner = nullptr;
    if (!shared_text(cond, last)) {
        last.assign(cond);
        if (entry) {
            entry->owns_condition = 1;
            g.last_condition_owner = entry;
        }
    }
    return last;
}

Text value_text(std::string_view value) { return repeated_text(g.last_value, value); }

list* new_list(bool run_long) {
    g.total_alloc_size += SIZE_LIST;
    if (!run_long && g.spare_list) {
        list* rec = g.spare_list;
        g.spare_list = nullptr;
        *rec = list();
        return rec;
    }
    return (run_long ? g.run_lists : g.module_lists).make();
}

logic* new_logic(bool run_long) {
    g.total_alloc_size += SIZE_LOGIC;
    return (run_long ? g.run_logics : g.module_logics).make();
}

declare* new_declare() {
    g.total_alloc_size += SIZE_DECLARE;
    return g.run_declares.make();
}

stage* new_stage() {
    g.total_alloc_size += SIZE_STAGE;
    return g.module_stages.make();
}

task* new_task() {
    g.total_alloc_size += SIZE_TASK;
    return g.module_tasks.make();
}

state* new_state() {
    g.total_alloc_size += SIZE_STATE;
    return g.module_states.make();
}

void count_new_net() { g.total_alloc_size += SIZE_NET; }

list* instr_args(const list* rec) {
    const ArgChain* c = g.module_arg_index.get(rec);
    if (!c) c = g.run_arg_index.get(rec);
    return c ? c->first : nullptr;
}

void append_instr_arg(const list* rec, list* arg, bool run_long) {
    ArgChain::Index& index = run_long ? g.run_arg_index : g.module_arg_index;
    ArgChain* c = index.get(rec);
    if (!c) {
        c = (run_long ? g.run_args : g.module_args).make();
        c->owner = rec;
        index.insert(c);
    }
    if (c->last)
        c->last->next = arg;
    else
        c->first = arg;
    c->last = arg;
}

void append_pair(list* rec, logic* pair) {
    prepend_pair(rec, pair);
    rec->logic = pair;
}

void prepend_pair(list* rec, logic* pair) {
    if (rec->logic) {
        pair->next = rec->logic->next;
        rec->logic->next = pair;
    } else {
        pair->next = pair;
        rec->logic = pair;
    }
}

list* append_wire_record(bool net) {
    list* rec;
    if (net) {
        g.total_alloc_size += SIZE_LIST;
        rec = g.nets.make();
    } else {
        rec = new_list();
    }
    g.wire_prev_tail = g.wire_tail;
    append_record(g.wire_list, g.wire_tail, rec);
    return rec;
}

void index_wire(list* rec) { g.wire_index.insert(rec); }

namespace {

// The -O net "_net_N", or null.
list* find_net(std::string_view name) {
    if (name.size() < 6 || name.substr(0, 5) != "_net_" || name.size() > 15) return nullptr;
    std::string_view digits = name.substr(5);
    if (digits.size() > 1 && digits[0] == '0') return nullptr;
    size_t n = 0;
    for (char c : digits) {
        if (!is_digit(c)) return nullptr;
        n = n * 10 + static_cast<size_t>(c - '0');
    }
    // The net being entered is made before it has its name.
    if (n >= g.nets.size()) return nullptr;
    list* rec = g.nets.at(n);
    return rec->name == name ? rec : nullptr;
}

// The port net "_INSTANCE_PORT" of an instance whose nets are not
// indexed, or null.  Instance and port names may hold '_' themselves, so
// every split is tried.
list* find_port_net(std::string_view name) {
    if (g.instance_index.empty() || name.size() < 4 || name[0] != '_') return nullptr;
    for (size_t k = 2; k + 1 < name.size(); ++k) {
        if (name[k] != '_') continue;
        const instance* in = g.instance_index.get(name.substr(1, k - 1));
        if (!in || !in->first_net) continue;
        list* net = in->first_net;
        for (const list* port = in->type->port; port && net; port = port->next, net = net->next) {
            if (net->name == name) return net;
            if (port == in->last_port) break;
        }
    }
    return nullptr;
}

}  // namespace

list* find_wire(std::string_view name) {
    // A name is held once among all three (entering a second one is a
    // duplicate), so the order only matters for speed: a generated name
    // is looked for where it would be first, sparing the wire index a
    // search that fails.
    if (!name.empty() && name[0] == '_') {
        if (list* rec = find_net(name)) return rec;
        if (list* rec = find_port_net(name)) return rec;
    }
    return g.wire_index.get(name);
}

void delete_all_list() {
    g.wire_list = g.wire_tail = g.wire_prev_tail = nullptr;
    g.wire_index.clear();
    g.stage_list = g.stage_tail = nullptr;
    g.last_state_names = nullptr;
    g.stage_index.clear();
    g.net_index.clear();
    g.net_num = 0;
    g.nets.clear();
    g.merge_index.clear();
    g.merge_entries.clear();
    g.module_lists.clear();
    g.spare_list = nullptr;
    g.module_logics.clear();
    g.module_stages.clear();
    g.module_tasks.clear();
    g.module_states.clear();
    g.module_arg_index.clear();
    g.module_args.clear();
    g.module_texts.clear();
    // Records that hold module texts go with them.
    g.param_index.clear();
    clear_instances();
    g.last_condition = Text();
    g.last_condition_owner = nullptr;
    g.last_value = Text();
}

void delete_declare() {
    g.declare_list = g.declare_tail = nullptr;
    g.declare_index.clear();
    g.run_declares.clear();
}

std::string instance_line(const instance* in) {
    const declare* d = in->type;
    std::string text = "   " + d->name + " " + in->name + "(";
    if (!d->interface) text += ".m_clock(m_clock), .p_reset(p_reset)";
    bool first = d->interface;
    for (const list* port = in->last_port ? d->port : nullptr; port; port = port->next) {
        if (!first) text += ", ";
        first = false;
        text += "." + port->name + "(_" + in->name + "_" + port->name + ")";
        if (port == in->last_port) break;
    }
    text += ");\n";
    return text;
}

void clear_instances() {
    g.instances.clear();
    g.instance_list = g.instance_tail = nullptr;
    g.instance_index.clear();
}

// ------------------------------------------------------------ parameters

void ParamIndex::clear() {
    std::deque<Param>().swap(params_);
    suffixes_.clear();
    suffix_index_.clear();
}

void ParamIndex::add(std::string_view name, int width, int value, bool first, bool last) {
    Param p;
    p.name.assign(name);
    p.width = width;
    p.value = value;
    p.first = first;
    p.last = last;
    params_.push_back(p);
    std::string_view stored = p.name;
    for (size_t i = 0; i < stored.size(); ++i) {
        // The first parameter of a suffix keeps it: a later one (the "_s0"
        // of every stage after the first) costs no record.
        if (stored[i] != '_' || suffix_index_.get(stored.substr(i))) continue;
        Suffix* s = suffixes_.make();
        s->name = p.name;
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

void ParamIndex::write(FILE* out) const {
    for (const Param& p : params_) {
        if (p.first) {
            if (p.width == 1)
                fputs("   parameter\n", out);
            else
                fprintf(out, "   parameter [%d:0]\n", p.width - 1);
        }
        fprintf(out, "      %s = %d'd%d%s", p.name.c_str(), p.width, p.value, p.last ? ";\n" : ",\n");
    }
}

// -------------------------------------------------------------- scanning

void count_newline(const char* after) {
    g.line_head = after;
    ++g.count;
    if (g.n_flag) {
        printf("%4d ", g.count);
        print_oneline(after);
    }
}

char* skip_ws(char* p) { return const_cast<char*>(skip_ws(static_cast<const char*>(p))); }

const char* skip_ws(const char* p) {
    while (is_space(*p)) {
        ++p;
        if (p[-1] == '\n' && g.count_ok) count_newline(p);
    }
    return p;
}

const char* skip_space_only(const char* p) {
    while (is_space(*p)) ++p;
    return p;
}

char* read_identifier(char* src, std::string& dst) {
    return const_cast<char*>(read_identifier(static_cast<const char*>(src), dst));
}

const char* read_identifier(const char* src, std::string& dst) {
    if (!is_ident_start(*src)) syntax_error();
    const char* e = src;
    while (is_ident_char(*e)) ++e;
    dst.assign(src, e);
    return e;
}

char* read_identifier(char* src, Text& dst) {
    if (!is_ident_start(*src)) syntax_error();
    char* e = src;
    while (is_ident_char(*e)) ++e;
    dst.assign(std::string_view(src, e - src));
    return e;
}

void delete_space(std::string& text) {
    size_t j = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (!is_space(text[i])) text[j++] = text[i];
    text.resize(j);
}

long long read_decimal(const char*& p) {
    long long v = 0;
    while (is_digit(*p)) {
        if (v < 100000000000LL) v = v * 10 + (*p - '0');
        ++p;
    }
    return v;
}

void check_text_size(const std::string& text) {
    if (text.size() > 4095) buffer_overflow();
}

// ------------------------------------------------------- module emission

namespace {

bool is_port_type(int t) { return t == T_INPUT || t == T_OUTPUT || t == T_BIDIRECT || t == T_INSTRIN || t == T_INSTROUT; }
bool is_assigned_type(int t) { return t == T_OUTPUT || t == T_BIDIRECT || t == T_SEL || t == T_INSTROUT || t == T_INSTRSELF; }
bool is_register_type(int t) { return t == T_REG || t == T_REG_WR || t == T_REG_WS; }
bool always_true(std::string_view c) { return c == "(1'b1)" || c == "((1'b1))"; }

void put_repeated(FILE* out, char c, int n) {
    for (int i = 0; i < n; ++i) fputc(c, out);
}

void print_assign(FILE* out, const list* rec) {
    auto put_default = [&]() {
        if (rec->type == T_BIDIRECT) {
            fprintf(out, "%d'b", rec->width);
            put_repeated(out, 'z', rec->width);
        } else {
            fprintf(out, "%d'b0", rec->width);
        }
    };
    fprintf(out, "\n   assign %s = ", rec->name.c_str());
    const logic* first = first_pair(rec);
    const logic* l = first;
    if (!l) {
        put_default();
        fputs(";\n", out);
        return;
    }
    if (!next_pair(rec, l) && always_true(l->cond)) {
        fprintf(out, "%s;\n", l->value.c_str());
        return;
    }
    if (g.old_flag) {
        int opened = 0;
        for (; l; l = next_pair(rec, l)) {
            if (l != first) {
                fputc('(', out);
                ++opened;
            }
            fprintf(out, "(%s)?%s:", l->cond.c_str(), l->value.c_str());
            if (next_pair(rec, l))
                fputs("\n   ", out);
            else
                put_default();
        }
        put_repeated(out, ')', opened);
        fputs(";\n", out);
        return;
    }
    for (; l; l = next_pair(rec, l)) {
        fprintf(out, "(%s?%s:", l->cond.c_str(), l->value.c_str());
        put_default();
        fputs(next_pair(rec, l) ? ")|\n   " : ");\n", out);
    }
}

void print_always(FILE* out, const list* rec) {
    bool resettable = rec->type == T_REG_WR || rec->type == T_REG_WS;
    fprintf(out, "\n   always @(%s m_clock", rec->edge ? "negedge" : "posedge");
    if (resettable) fprintf(out, " or %s p_reset", g.posres ? "posedge" : "negedge");
    fputs(") begin\n", out);
    const char* name = rec->name.c_str();
    if (resettable) {
        fprintf(out, "      if (%sp_reset)%s%s <= ", g.posres ? "" : "!", g.O_flag ? "\n        " : " ", name);
        if (rec->mark == 'f') {
            std::string_view n = rec->name;
            std::string sname = n.size() >= 7 ? std::string(n.substr(1, n.size() - 7)) : std::string();
            stage* st = search_stage_list(sname);
            if (!st->state || !st->first_state) syntax_error();
            fprintf(out, "_%s_%s", st->name.c_str(), st->first_state->name.c_str());
        } else if (rec->type == T_REG_WR) {
            fprintf(out, "%d'b0", rec->width);
        } else {
            fprintf(out, "%d'b", rec->width);
            put_repeated(out, '1', rec->width);
        }
        fputs(";\n", out);
    }
    const logic* l = first_pair(rec);
    if (!l) {
        fputs("   end\n", out);
        return;
    }
    if (!next_pair(rec, l) && always_true(l->cond)) {
        fputs("      ", out);
        if (resettable) fputs(g.O_flag ? "else\n        " : "else ", out);
        fprintf(out, "%s <= %s;\n   end\n", name, l->value.c_str());
        return;
    }
    if (g.O_flag) {
        fputs(rec->type == T_REG ? "      if (" : "      else if (", out);
        for (const logic* x = l; x; x = next_pair(rec, x)) fprintf(out, "%s%s", x == l ? "" : "|", x->cond.c_str());
        fprintf(out, ")\n        %s <= ", name);
        for (const logic* x = l; x; x = next_pair(rec, x))
            fprintf(out, "(%s?%s:%d'b0)%s", x->cond.c_str(), x->value.c_str(), rec->width,
                    next_pair(rec, x) ? "|\n        " : "");
        fputs(";\n   end\n", out);
        return;
    }
    for (const logic* x = l; x; x = next_pair(rec, x)) {
        bool first = x == l && rec->type == T_REG;
        fprintf(out, "      %sif (%s) %s <= %s;\n", first ? "" : "else ", x->cond.c_str(), name,
                x->value.c_str());
    }
    fputs("   end\n", out);
}

}  // namespace

void print_output(FILE* out, const std::string& module_name) {
    if (!g.wire_list) {
        fprintf(stderr, "module port is empty\n");
        fatal_exit(1);
    }
    fprintf(out, "\nmodule %s(", module_name.c_str());
    bool first = true;
    for (const list* r = g.wire_list; r; r = r->next) {
        if (!is_port_type(r->type)) continue;
        fprintf(out, "%s%s", first ? "" : ", ", r->name.c_str());
        first = false;
    }
    fputs(");\n", out);
    for (const list* r = g.wire_list; r; r = r->next) {
        const char* kw;
        switch (r->type) {
            case T_INPUT: case T_INSTRIN: kw = "   input "; break;
            case T_OUTPUT: case T_INSTROUT: kw = "   output "; break;
            case T_BIDIRECT: kw = "   inout "; break;
            case T_SEL: case T_INSTRSELF: kw = "   wire "; break;
            case T_REG: case T_REG_WR: case T_REG_WS: kw = "   reg "; break;
            default:
                fprintf(stderr, "unknown type: %s, %d\n", r->name.c_str(), r->type);
                fatal_exit(1);
        }
        fputs(kw, out);
        if (r->width > 1) fprintf(out, "[%d:0] ", r->width - 1);
        fprintf(out, "%s;\n", r->name.c_str());
    }
    for (const instance* in = g.instance_list; in; in = in->next) fputs(instance_line(in).c_str(), out);
    g.param_index.write(out);
    for (const list* r = g.wire_list; r; r = r->next) {
        bool takes_part = r->logic || (is_register_type(r->type) && r->mark == 'f') ||
                          r->type == T_INSTROUT || (r->type == T_INSTRSELF && r->mark != 'x');
        if (!takes_part) continue;
        if (is_assigned_type(r->type))
            print_assign(out, r);
        else if (is_register_type(r->type))
            print_always(out, r);
    }
    fputs("endmodule\n", out);
    fflush(out);
    if (g.d_flag) printf("%s: convert succeeded\n", module_name.c_str());
}

// ------------------------------------------------------------ dispatcher

namespace {

std::string with_commas(long long v) {
    std::string digits = std::to_string(v);
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The locals of one dispatcher invocation.
struct Frame {
    FILE* out;
    int depth = 0;
    int state_name_flag = 0;
    std::string module_name;
    std::string current_stage;
};

char* top_level_statement(char* p, Frame& f) {
    if (f.depth != 0 || g.sp != -1) syntax_error();
    clear_instances();
    g.param_index.clear();
    if (mycmp(p, "recursive", 0)) {
        p = process_recursive(p, f.module_name);
        printf("%s\n", recursive_note_sjis);
    } else if (mycmp(p, "module", 0) || mycmp(p, "circuit", 0)) {
        p = process_module(p, f.module_name, 0);
    } else if (strncmp(p, "declare ", 8) == 0) {
        p = process_declare(p);
    } else if (strncmp(p, "%d ", 3) == 0) {
        p = process_define(p, f.out);
    } else if (strncmp(p, "%i ", 3) == 0) {
        int saved_ok = g.count_ok;
        const char* saved_head = g.line_head;
        p = process_include(p, f.out);
        g.count_ok = saved_ok;
        g.line_head = saved_head;
    } else {
        syntax_error();
    }
    return p;
}

// Reads `condition : statement` of an alt or any block.
char* alternative(char* p, Frame&) {
    char* s = p;
    char* q = p;
    auto newline = [&](const char* nl) {
        if (g.count_ok) {
            ++g.count;
            if (g.n_flag) {
                printf("%4d ", g.count);
                print_oneline(nl + 1);
            }
        }
    };
    for (;;) {
        if (q[0] == '<' && q[1] != '<') {
            // The colon of a bit range such as <7:0> does not end the condition.
            ++q;
            for (; is_space(*q); ++q)
                if (*q == '\n') newline(q);
            if (is_digit(*q)) {
                while (is_digit(*q)) ++q;
                for (; is_space(*q); ++q)
                    if (*q == '\n') newline(q);
                if (*q == ':') ++q;
            }
        }
        if (*q == '\n') newline(q);
        if (*q == ';' || *q == '\0') {
            printf("hoge\n");
            syntax_error();
        }
        ++q;
        if (*q == ':') break;
    }
    char* e = q;
    while (e > s && is_space(e[-1])) --e;
    *e = '\0';
    p = skip_ws(q + 1);
    std::string cond = s;
    int kind = g.stack[g.sp].kind;
    if (cond != "else") {
        int w = convert_logic(cond, 1);
        if (w != 1) warning(kind == K_ANY ? "\"any condition\"" : "\"alt condition\"");
    }
    stack_push(&cond, kind);
    if (mycmp(p, "par", '{') || mycmp(p, "alt", '{') || mycmp(p, "any", '{') || mycmp(p, "if", '(') ||
        mycmp(p, "goto", 0) || mycmp(p, "generate", 0) || mycmp(p, "finish", ';'))
        return p;
    debug_message("logic");
    p = set_logic(p, 1);
    stack_pop_check();
    return p;
}

void end_of_block(Frame& f) {
    g.combinational = 0;
    g.module_flag = 0;
    g.circuit_flag = 0;
    if (g.declare_flag) {
        g.declare_flag = 0;
        return;
    }
    print_output(f.out, f.module_name);
    delete_all_list();
}

char* block_statement(char* p, Frame& f) {
    bool is_else = mycmp(p, "else", 0) && *skip_space_only(p + 4) != ':';
    if (!is_else) g.else_ready = false;
    static const char* const wire_words[] = {"input", "output", "sel", "sel_v", "reg", "reg_wr",
                                             "reg_ws", "instrin", "instrout", "instrself", "bidirect"};
    if (*p == '{') {
        ++f.depth;
        debug_message("{, depth=" + std::to_string(f.depth) + ", sp=" + std::to_string(g.sp));
        return p + 1;
    }
    if (*p == '}') {
        --f.depth;
        debug_message("}, depth=" + std::to_string(f.depth) + ", sp=" + std::to_string(g.sp));
        ++p;
        if (f.depth < 0) syntax_error();
        if (f.depth == 0)
            end_of_block(f);
        else
            stack_pop();
        return p;
    }
    if (strncmp(p, "pos_reg", 7) == 0) return p + 4;
    if (strncmp(p, "neg_reg", 7) == 0) {
        g.clock_aspect = 1;
        return p + 4;
    }
    for (const char* w : wire_words) {
        if (mycmp(p, w, 0)) {
            p = process_wire(p);
            g.clock_aspect = 0;
            return p;
        }
    }
    if (mycmp(p, "instr_arg", 0)) return process_instr_arg(p);
    if (mycmp(p, "stage_name", 0)) return process_stage_name(p);
    if (mycmp(p, "stage", 0)) return process_stage(p, f.current_stage);
    if (mycmp(p, "state_name", 0)) {
        f.state_name_flag = 1;
        return process_state_name(p, f.current_stage);
    }
    if (mycmp(p, "first_state", 0)) return process_first_state(p, f.current_stage);
    if (mycmp(p, "state", 0)) return process_state(p, f.current_stage, f.state_name_flag);
    if (mycmp(p, "generate", 0)) return process_generate(p);
    if (mycmp(p, "goto", 0)) return process_goto(p, f.current_stage);
    if (mycmp(p, "finish", ';')) return process_finish(p, f.current_stage);
    if (mycmp(p, "relay", 0)) return process_relay(p, f.current_stage);
    if (mycmp(p, "if", '(')) return process_if(p);
    static const struct {
        const char* word;
        int kind;
    } blocks[] = {{"par", K_PAR}, {"alt", K_ALT}, {"any", K_ANY}};
    for (const auto& b : blocks) {
        if (mycmp(p, b.word, '{')) {
            debug_message(b.word);
            stack_push(nullptr, b.kind);
            return p + 3;
        }
    }
    if (mycmp(p, "instruct", 0)) return process_instruct(p);
    if (g.declare_flag) syntax_error();
    if (is_alpha(*p)) {
        std::string id;
        read_identifier(p, id);
        if (g.declare_index.count(id)) return insert_list(p, append_wire_record(), T_INSTANCE, '0');
    }
    if (is_else) {
        debug_message("ifelse");
        p = skip_ws(p + 4);
        const std::string* negation = prepare_else();
        stack_push(nullptr, K_ELSE);
        if (negation) {
            std::string cond = *negation;
            stack_push(&cond, K_ELSE);
        } else {
            stack_push(&g.ifelse_logic, K_ELSE);
        }
        return p;
    }
    if (g.sp >= 0 && (g.stack[g.sp].kind == K_ANY || g.stack[g.sp].kind == K_ALT))
        return alternative(p, f);
    debug_message("logic");
    p = set_logic(p, 1);
    stack_pop_check();
    return p;
}

// Where the text of one translation comes from: one text, or a file read
// in pieces.
class Source {
public:
    explicit Source(char* text) : text_(text) {}
    Source(FILE* in, size_t piece_bytes) : reader_(new SourceReader(in, piece_bytes)) {}
    // The next piece, null at the end.
    char* next() {
        if (!reader_) {
            char* t = text_;
            text_ = nullptr;
            return t;
        }
        if (!reader_->next(piece_)) return nullptr;
        piece_end_ = &piece_[0] + piece_.size();
        return &piece_[0];
    }
    // True when the dispatcher stopped before the end of the piece: a NUL
    // in the source ends it, as it ends a whole text.
    bool stopped_early(const char* p) const { return reader_ && p != piece_end_; }
    SourceReader* reader() const { return reader_.get(); }

private:
    char* text_ = nullptr;
    std::unique_ptr<SourceReader> reader_;
    std::string piece_;
    const char* piece_end_ = nullptr;
};

void translate(Source& src, FILE* out);

}  // namespace

void xlator_core(char* text, FILE* out) {
    Source src(text);
    translate(src, out);
}

void xlator_file(FILE* in, FILE* out) {
    Source src(in, g.piece_bytes);
    translate(src, out);
}

namespace {

void translate(Source& src, FILE* out) {
    Frame f;
    f.out = out;
    g.count_ok = g.owner;
    bool outermost = g.owner == 1;
    if (outermost) {
        g.owner = 0;
        stack_clear();
        g.total_alloc_size = 0;
        g.count = 1;
        time_t now = time(nullptr);
        fprintf(out, "// This file was translated at %s", asctime(localtime(&now)));
        fprintf(out, "//  via %s program written by kurotan\n", g.program_name.c_str());
        if (g.d_flag) printf("----- %s_core -----\n", g.program_name.c_str());
    }
    SourceReader* outer_reader = g.reader;
    g.reader = src.reader();
    char* text = src.next();
    static char nothing[1] = {0};
    if (!text) text = nothing;
    // Lines are followed only where they are counted; elsewhere (included
    // files) messages show the first line, which outlives its piece.
    std::string first_line;
    if (g.count_ok) {
        g.line_head = text;
    } else {
        first_line.assign(text, strcspn(text, "\n"));
        g.line_head = first_line.c_str();
    }
    if (g.n_flag && g.count_ok) {
        printf("%4d ", g.count);
        print_oneline(text);
    }
    for (char* p = text; p;) {
        for (;;) {
            p = skip_ws(p);
            if (!*p) break;
            if (g.module_flag + g.circuit_flag + g.declare_flag >= 2) syntax_error();
            if (!g.module_flag && !g.circuit_flag && !g.declare_flag)
                p = top_level_statement(p, f);
            else
                p = block_statement(p, f);
        }
        p = src.stopped_early(p) ? nullptr : src.next();
    }
    if (g.reader) g.reader->publish_end_state();
    g.reader = outer_reader;
    // A block header left without its body is as unbalanced as a missing '}'.
    bool open_header = f.depth == 0 && (g.module_flag || g.circuit_flag || g.declare_flag) && outermost;
    if (f.depth != 0 || g.sp != -1 || open_header) {
        fprintf(stderr, "{ } depth=%d, sp=%d\n", f.depth, g.sp);
        syntax_error();
    }
    if (!outermost) return;
    delete_declare();
    g.define_list = g.define_tail = nullptr;
    g.define_index.clear();
    g.run_lists.clear();
    g.run_logics.clear();
    g.run_arg_index.clear();
    g.run_args.clear();
    g.run_texts.clear();
    for (Text& t : g.constant_texts) t = Text();
    if (g.d_flag) {
        printf("----- translation succeeded -----\n");
        printf("%s Bytes malloced\n", with_commas(g.total_alloc_size).c_str());
    }
    print_success_line();
}

}  // namespace
