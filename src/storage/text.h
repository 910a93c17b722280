// Texts of 4 bytes a field, and the stores that hold them.
//
// What it stores: the names, conditions and values of a translator's
// tables, each written once and read many times, and emptied as a whole
// (per module, or at the end of the run).
//
// Why it is shaped so: a table field holding a std::string costs 32 bytes
// plus an allocation for anything longer than 15 characters; a Text is a
// 32-bit reference (see memory.h) to characters kept in chunks, with the
// length stored just before them and a NUL just after.  The length takes
// two bytes; a text of 0xFFFF characters or more (rare) has 0xFFFF there
// and its length in the four bytes before.  Texts start at even
// addresses: three bytes less per text on average than 4-byte alignment.
//
// Texts that grow by appending (an or-ed condition that gains a term at
// each statement) get room to grow in place: the first growth takes only
// what it needs (most texts grow once), later ones the next of the rooms
// 61, 125, 253, ... (at least twice the last), so that appending k pieces
// copies O(k) bytes; a text that outgrows its room is recycled for the
// next text of that room.  On a design of one register with 200 joined
// values per condition this took peak memory at 64 MB from 244 to 173 MB.
#ifndef SFLC_STORAGE_TEXT_H
#define SFLC_STORAGE_TEXT_H

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "memory.h"

// A text held in a TextStore (the empty text in none).
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

// How a text that grows by appending stands: the characters of room it
// has (0: none yet, it was added at its size), and whether its bytes are
// its own (no other Text refers to them), so that the store may reuse them
// when the text moves.  4 bytes, to sit in a record.
struct TextRoom {
    uint32_t chars : 31;
    uint32_t own : 1;
    TextRoom() : chars(0), own(0) {}
};

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
    // Appends `sep` and `s` to `t`, a text of this store that stands as
    // `room` says: in place while its room allows, else `t` moves to the
    // next room of the growth (at most `max_room` characters), and its old
    // bytes are recycled when they are its own.  `room` is updated.
    void append_growing(Text& t, TextRoom& room, std::string_view sep, std::string_view s, size_t max_room);
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

#endif
