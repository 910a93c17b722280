// Declaration lists: names with optional widths entered into a table.
#ifndef SFLC_INSERT_LIST_H
#define SFLC_INSERT_LIST_H

#include "signals.h"

// Reads the declaration at `text` (keyword, or module type for an instance
// statement of type 20) into `record` and the records it chains after it.
// Returns the position just past the terminating ';'.  With `arrays`
// (--extended), a name may declare an array: name[size].
char* insert_list(char* text, list* record, int type, char mark, bool arrays = false);
// The same for a name that find_wire finds without the wire index (a -O
// net, found by its number).
char* insert_derived_list(char* text, list* record, int type, char mark);
// The same for a declaration inside a block (--extended): its names are
// seen until the block ends (block_locals.h).
char* insert_local_list(char* text, list* record, int type, char mark, bool arrays = false);

#endif
