#include "source_places.h"

#include <algorithm>

uint32_t SourcePlaces::file_number(const std::string& name) {
    auto it = file_numbers_.find(name);
    if (it != file_numbers_.end()) return it->second;
    uint32_t n = static_cast<uint32_t>(files_.size());
    files_.push_back(name);
    file_numbers_.emplace(name, n);
    return n;
}

void SourcePlaces::at_statement(uint32_t file, uint32_t line) {
    uint64_t place = next_free_;
    if (!segments_.empty() && segments_.back().file == file && line >= segments_.back().line)
        place = uint64_t(segments_.back().place) + (line - segments_.back().line);
    else if (place < UINT32_MAX)
        segments_.push_back(Segment{static_cast<uint32_t>(place), file, line});
    // Places run out only after 4 G lines: from there on, none is kept.
    current_ = place < UINT32_MAX ? static_cast<uint32_t>(place) : 0;
    if (place >= next_free_) next_free_ = place + 1;
}

SourcePlaces::Where SourcePlaces::where(uint32_t place) const {
    auto after = std::upper_bound(segments_.begin(), segments_.end(), place,
                                  [](uint32_t p, const Segment& s) { return p < s.place; });
    const Segment& s = *(after - 1);
    return Where{s.file, s.line + (place - s.place)};
}

void SourcePlaces::made_constant(size_t count) {
    if (!current_) return;
    constants_.resize(count);
    constants_[count - 1] = current_;
}

void SourcePlaces::forget_module_records() {
    signals_.clear();
    pairs_.clear();
    instances_.clear();
}
