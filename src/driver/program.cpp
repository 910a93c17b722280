// The sflc command.
#include "main.h"

int main(int argc, char** argv) { return sflc_main(argc, argv); }
