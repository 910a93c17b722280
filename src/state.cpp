#include "state.h"

Sflc g;

void reset_state() { g = Sflc(); }

Text store_text(std::string_view s, bool run_long) { return (run_long ? g.run_texts : g.module_texts).add(s); }
