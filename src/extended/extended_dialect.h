// The extended dialect's handlers, as the hooks that the base handlers call
// (extended_hooks.h).
#ifndef SFLC_EXTENDED_DIALECT_H
#define SFLC_EXTENDED_DIALECT_H

#include "extended_hooks.h"

// The hooks of the extended dialect, for the driver to install.
const ExtendedHooks& extended_hooks();

#endif
