// The translator state: everything a translation run reads and writes
// outside one call, in the one object `g`, and the guards that change a
// part of it for a while and put it back.
#ifndef SFLC_STATE_H
#define SFLC_STATE_H

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "error.h"
#include "param_index.h"
#include "records.h"
#include "source_places.h"
#include "source_points.h"

// A name the preprocessor knows (--extended): from `#define`, replaced by
// its value, or from `%d`, only defined for `#ifdef`.
struct PreprocessorName {
    bool substitute;
    std::string value;
};
// Where comment removal stands at the end of a line: inside a block
// comment, a single-quoted or a double-quoted text.
struct CommentState {
    int cm = 0, s_quote = 0, d_quote = 0;
};
class SourceReader;
class ExtendedHooks;

// The file that a run writes, as the readers of its sources see it: no
// source may be the file that it replaces.
class OutputTarget {
public:
    // True when `st` (from stat) is the file that this output replaces.
    virtual bool replaces(const struct stat& st) const = 0;

protected:
    ~OutputTarget() = default;
};

// The output name that stands for standard output (-o -).
inline const std::string kStandardOutput = "-";

struct Sflc {
    // Command line: options, file names, and the size from which a piece
    // of a source file may end (see SourceReader).
    std::string program_name = "sflc";
    std::string read_filename;
    std::string write_filename;
    std::string readfile_path;
    int d_flag = 0, n_flag = 0, O_flag = 0, old_flag = 0, posres = 0,
        p_flag = 0, t_flag = 0, II_flag = 0, shinpi_flag = 0;
    // --extended: accept constructs that SFL written for other SFL tools
    // uses; the handlers of its statements, installed by the driver for
    // such a run (extended_hooks.h).
    int extended_flag = 0;
    const ExtendedHooks* extended = nullptr;
    // The input is an SFL+ source (x.sflp): translated as with --extended,
    // and stage.task in an expression is the stage running that task.
    int sflp_flag = 0;
    // --check: translate without writing the output; -I: the folders in
    // which %i files are looked up after the input's; -M: the make
    // dependency file to write.
    int check_flag = 0;
    std::vector<std::string> include_dirs;
    // --line-directives: `line directives in the output lead to the SFL.
    int line_directives = 0;
    // SOURCE_DATE_EPOCH: the time of the header (-1: now, local time).
    long long source_date = -1;
    std::string deps_filename;
    // --explain: 1 to write messages that lead to the mistake (explain.h);
    // 2 while the source is translated again quietly in the extended
    // dialect after an error, to know whether that dialect gets past it.
    int explain = 0;
    int km = 1;
    size_t piece_bytes = 1 << 20;
    // The output being written, while a run writes one (an included file
    // may not be the file it replaces).
    const OutputTarget* output = nullptr;

    // Line counting: the line number of messages, the start of the current
    // line (for -d and -n), and whether scanners count the newlines they
    // pass (0 inside included files and texts the translator makes).
    int count = 0;
    const char* line_head = nullptr;
    int count_ok = 0;
    // 1 until the outermost dispatcher has started.
    int owner = 1;

    // --line-directives: the place of the statement being translated and
    // of every record it made (source_places.h), and the output as the
    // Verilog tools count its lines: the stream the counted one writes to
    // (null: the output is not counted), the lines written, and the file
    // and line that the tools give to output line `directed` after the
    // last directive (file -1: none yet); what a directive writes after
    // its line number, by file (line_directives.cpp).
    SourcePlaces places;
    struct OutputLines {
        FILE* real = nullptr;
        long long written = 0;
        long long file = -1;
        long long line = 0, directed = 0;
        std::vector<std::string> directive_ends;
    } output_lines;

    // Source reading: the comment state at the end of the text read so
    // far, and the reader of the file being translated (null for a text
    // given whole).
    CommentState comment;
    SourceReader* reader = nullptr;

    // --explain: the pieces of the files being walked, innermost first
    // (source_points.h); the place of the last error, as file names and
    // places, outermost file first (for the run in the extended dialect);
    // the warnings written, by file, line and text, each written once;
    // the '}' that ended the last module or declare block, and its name.
    WalkedPiece* walked = nullptr;
    struct NamedPoint {
        std::string file;
        uint32_t line, column;
    };
    std::vector<NamedPoint> error_place;
    std::unordered_set<std::string> warnings_written;
    SourcePoint block_closed;
    std::string block_closed_name;

