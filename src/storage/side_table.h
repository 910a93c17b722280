// A 32-bit value beside each record of one type, kept outside the records.
//
// What it stores: for records made by Pools (memory.h), a value that only
// some runs need (where in the source each record was made), set when the
// record is made and read when it is written out.  0 means none.
//
// Why it is shaped so: the records of a large design number in millions,
// and a field of their own would cost every run 4 more bytes a record (a
// fifth of a signal record, a third of a condition/value pair).  The table
// costs nothing until a value is set.  Then each chunk of records gets
// 2 bytes a record (calloc'd, so that a page is only touched where records
// are) holding the value's distance from a base, the value of the first
// record set among each 1024 neighbours: records are made one after the
// other, so neighbours hold values close to one another when the values
// grow as the records are made.  A value farther than 65,533 from its base
// (or below it) is kept in a hash table instead.  Emptied, the table keeps
// its arrays and zeroes only the part that was set: the pools it stands
// beside take the same chunks again (a design of many small modules would
// otherwise allocate and zero whole arrays for every module).
#ifndef SFLC_STORAGE_SIDE_TABLE_H
#define SFLC_STORAGE_SIDE_TABLE_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "memory.h"

template <class T>
class SideTable {
public:
    // Sets the value of `rec` (not 0).
    void set(const T* rec, uint32_t value) {
        uint32_t number = chunk::number_of(rec);
        if (number >= chunks_.size()) chunks_.resize(number + 1);
        if (!chunks_[number]) {
            chunks_[number].reset(static_cast<Chunk*>(calloc(1, sizeof(Chunk))));
            if (!chunks_[number]) throw std::bad_alloc();
        }
        Chunk& c = *chunks_[number];
        size_t s = slot(rec);
        if (c.used == 0) touched_.push_back(number);
        if (s >= c.used) c.used = static_cast<uint32_t>(s + 1);
        uint32_t& base = c.base[s / kRun];
        if (!base) base = value;
        if (c.delta[s] == kFar) far_.erase(chunk::ref(rec));
        if (value >= base && value - base < kFar - 1) {
            c.delta[s] = static_cast<uint16_t>(value - base + 1);
        } else {
            c.delta[s] = kFar;
            far_[chunk::ref(rec)] = value;
        }
    }
    // The value of `rec`, 0 when none was set.
    uint32_t get(const T* rec) const {
        if (touched_.empty()) return 0;
        uint32_t number = chunk::number_of(rec);
        if (number >= chunks_.size() || !chunks_[number]) return 0;
        const Chunk& c = *chunks_[number];
        size_t s = slot(rec);
        uint16_t d = c.delta[s];
        if (d == kFar) {
            auto it = far_.find(chunk::ref(rec));
            return it == far_.end() ? 0 : it->second;
        }
        return d ? c.base[s / kRun] + d - 1 : 0;
    }
    // Forgets every value (the records' pools were emptied).
    void clear() {
        for (uint32_t number : touched_) {
            Chunk& c = *chunks_[number];
            memset(c.delta, 0, c.used * sizeof c.delta[0]);
            memset(c.base, 0, (c.used + kRun - 1) / kRun * sizeof c.base[0]);
            c.used = 0;
        }
        touched_.clear();
        far_.clear();
    }

private:
    static constexpr size_t kSlots = (chunk::kSize - chunk::kHeader) / sizeof(T);
    static constexpr size_t kRun = 1024;
    static constexpr uint16_t kFar = 0xFFFF;
    struct Chunk {
        uint32_t used;  // the slots from 0 that may hold a value
        uint32_t base[(kSlots + kRun - 1) / kRun];
        uint16_t delta[kSlots];  // 0: none; kFar: in far_; else value - base + 1
    };
    struct Free {
        void operator()(Chunk* c) const { free(c); }
    };
    static size_t slot(const T* rec) {
        return (reinterpret_cast<uintptr_t>(rec) - chunk::start_of(rec) - chunk::kHeader) / sizeof(T);
    }
    // By chunk number, and the numbers of those holding values.
    std::vector<std::unique_ptr<Chunk, Free>> chunks_;
    std::vector<uint32_t> touched_;
    std::unordered_map<uint32_t, uint32_t> far_;
};

#endif
