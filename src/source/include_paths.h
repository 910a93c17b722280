// Where the files that `%i` names are looked up: the input file's
// directory, then each -I folder in command-line order.
#ifndef SFLC_INCLUDE_PATHS_H
#define SFLC_INCLUDE_PATHS_H

#include <string>

// The path at which `%i "name"` finds its file: an absolute name as it
// is, else the first that exists of the name in the input file's directory
// and in each -I folder; when none does, the last path tried.
std::string include_path(const std::string& name);

#endif
