// Translator state shared by every pass, the record types of the symbol
// tables, and the statement dispatcher.
#ifndef SFLC_CORE_H
#define SFLC_CORE_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <deque>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <map>
#include <string>
#include <string_view>
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
class SourceReader;

// Memory for records and texts in chunks of 2 MiB, each aligned to its
// size and numbered, so that a record or a text is addressed by a 32-bit
// reference: the chunk number in the high bits, the offset in 4-byte units
// in the low bits.  Half the size of a pointer, and the symbol tables of a
// large module are mostly references.
namespace chunk {
constexpr unsigned kShift = 21;
constexpr size_t kSize = size_t(1) << kShift;
constexpr unsigned kUnitBits = kShift - 2;
constexpr unsigned kMaxChunks = 1u << (32 - kUnitBits);
// Bytes at the start of a chunk that hold its number.
constexpr size_t kHeader = 8;
// Chunk bases by number; number 0 is not a chunk: its base is an empty
// text, which reference 0 decodes to.
extern char* base[kMaxChunks];
// A chunk of `bytes` (whole chunks, at least one), zero-filled when new.
// `huge`: advise huge pages (a table that grows past its first chunk).
char* take(size_t bytes = kSize, bool huge = false);
// Returns a chunk from `take` for reuse.
void give(char* chunk);
// The start of the chunk that holds `p`, and its number.
inline uintptr_t start_of(const void* p) { return reinterpret_cast<uintptr_t>(p) & ~(uintptr_t(kSize) - 1); }
inline uint32_t number_of(const void* p) {
    uint32_t num;
    std::memcpy(&num, reinterpret_cast<const void*>(start_of(p)), 4);
    return num;
}
inline uint32_t ref(const void* p) {
    uintptr_t offset = reinterpret_cast<uintptr_t>(p) - start_of(p);
    return (number_of(p) << kUnitBits) | static_cast<uint32_t>(offset >> 2);
}
inline char* at(uint32_t r) { return base[r >> kUnitBits] + (size_t(r & ((1u << kUnitBits) - 1)) << 2); }
// Texts are addressed in 2-byte units (see Text): chunk numbers below
// kMaxTextChunks hold them.
constexpr unsigned kTextUnitBits = kShift - 1;
constexpr unsigned kMaxTextChunks = 1u << (32 - kTextUnitBits);
inline uint32_t text_ref(const void* p) {
    uintptr_t offset = reinterpret_cast<uintptr_t>(p) - start_of(p);
    return (number_of(p) << kTextUnitBits) | static_cast<uint32_t>(offset >> 1);
}
inline char* text_at(uint32_t r) {
    return base[r >> kTextUnitBits] + (size_t(r & ((1u << kTextUnitBits) - 1)) << 1);
}
}  // namespace chunk

// A 32-bit reference to a record made by a Pool; converts to and from a
// pointer, null included.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(T* p) : r_(p ? chunk::ref(p) : 0) {}
    operator T*() const { return r_ ? reinterpret_cast<T*>(chunk::at(r_)) : nullptr; }
    T* operator->() const { return *this; }
    T* get() const { return *this; }
    // The reference itself: ordered like the chunks and the records in them.
    uint32_t raw() const { return r_; }

private:
    uint32_t r_ = 0;
};

// A text of the symbol tables, held in a TextStore: a reference to its
// characters, with the length stored just before them and a NUL just after.
// Four bytes per field instead of a string object and its allocation.  The
// length takes two bytes; a text of 0xFFFF characters or more (rare) has
// 0xFFFF there and its length in the four bytes before.
class Text {
public:
    static constexpr uint16_t kLong = 0xFFFF;
    Text() = default;
    size_t size() const {
        uint16_t n;
        std::memcpy(&n, p() - 2, 2);
        if (n != kLong) return n;
        uint32_t m;
        std::memcpy(&m, p() - 6, 4);
        return m;
    }
    bool empty() const { return size() == 0; }
    const char* c_str() const { return p(); }
    const char* data() const { return p(); }
    char operator[](size_t i) const { return p()[i]; }
    std::string_view view() const { return std::string_view(p(), size()); }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(p(), size()); }
    // Copies `s` into the module's store, or the run's when `run_long`.
    void assign(std::string_view s, bool run_long = false);

private:
    friend class TextStore;
    const char* p() const { return chunk::text_at(r_); }
    uint32_t r_ = 0;
};

