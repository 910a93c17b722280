#!/usr/bin/env bash
# Configure and build sflc.
#   SFLC_BUILD_DIR   build directory (default: build)
#   SFLC_CMAKE_ARGS  extra arguments for the configure step,
#                    e.g. SFLC_CMAKE_ARGS="-DSFLC_SANITIZE=ON"
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build_dir=${SFLC_BUILD_DIR:-build}
read -r -a extra_args <<<"${SFLC_CMAKE_ARGS:-}"

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra_args[@]}"
cmake --build "$build_dir" -j2
