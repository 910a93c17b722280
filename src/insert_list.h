// Declaration lists: names with optional widths entered into a table.
#ifndef SFLC_INSERT_LIST_H
#define SFLC_INSERT_LIST_H

#include "core.h"

// Reads the declaration at `text` (keyword, or module type for an instance
// statement of type 20) into `record` and the records it chains after it.
// Returns the position just past the terminating ';'.
char* insert_list(char* text, list* record, int type, char mark);

#endif