inline bool operator==(const Text& a, std::string_view b) { return a.view() == b; }
inline bool operator!=(const Text& a, std::string_view b) { return a.view() != b; }
inline std::string operator+(const std::string& a, const Text& b) { return a + b.str(); }
inline std::string operator+(std::string&& a, const Text& b) { return std::move(a.append(b.data(), b.size())); }
inline std::string operator+(const char* a, const Text& b) { return std::string(a) + b; }
inline std::string operator+(const Text& a, const std::string& b) { return a.str() + b; }
inline std::string operator+(const Text& a, const char* b) { return a.str() + b; }

// Zero-filled memory for index tables, of `bytes`.  From 2 MiB on it is
// mapped on its own and advised to use huge pages: the symbol tables of a
// large module are read at random, and with 4 KiB pages most of those
// reads would also miss the address translation cache.
void* table_alloc(size_t bytes);
// Frees a table_alloc of `bytes`.
void table_free(void* p, size_t bytes);

// Append-only storage of Texts in chunks; emptied as a whole.
class TextStore {
public:
    TextStore() = default;
    TextStore(TextStore&& o) noexcept { *this = std::move(o); }
    TextStore& operator=(TextStore&& o) noexcept;
    ~TextStore() { clear(); }
    // Stores `s`; with `room` > s.size(), the text can grow to `room`
    // characters in place (see extend).
    Text add(std::string_view s, size_t room = 0);
    // Appends `s` to `t` in place: `t` was added with room for it and no
    // other Text refers to it.
    static void extend(Text& t, std::string_view s);
    // Takes back `t`, added with `room` characters of room (its size when
    // added without), to which no Text refers any more: a later text that
    // takes as many bytes reuses its bytes.
    void recycle(Text t, size_t room);
    void clear();

private:
    // Bytes of a text with `chars` characters of room (header, characters
    // and NUL, at an even address).
    static size_t bytes_for(size_t chars);
    static Text place(char* p, std::string_view s, bool long_form);
    std::vector<char*> chunks_;
    char* cur_ = nullptr;
    size_t left_ = 0;
    // Recycled texts by bytes_for(room) / 2, chained through their first
    // four characters.
    std::vector<uint32_t> recycled_;
};

// Record storage in chunks: records never move, cost no allocation of
// their own, and are addressed by Ref.  A pool's first chunk stays in small
// pages, so that a small module touches a page or two of it; the chunks
// after it are advised to use huge pages.
template <class T>
class Pool {
public:
    static_assert(alignof(T) <= chunk::kHeader && alignof(T) >= 4, "records are aligned to 4 or 8 bytes");
    Pool() = default;
    Pool(Pool&& o) noexcept { *this = std::move(o); }
    Pool& operator=(Pool&& o) noexcept {
        if (this != &o) {
            clear();
            chunks_ = std::move(o.chunks_);
            used_ = o.used_;
            o.chunks_.clear();
            o.used_ = kPerChunk;
        }
        return *this;
    }
    ~Pool() { clear(); }
    // Records made so far, and the i-th of them.
    size_t size() const { return chunks_.empty() ? 0 : (chunks_.size() - 1) * kPerChunk + used_; }
    T* at(size_t i) const {
        return reinterpret_cast<T*>(chunks_[i / kPerChunk] + chunk::kHeader + sizeof(T) * (i % kPerChunk));
    }
    T* make() {
        if (used_ == kPerChunk) {
            chunks_.reserve(chunks_.size() + 1);
            chunks_.push_back(chunk::take(chunk::kSize, !chunks_.empty()));
            used_ = 0;
        }
        return new (chunks_.back() + chunk::kHeader + sizeof(T) * used_++) T();
    }
    void clear() {
        for (size_t k = 0; k < chunks_.size(); ++k) {
            if (!std::is_trivially_destructible<T>::value) {
                size_t n = k + 1 == chunks_.size() ? used_ : kPerChunk;
                for (size_t i = 0; i < n; ++i)
                    reinterpret_cast<T*>(chunks_[k] + chunk::kHeader + sizeof(T) * i)->~T();
            }
            chunk::give(chunks_[k]);
        }
        chunks_.clear();
        used_ = kPerChunk;
    }

private:
    static constexpr size_t kPerChunk = (chunk::kSize - chunk::kHeader) / sizeof(T);
    std::vector<char*> chunks_;
    size_t used_ = kPerChunk;
};

