#!/usr/bin/env bash
# The Makefile rule of README.md with -M: make rebuilds the Verilog when a
# file included two levels down changes, and goes on working when an
# include is deleted and the source no longer names it.
#   make_flow.sh SFLC
set -eu
sflc=$(realpath "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
mkdir -p lib/leaf
cat > Makefile <<MAKE
all: top.v
%.v: %.sfl
	$sflc -I lib -I lib/leaf -M \$*.d -o \$@ \$<
-include \$(wildcard *.d)
MAKE
printf '%%i "mid.sfl"\nmodule top { input a; output b; b = a; }\n' > top.sfl
printf '%%i "leaf.sfl"\n%%d MID 1\n' > lib/mid.sfl
printf 'module leaf { input a; output b; b = a; }\n' > lib/leaf/leaf.sfl
fail() { echo "FAIL: $*"; exit 1; }
make -s
grep -q '^module leaf(' top.v || fail "the first make did not translate"
make -q || fail "make does not take top.v for up to date"
# The time stamps of make are whole seconds on some file systems.
touch -d '-5 seconds' top.v top.d
printf 'module leaf { input a; output b; b = ^a; }\n' > lib/leaf/leaf.sfl
make -q && fail "a changed include two levels down leaves top.v up to date"
make -s
grep -q 'assign b = (~a);' top.v || fail "top.v was not rebuilt from the changed include"
touch -d '-5 seconds' top.v top.d
rm lib/leaf/leaf.sfl
printf '%%d MID 2\n' > lib/mid.sfl
make -s || fail "make fails once an include is deleted"
grep -q '^module leaf(' top.v && fail "top.v still holds the deleted include"
grep -q 'define MID 2' top.v || fail "top.v was not rebuilt"
echo ok
