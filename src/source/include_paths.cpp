#include "include_paths.h"

#include <sys/stat.h>

#include "state.h"

// The path of the file that `%i "name"` reads: an absolute name as it is;
// else the name in the input file's directory, then in each -I folder in
// command-line order, the first that exists.  When none does, the last
// path tried, whose opening reports the error.
std::string include_path(const std::string& name) {
    if (!name.empty() && name[0] == '/') return name;
    std::string path = g.readfile_path.empty() ? name : g.readfile_path + "/" + name;
    struct stat st;
    for (const std::string& dir : g.include_dirs) {
        if (stat(path.c_str(), &st) == 0) break;
        path = dir + "/" + name;
    }
    return path;
}