// The key of a record in its index: its name.
struct NameOf {
    template <class T>
    std::string_view operator()(const T* rec) const {
        return rec->name;
    }
};

// Finds records by their key.  Up to four records are kept in the index
// object itself and compared one by one (a stage's few states cost no
// table); from the fifth on, open addressing over a table of record
// references (linear probing, at most 5/8 full): four bytes a slot (five
// with a tag byte), and the key is read from the record itself, which never
// moves and never changes once indexed.  The records come from Pools.  The
// first record of a key wins.
template <class T, class KeyOf = NameOf, class Key = std::string_view, class Hash = std::hash<Key>,
          bool kTagged = true>
class NameIndex {
public:
    NameIndex() = default;
    NameIndex(NameIndex&& o) noexcept { *this = std::move(o); }
    NameIndex& operator=(NameIndex&& o) noexcept {
        if (this != &o) {
            clear();
            table_ = o.table_;
            cap_ = o.cap_;
            size_ = o.size_;
            std::copy(o.small_, o.small_ + kSmall, small_);
            o.table_ = nullptr;
            o.cap_ = o.size_ = 0;
        }
        return *this;
    }
    ~NameIndex() { clear(); }
    T* get(const Key& key) const {
        if (cap_ == 0) {
            for (uint32_t i = 0; i < size_; ++i)
                if (KeyOf()(small_[i].get()) == key) return small_[i];
            return nullptr;
        }
        const Ref<T>* slots_ = table_;
        size_t mask = cap_ - 1;
        size_t h = hash(key);
        if constexpr (kTagged) {
            const uint8_t* tags_ = tags();
            uint8_t tag = tag_of(h);
            for (size_t i = h & mask;; i = (i + 1) & mask) {
                uint8_t t = tags_[i];
                if (t == 0) return nullptr;
                if (t != tag) continue;
                T* rec = slots_[i];
                if (KeyOf()(rec) == key) return rec;
            }
        }
        for (size_t i = h & mask;; i = (i + 1) & mask) {
            T* rec = slots_[i];
            if (!rec) return nullptr;
            if (KeyOf()(rec) == key) return rec;
        }
    }
    size_t count(const Key& key) const { return get(key) ? 1 : 0; }
    bool empty() const { return size_ == 0; }
    size_t size() const { return size_; }
    // Indexes `rec` under its key unless that key is indexed already.
    void insert(T* rec) {
        Key key = KeyOf()(rec);
        if (cap_ == 0 && size_ < kSmall) {
            if (get(key)) return;
            small_[size_++] = rec;
            return;
        }
        if (get(key)) return;
        if ((size_t(size_) + 1) * 8 > size_t(cap_) * 5) grow();
        place(rec);
        ++size_;
    }
    void clear() {
        if (table_) table_free(table_, bytes(cap_));
        table_ = nullptr;
        cap_ = size_ = 0;
    }

private:
    static constexpr uint32_t kSmall = 4;
    static size_t hash(const Key& key) { return Hash()(key); }
    // A tagged index keeps a byte of each slot's hash beside the slots
    // (0: empty), so that a search reads records only when that byte
    // matches: a search for a name that is missing reads no record at
    // all, which matters once the records outgrow the caches.
    static uint8_t tag_of(size_t h) {
        uint8_t t = static_cast<uint8_t>(h >> (8 * sizeof(size_t) - 8));
        return t ? t : 1;
    }
    static size_t bytes(size_t cap) { return cap * (sizeof(Ref<T>) + (kTagged ? 1 : 0)); }
    uint8_t* tags() const { return reinterpret_cast<uint8_t*>(table_ + cap_); }
    // Puts `rec`, whose key is not indexed, into the first free slot.
    void place(T* rec) {
        size_t mask = cap_ - 1;
        size_t h = hash(KeyOf()(rec));
        size_t i = h & mask;
        if constexpr (kTagged) {
            uint8_t* tags_ = tags();
            while (tags_[i]) i = (i + 1) & mask;
            tags_[i] = tag_of(h);
        } else {
            while (table_[i]) i = (i + 1) & mask;
        }
        table_[i] = rec;
    }
    void grow() {
        size_t old_cap = cap_;
        Ref<T>* old_slots = table_;
        if (cap_ >= (uint32_t(1) << 30)) throw std::bad_alloc();
        uint32_t cap = cap_ == 0 ? 16 : cap_ * 2;
        // zero-filled: every slot empty
        table_ = static_cast<Ref<T>*>(table_alloc(bytes(cap)));
        cap_ = cap;
        if (old_cap == 0) {
            for (uint32_t k = 0; k < size_; ++k) place(small_[k]);
            return;
        }
        // Placing a record reads its key.  Taken in the order of the slots,
        // the records come at random, and each key costs a few cache misses
        // once they outgrow the caches; taken in the order of their
        // references, records and keys are read mostly one after the other.
        size_t n = 0;
        for (size_t k = 0; k < old_cap; ++k)
            if (old_slots[k]) old_slots[n++] = old_slots[k];
        std::sort(old_slots, old_slots + n, [](Ref<T> a, Ref<T> b) { return a.raw() < b.raw(); });
        for (size_t k = 0; k < n; ++k) place(old_slots[k]);
        table_free(old_slots, bytes(old_cap));
    }
    Ref<T>* table_ = nullptr;
    uint32_t cap_ = 0;
    uint32_t size_ = 0;
    Ref<T> small_[kSmall] = {};
};

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
};

