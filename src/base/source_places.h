// Where in the SFL sources each piece of a module's Verilog comes from,
// for --line-directives: the statement that made each signal, pair,
// instance and state constant.
//
// A place is one 32-bit number for a file and a line.  The lines of the
// files are numbered on as the dispatcher reaches their statements: a
// run of places (a segment) stands for consecutive lines of one file,
// and a new segment starts where the dispatcher enters an included file
// or comes back from one.  So places grow as the translation goes on,
// which keeps the records' side tables small (side_table.h), and a place
// is turned back into its file and line by a binary search.  0 is no place.
#ifndef SFLC_SOURCE_PLACES_H
#define SFLC_SOURCE_PLACES_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "records.h"
#include "side_table.h"

class SourcePlaces {
public:
    struct Where {
        uint32_t file;
        uint32_t line;
    };
    // The number of the source file `name` (the same for the same name).
    uint32_t file_number(const std::string& name);
    // The dispatcher has reached a statement at line `line` of the file
    // `file`: what is made from now on comes from there.
    void at_statement(uint32_t file, uint32_t line);
    uint32_t current() const { return current_; }
    // The file and line of a place (not 0), and the name of a file.
    Where where(uint32_t place) const;
    const std::string& file_name(uint32_t file) const { return files_[file]; }

    // The module statement being translated: the place of its Verilog
    // header.
    void at_module() { module_ = current_; }
    uint32_t module() const { return module_; }
    // The statement naming the states of the stage being read (its
    // state_name list, or the stage whose state blocks name them): the
    // state register and constants, made at the first state, come from it.
    void at_state_names() { state_names_ = current_; }
    uint32_t state_names() const { return state_names_; }

    // The records made at the current place (none is kept before the
    // dispatcher has told one: never without --line-directives), and
    // their places (0: none).
    void made(const list* rec) {
        if (current_) signals_.set(rec, current_);
    }
    void made(const logic* pair) {
        if (current_) pairs_.set(pair, current_);
    }
    void made(const instance* in) {
        if (current_) instances_.set(in, current_);
    }
    uint32_t of(const list* rec) const { return signals_.get(rec); }
    uint32_t of(const logic* pair) const { return pairs_.get(pair); }
    uint32_t of(const instance* in) const { return instances_.get(in); }
    // The state constant just added, the `count`-th of the module (state
    // constants are numbered from 1 again whenever their table is emptied),
    // and the place of the k-th, from 0.
    void made_constant(size_t count);
    uint32_t of_constant(size_t k) const { return k < constants_.size() ? constants_[k] : 0; }
    // The module's records are gone (their pools were emptied).
    void forget_module_records();
    void forget_instances() { instances_.clear(); }

private:
    struct Segment {
        uint32_t place;
        uint32_t file;
        uint32_t line;
    };
    std::vector<std::string> files_;
    std::unordered_map<std::string, uint32_t> file_numbers_;
    std::vector<Segment> segments_;
    uint32_t current_ = 0;
    uint64_t next_free_ = 1;
    uint32_t module_ = 0;
    uint32_t state_names_ = 0;
    SideTable<list> signals_;
    SideTable<logic> pairs_;
    SideTable<instance> instances_;
    std::vector<uint32_t> constants_;
    friend class MadeAt;
};

// What is made while the guard lives comes from `place`, not from the
// statement being translated.
class MadeAt {
public:
    MadeAt(SourcePlaces& places, uint32_t place) : places_(places), saved_(places.current_) {
        places.current_ = place;
    }
    ~MadeAt() { places_.current_ = saved_; }
    MadeAt(const MadeAt&) = delete;
    MadeAt& operator=(const MadeAt&) = delete;

private:
    SourcePlaces& places_;
    uint32_t saved_;
};

#endif
