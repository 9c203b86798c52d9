#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs the whole test suite there; any report fails its test.
# Arguments go to ctest (tools/sanitize.sh -R StartUp). Not part of CI: the build
# and the run take several times as long as the plain ones.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS="${JOBS:-4}"
FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# -O1, as the sanitizers' makers advise: at -O0 the settings file's reads alone make
# the window tests twice as slow again; assertions stay on (no NDEBUG).
# TAVRELO_SANITIZE gives every test a time limit that fits the slower run.
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVRELO_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$JOBS"

# Qt's own allocations that live to the end of the process are not ours to mend.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
cd build-asan
ctest --output-on-failure -j"$JOBS" "$@"