// The formal arguments of one instruction: records chained through
// `next`, kept beside the signal records since few signals have any.
struct ArgChain {
    Ref<const list> owner;
    Ref<list> first;
    Ref<list> last;
    struct OwnerOf {
        const list* operator()(const ArgChain* c) const { return c->owner.get(); }
    };
    using Index = NameIndex<ArgChain, OwnerOf, const list*, std::hash<const list*>>;
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
    Ref<list> port;
    int interface = 0;
    Ref<list> port_tail;
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
};

struct state {
    Ref<state> next;
    Text name;
    int first = 0;
};

struct stage {
    Ref<stage> next;
    Text name;
    Ref<struct task> task;
    Ref<struct state> state;
    int state_num = 0;
    int defined = 0;
    Ref<struct task> task_tail;
    Ref<struct state> state_tail;
    NameIndex<struct task> task_index;
    NameIndex<struct state> state_index;
    Ref<struct state> first_state;
};

// Under -O, the pair that holds one value of one signal.
struct MergeEntry {
    Ref<const list> target;
    Ref<logic> pair;
    // Room of the pair's condition once it holds joined conditions of its
    // own (0: not yet joined).  Joined conditions grow in place into
    // doubled room, so joining k conditions copies O(k) bytes.
    uint32_t room : 31;
    // Whether the pair's first condition is a text that no other pair
    // shares: when it is joined, its bytes can be recycled.
    uint32_t owns_condition : 1;
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

struct stack_entry {
    std::string cond;
    int kind = 0;
    std::string else_cond;
};

// The state constants of a module: written as its parameter declarations,
// and looked up by the width evaluation, which matches a name at the end of
// a parameter name, not only whole names (first declared first).  Every
// parameter name starts with '_', so a token starting with '_' can only end
// a name at one of its '_' characters: those suffixes are indexed.  Other
// tokens (rare) are looked for by a scan.
class ParamIndex {
public:
    void clear();
    // Adds the constant `name` = `value`, `width` bits wide; `first` and
    // `last` mark the ends of one parameter declaration.
    void add(std::string_view name, int width, int value = 0, bool first = false, bool last = false);
    // Width of the first parameter whose name ends with `token`, or -1.
    int find_suffix(std::string_view token) const;
    // The stored text of the parameter named `name`, if it holds the first
    // name ending so (a value naming a state shares it).
    bool find_name(std::string_view name, Text& found) const;
    // Writes the parameter declarations.
    void write(FILE* out) const;

private:
    struct Param {
        Text name;
        int width;
        int value;
        bool first, last;
    };
    // The end of a parameter name from one of its '_' on: the name, the
    // position of the '_' and the parameter's width.
    struct Suffix {
        Text name;
        uint32_t at;
        int width;
        struct KeyOf {
            std::string_view operator()(const Suffix* s) const { return s->name.view().substr(s->at); }
        };
    };
    std::deque<Param> params_;
    Pool<Suffix> suffixes_;
    NameIndex<Suffix, Suffix::KeyOf> suffix_index_;
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
    // --extended: accept constructs that SFL written for other SFL tools uses
    int extended_flag = 0;
    int km = 1;

    // Comment removal state, carried from line to line and file to file.
    int cm_state = 0, s_quote = 0, d_quote = 0;

    // Size from which a piece of a source file may end (see SourceReader).
    size_t piece_bytes = 1 << 20;

