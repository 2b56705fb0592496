#!/usr/bin/env bash
# Builds and runs every test: the unit and window tests, the same tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzers.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
fuzz_seconds="${FUZZ_SECONDS:-60}"
export QT_QPA_PLATFORM=offscreen
"$here/scripts/deps.sh"

echo "== every text has its German translation"
"$here/scripts/check-translations.sh"

echo "== build and test"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DQUILLMAR_BENCH=ON -DQUILLMAR_WERROR=ON >/dev/null
cmake --build "$here/build"
ctest --test-dir "$here/build" --output-on-failure -j2

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DQUILLMAR_SANITIZE=ON -DQUILLMAR_BENCH=OFF -DBUILD_TESTING=ON -DQUILLMAR_WERROR=ON >/dev/null
cmake --build "$here/build-asan"
# intercept_tls_get_addr=0: GCC 12's sanitizer runtime takes a thread-local block that malloc
# happens to place 16 bytes into a page for an old-glibc header and reads a bogus range from
# it, so LeakSanitizer's tracer crashes at exit (seen with many fonts installed). Leak checking
# stays on; only thread-local blocks of libraries loaded at run time are no longer scanned.
ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 LSAN_OPTIONS="suppressions=$here/tests/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$here/build-asan" --output-on-failure -j2

echo "== fuzzers, ${fuzz_seconds} s each"
CC=clang CXX=clang++ cmake -S "$here" -B "$here/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_FUZZ=ON -DQUILLMAR_GUI=OFF -DBUILD_TESTING=OFF -DQUILLMAR_WERROR=ON >/dev/null
cmake --build "$here/build-fuzz"
# Every fuzz source must have given its fuzzer: a stage that found none to run would pass
# without having fuzzed anything.
for source in "$here"/fuzz/fuzz_*.cpp; do
    name="$(basename "$source" .cpp)"
    target="$here/build-fuzz/fuzz/$name"
    if [ ! -x "$target" ]; then
        echo "the fuzzer $name was not built" >&2
        exit 1
    fi
    corpus="$here/build-fuzz/corpus-$name"
    mkdir -p "$corpus"
    cp -n "$here"/fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
    echo "-- $name"
    # A memory limit a few times what the largest seed needs: work that grows with a product
    # of a file's fields (a long text times many parts) runs out of it within seconds. The
    # quarantine of freed memory is kept small, because at its default 256 MB the memory that
    # AddressSanitizer holds back alone reaches the limit within a minute of ordinary inputs.
    log="$here/build-fuzz/$name.log"
    if ! ASAN_OPTIONS=quarantine_size_mb=16 \
        "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=256 -max_len=131072 \
        -print_final_stats=1 -artifact_prefix="$here/build-fuzz/$name-" "$corpus" >"$log" 2>&1; then
        # The end of the report, without the dictionary libFuzzer lists after it, then its
        # lines that say what was found, which a long stack or heap profile would push out.
        grep -v -e '^"' -e '^######' "$log" | tail -n 40 >&2
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || true
        echo "the fuzzer $name failed; an input it found is kept as $here/build-fuzz/$name-*" >&2
        exit 1
    fi
    tail -n 6 "$log"
done

echo "== a plain build: no GoogleTest, no Google Benchmark, warnings not errors"
rm -rf "$here/build-plain"
cmake -S "$here" -B "$here/build-plain" -G Ninja --no-warn-unused-cli \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
if grep -q -- -Werror "$here/build-plain/compile_commands.json"; then
    echo "a plain build treats warnings as errors" >&2
    exit 1
fi
cmake --build "$here/build-plain"

echo "== Windows under Wine"
# Building Qt for Windows takes about an hour of CPU time, more than a fresh machine's run may
# spend; the stage runs wherever that Qt is built already (scripts/test-windows.sh builds it).
windows_qt="$("$here/scripts/windows-qt.sh" --path)"
if [ -f "$windows_qt/.complete" ]; then
    "$here/scripts/test-windows.sh"
else
    echo "skipped: no Qt for Windows in $windows_qt yet; ./scripts/test-windows.sh builds it and runs this stage"
fi

echo "== the Debian package: build, lint, install, run, remove"
"$here/scripts/test-deb.sh"
echo "== all tests passed"
