// Memory in numbered chunks, 32-bit references into it, and pools of
// records.
//
// What it stores: the records of a translator's tables (thousands to
// millions of small fixed-size structs) and, through TextStore, their
// texts.  It knows nothing of what the records mean.
//
// Why it is shaped so: a large design is mostly small records that point
// at one another.  Memory comes in chunks of 2 MiB, each aligned to its
// size and numbered in its first bytes, so that a record is addressed by a
// 32-bit reference (the chunk number in the high bits, the offset in
// 4-byte units in the low bits) instead of a 64-bit pointer: a signal
// record takes 20 bytes instead of 32, a condition/value pair 12 instead
// of 24, an index slot 4 instead of 8.  References reach 16 GiB of records
// (8 GiB of texts); beyond that `take` throws std::bad_alloc, as running
// out of memory does.  Records never move and cost no allocation of their
// own; a pool is emptied as a whole.
//
// The figures: on the designs of 64 MB of bench/gen_bench.py, peak memory
// fell from 205 to 137 MB (one module of n signals), 422 to 273 MB (n
// instances) and 282 to 176 MB (n stages) when pointers became
// references; standard containers in their place miss the memory target
// (3 x input + 32 MB) on four of the nine shapes.
#ifndef SFLC_STORAGE_MEMORY_H
#define SFLC_STORAGE_MEMORY_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace chunk {
constexpr unsigned kShift = 21;
constexpr size_t kSize = size_t(1) << kShift;
constexpr unsigned kUnitBits = kShift - 2;
constexpr unsigned kMaxChunks = 1u << (32 - kUnitBits);
// Bytes at the start of a chunk that hold its number and size.
constexpr size_t kHeader = 8;
// Chunk bases by number; number 0 is not a chunk: its base is an empty
// text, which reference 0 decodes to.
extern char* base[kMaxChunks];
// A chunk of `bytes` (whole chunks, at least one), zero-filled when new.
// `huge`: advise huge pages (a table that grows past its first chunk).
char* take(size_t bytes = kSize, bool huge = false);
// Returns a chunk from `take` for reuse.
void give(char* chunk);
// Maps `bytes` (whole chunks) aligned to kSize, outside the numbering.
char* map_aligned(size_t bytes);
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

// Zero-filled memory for index tables, of `bytes`.  From 2 MiB on it is
// mapped on its own and advised to use huge pages: the tables of a large
// design are read at random, and with 4 KiB pages most of those reads
// would also miss the address translation cache.
void* table_alloc(size_t bytes);
// Frees a table_alloc of `bytes`.
void table_free(void* p, size_t bytes);

// Record storage in chunks: records never move, cost no allocation of
// their own, and are addressed by Ref.  A pool's first chunk stays in small
// pages, so that a small table touches a page or two of it; the chunks
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
    // Takes back `rec` if it is the record made last, so that the next
    // make() returns its place again; any other record stays made.
    void unmake(T* rec) {
        if (chunks_.empty() || used_ == 0 || rec != at(size() - 1)) return;
        rec->~T();
        --used_;
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

#endif
