#include "text.h"

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

void TextStore::append_growing(Text& t, TextRoom& room, std::string_view sep, std::string_view s,
                               size_t max_room) {
    size_t joined = t.size() + sep.size() + s.size();
    if (joined <= room.chars) {
        extend(t, sep);
        extend(t, s);
        return;
    }
    size_t new_room = joined;
    if (room.chars) {
        new_room = 61;
        while (new_room < joined) new_room = new_room * 2 + 3;
        if (new_room > max_room) new_room = max_room;
    }
    std::string text = t.str();
    text.append(sep);
    text.append(s);
    // Recycling writes into the old bytes: the joined text is copied first.
    // A text with room was placed by this function: its bytes are its own.
    if (room.chars || room.own) recycle(t, room.chars ? room.chars : t.size());
    t = add(text, new_room);
    room.chars = static_cast<uint32_t>(new_room);
    room.own = 1;
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