    // The current module's tables, emptied when it is printed.
    int module_flag = 0, circuit_flag = 0, declare_flag = 0;
    int combinational = 0;
    int clock_aspect = 0;
    std::string module_name;
    // The signals in the order they are declared; a record made ahead for
    // a name that does not take it is dropped from the end.
    RecordList<list, list*, DropLast::kYes> wire_list;
    NameIndex<list> wire_index;
    // Block-local signals that kept their own names (see block_locals.h).
    NameIndex<list> local_index;
    // Block-local signals and arrays by their SFL names: those of the open
    // blocks, and the latest of each name among the blocks that ended.
    std::unordered_map<std::string_view, list*> open_locals, closed_locals;
    std::unordered_map<std::string_view, long long> open_local_arrays, closed_local_arrays;
    // Submodule instances, in order, and by name (the first of a name wins).
    RecordList<instance> instance_list;
    NameIndex<instance> instance_index;
    // State constants, written as the module's parameters.
    ParamIndex param_index;
    RecordList<stage> stage_list;
    NameIndex<stage> stage_index;
    // The stage whose states were named last: a stage naming its states
    // as that one did shares their texts.
    stage* last_state_names = nullptr;
    // The -O nets, made in the order of their numbers: "_net_N" is the
    // N-th record of `nets`, not in wire_index.
    NameIndex<list, NetExprOf> net_index;
    int net_num = 0;
    // -O merging: the pair holding each value of each signal.
    NameIndex<MergeEntry, MergeEntry::KeyOf, MergeEntry::Key, MergeEntry::Hash> merge_index;
    // The texts of the last pair stored, which the next pair shares when
    // they are equal, and the -O entry that owns last_condition, if one does.
    Text last_condition;
    MergeEntry* last_condition_owner = nullptr;
    Text last_value;
    // Instruction arguments of the module's signals.
    std::unordered_map<const list*, ArgChain> module_args;
    // --extended memories: the depth of each, its writes in source order,
    // the wires holding computed addresses, by their expression, and the
    // initial contents, the words listed as sized constants.
    std::unordered_map<const list*, long long> memory_depths;
    std::unordered_map<const list*, std::vector<Text>> memory_contents;
    std::unordered_map<const list*, std::vector<MemoryWrite>> memory_writes;
    std::unordered_map<std::string, std::string> memory_address_nets;
    // --extended: the nets of array elements read by a value, by the
    // array's first element and the index (array_index.h).
    std::unordered_map<std::string, std::string> element_read_nets;
    // Arguments named in the argument lists of instruction declarations
    // (--extended), as (instruction, argument), checked at the block's end.
    std::vector<std::pair<std::string, std::string>> pending_args;
    // --extended: the ports the module took from its declare that its body
    // has not declared again, and those whose arguments are still the
    // declare's.
    std::unordered_set<const list*> inherited_ports;
    // The names made up for the module's constructs, and those that got a
    // suffix because another construct had made up the name before.
    std::unordered_map<std::string, std::string> made_up_renames;
    // The length of A of the records named _A_B by a construct whose A is
    // too long for the record's own mark.
    std::unordered_map<const list*, size_t> made_up_long;
    std::unordered_set<const list*> inherited_args;
    // --extended: the values registers start with (at reset, or at power-up
    // for a register without reset), as sized constants; the arrays of
    // signals by name, and the elements they made that no declaration of
    // the element's own name has replaced.
    std::unordered_map<const list*, Text> initial_values;
    std::unordered_map<std::string, ArrayShape> arrays;
    std::unordered_set<const list*> array_elements;

    // The condition stack of open blocks, and what an `else` right after
    // the statement that closed an `if` needs: the levels that statement
    // closed below the `if` (bottom first) and the negated condition.
    std::vector<stack_entry> stack = std::vector<stack_entry>(kStackLevels);
    int sp = -1;
    bool else_ready = false;
    std::string else_negation;
    std::vector<stack_entry> else_restore;
    // The level of the alt or any block whose alternative's condition is
    // being translated (-1: none): calls in that condition are carried out
    // where the condition is evaluated.
    int alternative_level = -1;

