// Command line and driver.
#ifndef SFLC_MAIN_H
#define SFLC_MAIN_H

// Runs one translation as the program does; returns the exit status.
int sflc_main(int argc, char** argv);

// Translates in the extended dialect (--extended): the option's flag, and
// the dialect's handlers installed for the base handlers to reach.
void use_extended_dialect();

[[noreturn]] void usage(const char* name);
[[noreturn]] void help(const char* name);
[[noreturn]] void version(const char* name);

#endif
