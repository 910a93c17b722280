#include "memory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace chunk {

namespace {

// Reference 0 decodes to the characters of this empty text.
alignas(8) const char kEmpty[8] = {0, 0, 0, 0, 0, 0, 0, 0};

// Chunks of one 2 MiB size returned for reuse, and numbers no chunk holds.
// Never destroyed: tables defined elsewhere give their chunks back when
// they are destroyed at exit, in no fixed order with this file.
struct Spares {
    std::vector<char*> chunks;
    std::vector<uint32_t> numbers;
};
Spares& spares() {
    static Spares* s = new Spares;
    return *s;
}
uint32_t next_number = 1;

// The size of a chunk, kept beside its number in its header.
size_t size_of(const char* c) {
    uint32_t units;
    std::memcpy(&units, c + 4, 4);
    return size_t(units) << kShift;
}

}  // namespace

char* base[kMaxChunks] = {const_cast<char*>(kEmpty) + 4};

// One chunk more is mapped, and the ends beyond the aligned part are
// unmapped again.
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

char* take(size_t bytes, bool huge) {
    bytes = (bytes + kSize - 1) & ~(kSize - 1);
    if (bytes == 0) bytes = kSize;
    std::vector<char*>& spare = spares().chunks;
    std::vector<uint32_t>& free_numbers = spares().numbers;
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
        spares().chunks.push_back(c);
        return;
    }
    uint32_t num;
    std::memcpy(&num, c, 4);
    base[num] = nullptr;
    spares().numbers.push_back(num);
    munmap(c, size_of(c));
}

}  // namespace chunk

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
