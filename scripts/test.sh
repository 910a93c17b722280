#!/usr/bin/env bash
# Install dependencies, build, and run the whole test suite (tests/README.md):
# the rows and case folders, the --extended invariant, simulations and random
# designs.  Honours SFLC_BUILD_DIR and SFLC_CMAKE_ARGS
# like build.sh.  Exits non-zero if anything fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh
bash scripts/build.sh
ctest --test-dir "${SFLC_BUILD_DIR:-build}" --output-on-failure -j2
