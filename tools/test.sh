#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test,
# builds the gcc Release and clang configurations with warnings as errors, then runs each fuzz
# target for a bounded time from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/setup.sh --tests
jobs=${QW_JOBS:-$(nproc)}

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_SANITIZE=ON -DQW_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan -j"$jobs" --output-on-failure --timeout 600

# Every other configuration must build without a warning too: gcc Release, clang with the GUI.
if [ "${QW_SKIP_WARNING_BUILDS:-0}" != 1 ]; then
  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQW_WERROR=ON >/dev/null
  cmake --build build-release -j"$jobs"
  CC=clang CXX=clang++ cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQW_WERROR=ON >/dev/null
  cmake --build build-clang -j"$jobs"
  echo "warnings: gcc Release and clang RelWithDebInfo built clean"
fi

# Fuzzing: clang's libFuzzer over the engine libraries only.
if [ "${QW_SKIP_FUZZ:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQW_FUZZ=ON -DQW_GUI=OFF -DQW_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs"
  seconds=${QW_FUZZ_SECONDS:-60}
  pids=()
  for f in build-fuzz/bin/fuzz_*; do
    [ -x "$f" ] || continue
    n=$(basename "$f")
    work=build-fuzz/corpus/$n
    mkdir -p "$work"
    seeds=tools/fuzz/corpus/${n#fuzz_}
    dict=tools/fuzz/${n}.dict
    # A hostile picture of a few kilobytes must never take more than a bounded memory.
    rss=2048
    [ "$n" = fuzz_picture ] && rss=512
    args=(-max_total_time="$seconds" -rss_limit_mb="$rss" -timeout=10 -print_final_stats=1)
    [ -f "$dict" ] && args+=(-dict="$dict")
    # Books of a few kilobytes are enough to reach every path of the HTML conversion; longer
    # inputs only slow the runs down.
    [ "$n" = fuzz_html ] && args+=(-max_len=4096)
    echo "fuzz: $n for ${seconds}s"
    ( "$f" "${args[@]}" "$work" $( [ -d "$seeds" ] && echo "$seeds" ) >"build-fuzz/$n.log" 2>&1 \
        || { echo "fuzz: $n FAILED"; tail -n 60 "build-fuzz/$n.log"; exit 1; } ) &
    pids+=($!)
  done
  status=0
  for p in "${pids[@]}"; do wait "$p" || status=1; done
  if [ $status != 0 ]; then exit 1; fi
  echo "fuzz: all targets ran clean"
fi
