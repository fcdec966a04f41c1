#!/usr/bin/env bash
# Checks the formatting, builds the two programs in Release as a player gets
# them (build/), builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-test/ and runs every test.  Exits
# non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
source tools/build_programs.sh
tavlin_ensure_packages

tools/check_format.sh

# The optimised build warns where the sanitizer build does not (g++ inlines
# further), so the programs are built the way run.sh builds them as well.
tavlin_build_programs

jobs="$(nproc)"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTAVLIN_SANITIZE=ON
cmake --build build-test -j"$jobs"
cd build-test
# Display tests need an X server; everything else ignores it.  The server
# must not reset when its last client leaves: a program that connects while
# it resets (between two tests' clients) would find no display.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1"
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --output-on-failure -j"$jobs"
