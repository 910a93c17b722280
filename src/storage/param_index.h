// Named constants found by whole name or by the end of their name.
//
// What it stores: a list of constants (a name, a width and a value, and
// whether each opens or closes a group of declarations), in the order
// they were added, and the ends of their names from each '_' on.
//
// Why it is shaped so: the width of a token is looked up by matching the
// token at the end of a constant's name, not only whole names, first
// added first.  A scan of every constant for every token would grow with
// the square of the design; when every name starts with '_', a token starting
// with '_' can only end a name at one of its '_' characters, so those
// ends are indexed (NameIndex, one record a distinct end: the "_s0" of
// every stage after the first costs none).  Other tokens (rare) are
// looked for by a scan.  The names are Texts stored by the caller, which
// records that name a constant share.
#ifndef SFLC_STORAGE_PARAM_INDEX_H
#define SFLC_STORAGE_PARAM_INDEX_H

#include <cstdint>
#include <deque>
#include <string_view>

#include "memory.h"
#include "name_index.h"
#include "text.h"

class ParamIndex {
public:
    struct Param {
        Text name;
        int width;
        int value;
        // The first and the last of one group of declarations.
        bool first, last;
    };
    void clear();
    // Adds the constant `name` = `value`, `width` bits wide; `first` and
    // `last` mark the ends of one group.
    void add(Text name, int width, int value = 0, bool first = false, bool last = false);
    // Width of the first constant whose name ends with `token`, or -1.
    int find_suffix(std::string_view token) const;
    // The stored text of the constant named `name`, if it holds the first
    // name ending so.
    bool find_name(std::string_view name, Text& found) const;
    // Every constant, in the order added.
    const std::deque<Param>& all() const { return params_; }

private:
    // The end of a name from one of its '_' on: the name, the position of
    // the '_' and the constant's width.
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

#endif