    // Run-long tables: submodule interfaces, macros, the instruction
    // arguments of declared ports, the common constants ("1'b1", "1'b0"
    // and "(1'b1)", stored once), the nesting guards of macros and
    // includes (files being included, outermost first), and the -d total.
    RecordList<declare> declare_list;
    std::unordered_map<std::string_view, declare*> declare_index;
    std::unordered_map<std::string_view, list*> define_index;
    // --extended: the macros whose value holds a select that only a
    // module's generated net can take: the value is translated where the
    // name stands, never through the `define.
    std::unordered_set<const list*> expanded_macros;
    // --extended: macros defined again inside a body (macro_versions.h):
    // the order of every definition (from 1), the versions made of each
    // name, and the macros whose define text names such a version.
    std::unordered_map<const list*, int> macro_serials;
    std::unordered_map<std::string, int> macro_versions;
    std::unordered_set<const list*> macros_naming_versions;
    std::unordered_map<const list*, ArgChain> run_args;
    Text constant_texts[3];
    std::unordered_map<std::string, PreprocessorName> preprocessor_names;
    int macro_depth = 0;
    // Readings so far that a macro's `define text cannot stand for: the
    // select of the one bit of a 1-bit operand (the output leaves it out)
    // and a decimal constant (sized by its context).  A macro whose value
    // holds one is translated where its name stands.
    int values_in_place = 0;
    // The width of the target of the assignment being read (0: none), the
    // context of a decimal constant that is its whole value.
    int assignment_width = 0;
    std::vector<std::string> include_chain;
    // Every file read through %i, once, as the path opened, in the order
    // first read (for -M).
    std::vector<std::string> includes_read;
    long long total_alloc_size = 0;

    // Storage: per module and for the whole run.
    TextStore module_texts;
    TextStore run_texts;
    Pool<list> module_lists;
    Pool<logic> module_logics;
    Pool<stage> module_stages;
    Pool<task> module_tasks;
    Pool<state> module_states;
    Pool<instance> instances;
    Pool<list> nets;
    Pool<MergeEntry> merge_entries;
    Pool<list> run_lists;
    Pool<logic> run_logics;
    Pool<declare> run_declares;
};

extern Sflc g;

// Puts every part of the state back to its state at program start.
void reset_state();

// Reading the condition stack of open blocks.  Only logic/stack.cpp opens
// and closes its levels; the handlers read them through these.
// Whether no level is open.
inline bool no_open_level() { return g.sp < 0; }
// The number of open levels.
inline int open_levels() { return g.sp + 1; }
// Level `i` of the open ones, 0 the outermost.
inline const stack_entry& open_level(int i) { return g.stack[i]; }
// The innermost open level, or null when none is open.
inline stack_entry* innermost_level() { return g.sp >= 0 ? &g.stack[g.sp] : nullptr; }

// Clean-ups: the current module's tables (after it is printed), its
// instances, and the run-long tables (at the end of the run).
void delete_all_list();
void clear_instances();
void delete_declare();
void delete_run_tables();

// Stores `s` as a text of the current module, or of the run when `run_long`.
Text store_text(std::string_view s, bool run_long = false);

// The record a standard index holds for `key`, or null.
template <class Map, class Key>
typename Map::mapped_type find_in(const Map& index, const Key& key) {
    auto it = index.find(key);
    return it == index.end() ? nullptr : it->second;
}

// The output of the run, known to the include handler while the guard
// lives.
class OutputBeingWritten {
public:
    explicit OutputBeingWritten(const OutputTarget& out) { g.output = &out; }
    ~OutputBeingWritten() { g.output = nullptr; }
    OutputBeingWritten(const OutputBeingWritten&) = delete;
    OutputBeingWritten& operator=(const OutputBeingWritten&) = delete;
};

// Line counting off while the guard lives: the text at hand is not source
// text (a statement the translator made, an expression being rewritten),
// and its newlines were counted where they stand in the source.
class LineCountingOff {
public:
    LineCountingOff() : saved_(g.count_ok) { g.count_ok = 0; }
    ~LineCountingOff() { g.count_ok = saved_; }
    LineCountingOff(const LineCountingOff&) = delete;
    LineCountingOff& operator=(const LineCountingOff&) = delete;

private:
    int saved_;
};

// The line counting of the including file, put back when the guard ends:
// an included file is translated with its own (off) counting and line
// start, and its messages carry the line of the directive.
class IncludingFileLines {
public:
    IncludingFileLines() : count_ok_(g.count_ok), line_head_(g.line_head) {}
    ~IncludingFileLines() {
        g.count_ok = count_ok_;
        g.line_head = line_head_;
    }
    IncludingFileLines(const IncludingFileLines&) = delete;
    IncludingFileLines& operator=(const IncludingFileLines&) = delete;

private:
    int count_ok_;
    const char* line_head_;
};

