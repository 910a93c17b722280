// --explain: what a message about a name offers, computed only when the
// error happens: the closest name that is visible where the name stands
// ("did you mean"), the members of an instance's module, where a name
// was declared first.
#ifndef SFLC_NAME_SUGGESTIONS_H
#define SFLC_NAME_SUGGESTIONS_H

#include <string>
#include <vector>

#include "error.h"
#include "state.h"

// The signals that the module's source declares (no made-up name), the
// block-local ones of the open blocks among them.
std::vector<std::string> signal_names();
// What an operand of an expression may name: the signals, the macros and
// the state constants.
std::vector<std::string> operand_names();
std::vector<std::string> stage_names();
std::vector<std::string> task_names(const stage* st);
std::vector<std::string> state_names(const stage* st);
std::vector<std::string> instance_names();
std::vector<std::string> declare_names();
// The ports and instructions of the module `d` declares.
std::vector<std::string> member_names(const declare* d);

// "unknown NOUN 'NAME'WHERE; did you mean 'CLOSE'?" among `candidates`.
std::string unknown(const char* noun, const std::string& name, const std::vector<std::string>& candidates,
                    const std::string& where = {});
// The text for `inst.member` where `inst` names no instance or its module
// has no such member: the instance's module and its members.
std::string no_member(const std::string& inst, const std::string& member);
// The text for an operand `name` that names nothing, and in `word` the
// word of the statement it stands for: a state of a stage or a port of an
// instance when it is a name made up for one (_s_x: `goto x` in stage s).
std::string unknown_operand(const std::string& name, std::string& word);
// The note at the first declaration of `rec` (none when its place is not known).
std::vector<Mistake::Note> declared_here(const list* rec, const std::string& name);
// The text of a name duplication of `name`, whose first declaration is `rec` (or unknown).
std::string declared_again(const list* rec, const std::string& name);

#endif