    // The reader of the file being translated (null for a text given whole).
    SourceReader* reader = nullptr;

    // Dispatcher.
    int count = 0;
    const char* line_head = nullptr;
    int count_ok = 0;
    int owner = 1;
    long long total_alloc_size = 0;
    int module_flag = 0, circuit_flag = 0, declare_flag = 0;
    int combinational = 0;
    int clock_aspect = 0;
    // Submodule instances of the module, in order, and by name (the
    // first instance of a name wins).
    Pool<instance> instances;
    instance* instance_list = nullptr;
    instance* instance_tail = nullptr;
    NameIndex<instance> instance_index;
    ParamIndex param_index;

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
    NameIndex<list, NetExprOf> net_index;
    // The -O nets, made in the order of their numbers: "_net_N" is the
    // N-th record here, not in wire_index.
    Pool<list> nets;
    // Set while a signal is entered that find_wire finds without the
    // wire index (a -O net, a port net of a small declare).
    bool derived_name = false;
    int net_num = 0;
    // The stage whose states were named last: a stage naming its states
    // as that one did shares their texts.
    stage* last_state_names = nullptr;
    list* define_list = nullptr;
    list* define_tail = nullptr;
    NameIndex<list> define_index;
    std::string module_name;
    // -O merging: the pair holding each value of each signal.
    Pool<MergeEntry> merge_entries;
    NameIndex<MergeEntry, MergeEntry::KeyOf, MergeEntry::Key, MergeEntry::Hash> merge_index;

    Text last_condition;
    // The -O entry that owns last_condition, if one does.
    MergeEntry* last_condition_owner = nullptr;
    Text last_value;
    // "1'b1", "1'b0" and "(1'b1)", stored once for the run.
    Text constant_texts[3];

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
    TextStore module_texts;
    TextStore run_texts;
    Pool<list> module_lists;
    list* spare_list = nullptr;  // an unlinked module record to reuse
    Pool<logic> module_logics;
    Pool<stage> module_stages;
    Pool<task> module_tasks;
    Pool<state> module_states;
    Pool<list> run_lists;
    Pool<logic> run_logics;
    // Instruction arguments of module signals and of declared ports.
    Pool<ArgChain> module_args, run_args;
    ArgChain::Index module_arg_index, run_arg_index;
    Pool<declare> run_declares;
};

extern Sflc g;

// Puts every global back to its state at program start.
void reset_state();

// The condition of a pair as a module Text: a condition equal to the last
// one stored shares its text (statements in one block share conditions), and
// so do the common constants and the names of the module's signals.
Text condition_text(std::string_view cond);
// The same, storing the pair's condition under -O: `entry` holds the pair
// and owns its condition while the text is new and no later pair shares it.
Text merge_condition_text(std::string_view cond, MergeEntry* entry);
// The same for the value of a pair.
Text value_text(std::string_view value);

// Record allocation: zero-filled records counted in total_alloc_size.
list* new_list(bool run_long = false);
logic* new_logic(bool run_long = false);
declare* new_declare();
stage* new_stage();
task* new_task();
state* new_state();
// Counts a generated net in the -d byte total.
void count_new_net();

// Links `rec` at the tail of the list given by its head and tail.
template <class H, class T>
void append_record(H& head, H& tail, T* rec) {
    if (tail)
        tail->next = rec;
    else
        head = rec;
    tail = rec;
}

// The first formal argument of the instruction `rec` (null: none); the
// others follow through `next`.
list* instr_args(const list* rec);
// Appends the argument `arg` to the instruction `rec` (a declared port when
// `run_long`).
void append_instr_arg(const list* rec, list* arg, bool run_long);

// Appends a fresh record at the tail of wire_list and returns it (a -O
// net when `net`).
list* append_wire_record(bool net = false);
// Records a filled wire_list name in the lookup index.
void index_wire(list* rec);
// The wire_list record of that name, or null.  A -O net is found by its
// number and a port net of a small declare through its instance, which
// keeps them out of the wire index.
list* find_wire(std::string_view name);

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
// Reads an identifier into a module text.
char* read_identifier(char* src, Text& dst);
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
// The connection line of a submodule instance.
std::string instance_line(const instance* in);
// Forgets the module's instances.
void clear_instances();
// Translates the source file `in` into `out`, reading it in pieces.
void xlator_file(FILE* in, FILE* out);
// Writes the finished module to `out`.
void print_output(FILE* out, const std::string& module_name);

#endif
