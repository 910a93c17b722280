#!/usr/bin/env bash
# Install everything needed to build sflc and run its test suite.
# Safe to run repeatedly: when every tool and package is already there,
# apt is not touched at all.
set -euo pipefail

# Debian packages the build and the tests use.  clang and the compiler-rt
# runtime are there for the fuzzing targets; valgrind and GNU time for the
# benchmarks of bench/.
packages=(build-essential g++ cmake make python3 libgtest-dev googletest
          iverilog verilator yosys clang libclang-rt-14-dev valgrind time)

# A tool that is already on PATH (e.g. a python3 from pyenv or a cmake from
# elsewhere) counts as present even when the Debian package is not installed.
declare -A provides=(
  [g++]=g++ [cmake]=cmake [make]=make [python3]=python3
  [iverilog]=iverilog [verilator]=verilator [yosys]=yosys [clang]=clang
  [valgrind]=valgrind
)

missing=()
for pkg in "${packages[@]}"; do
  if dpkg -s "$pkg" >/dev/null 2>&1; then
    continue
  fi
  cmd=${provides[$pkg]:-}
  if [[ -n $cmd ]] && command -v "$cmd" >/dev/null 2>&1; then
    continue
  fi
  missing+=("$pkg")
done

if ((${#missing[@]} == 0)); then
  echo "setup: all build and test dependencies are present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if ((EUID != 0)); then
  if command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "setup: missing packages and not running as root: ${missing[*]}" >&2
    exit 1
  fi
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

# Verify the tools the test suite calls directly really arrived.
for cmd in g++ cmake make python3 iverilog verilator yosys clang; do
  if ! command -v "$cmd" >/dev/null 2>&1; then
    echo "setup: $cmd is still missing after installation" >&2
    exit 1
  fi
done
echo "setup: done"