// Line counting while the copies of the body are read: their lines are
// those of the body in the source, numbered for messages but not printed
// (-n prints the source once, after the copies) and not left as the
// current line.
class LoopCopyLines {
public:
    LoopCopyLines() : count_(g.count), n_flag_(g.n_flag), line_head_(g.line_head) { g.n_flag = 0; }
    ~LoopCopyLines() {
        g.count = count_;
        g.n_flag = n_flag_;
        g.line_head = line_head_;
    }
    LoopCopyLines(const LoopCopyLines&) = delete;
    LoopCopyLines& operator=(const LoopCopyLines&) = delete;

private:
    int count_, n_flag_;
    const char* line_head_;
};

// The reader of the file being translated, for the comment state that an
// included file starts with; the including file's reader is put back when
// the guard ends.
class FileBeingRead {
public:
    explicit FileBeingRead(SourceReader& r) : outer_(g.reader) { g.reader = &r; }
    ~FileBeingRead() { g.reader = outer_; }
    FileBeingRead(const FileBeingRead&) = delete;
    FileBeingRead& operator=(const FileBeingRead&) = delete;

private:
    SourceReader* outer_;
};

// --explain: the piece of a file that a dispatcher walks, known to the
// messages while the guard lives (the including file's comes back after).
class PieceBeingWalked {
public:
    explicit PieceBeingWalked(WalkedPiece& piece) : piece_(piece) {
        piece.outer = g.walked;
        g.walked = &piece;
    }
    ~PieceBeingWalked() { g.walked = piece_.outer; }
    PieceBeingWalked(const PieceBeingWalked&) = delete;
    PieceBeingWalked& operator=(const PieceBeingWalked&) = delete;

private:
    WalkedPiece& piece_;
};

// An included file on the chain of files being included while the guard
// lives (to refuse a file that includes itself).
class FileBeingIncluded {
public:
    explicit FileBeingIncluded(const std::string& id) { g.include_chain.push_back(id); }
    ~FileBeingIncluded() { g.include_chain.pop_back(); }
    FileBeingIncluded(const FileBeingIncluded&) = delete;
    FileBeingIncluded& operator=(const FileBeingIncluded&) = delete;
};

// One macro level deeper while the guard lives: the value of the macro
// `name` is being read where its name stands.  A macro nested deeper than
// kMaxMacroDepth levels is refused (a macro that names itself would never
// end).
constexpr int kMaxMacroDepth = 64;
class MacroBeingExpanded {
public:
    explicit MacroBeingExpanded(const std::string& name) {
        if (g.macro_depth >= kMaxMacroDepth) macro_nested_too_deeply(name);
        ++g.macro_depth;
    }
    ~MacroBeingExpanded() { --g.macro_depth; }
    MacroBeingExpanded(const MacroBeingExpanded&) = delete;
    MacroBeingExpanded& operator=(const MacroBeingExpanded&) = delete;
};

// Records made while the guard lives are not counted in the -d total.
class UncountedAllocations {
public:
    UncountedAllocations() : saved_(g.total_alloc_size) {}
    ~UncountedAllocations() { g.total_alloc_size = saved_; }
    UncountedAllocations(const UncountedAllocations&) = delete;
    UncountedAllocations& operator=(const UncountedAllocations&) = delete;

private:
    long long saved_;
};

// The condition of an alternative of the top level (an alt, any or switch
// block) is being translated while the guard lives.
class AlternativeConditionRead {
public:
    AlternativeConditionRead() : saved_(g.alternative_level) { g.alternative_level = open_levels() - 1; }
    ~AlternativeConditionRead() { g.alternative_level = saved_; }
    AlternativeConditionRead(const AlternativeConditionRead&) = delete;
    AlternativeConditionRead& operator=(const AlternativeConditionRead&) = delete;

private:
    int saved_;
};

// The width of the assignment target whose value is being read, for the
// time the guard lives.
class AssignmentWidth {
public:
    explicit AssignmentWidth(int width) : saved_(g.assignment_width) { g.assignment_width = width; }
    ~AssignmentWidth() { g.assignment_width = saved_; }
    AssignmentWidth(const AssignmentWidth&) = delete;
    AssignmentWidth& operator=(const AssignmentWidth&) = delete;

private:
    int saved_;
};

#endif
