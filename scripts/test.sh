#!/usr/bin/env bash
# The project's test command: installs what is missing, then configures, builds and tests
# every preset: native, sanitize, win32 (unit tests under Wine and velk.exe end to end on a
# private X display; win64 in its place on machines that cannot run 32-bit programs) and fuzz. Goes on after a failure so one run reports everything; exits
# non-zero when anything failed.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

jobs=${VELK_JOBS:-2}
fuzz_seconds=${VELK_FUZZ_SECONDS:-20}
logs=$repo/build/test-logs
source "$repo/scripts/wine-env.sh"

summary=()
failures=0
tests_passed=0
tests_failed=0
xvfb_pid=

note() { printf '\n=== %s\n' "$*"; }

fail() {
    summary+=("$1: FAILED ($2)")
    failures=$((failures + 1))
}

# Shows the end of a log whose step failed; the whole log stays in build/test-logs.
show_tail() {
    echo "--- last lines of $1"
    tail -n 60 "$1"
}

build_preset() {
    local preset=$1
    local log=$logs/$preset-build.log
    note "build $preset"
    if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$jobs"; } >"$log" 2>&1; then
        show_tail "$log"
        fail "$preset" "build, see $log"
        return 1
    fi
}

# Runs ctest once with the output shown into $log; sets status, closing (ctest's closing
# line), failed and total.
ctest_once() {
    ctest --preset "$preset" -j "$jobs" --timeout 300 --no-tests=error "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    closing=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    failed=0
    total=0
    if [[ $closing =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=${BASH_REMATCH[1]}
        total=${BASH_REMATCH[2]}
    fi
}

# Runs ctest and keeps its closing line for the summary. With RETRY_FAILED=1 (the Windows
# tests: Wine on a loaded machine now and then fails to start a program) a run that stopped
# before any test because a test program could not list its tests is made once more, and the
# tests that failed run once more; those that pass then are named in the summary as such.
run_ctest() {
    local preset=$1
    shift
    local log=$logs/$preset-test.log
    local status closing failed total
    note "test $preset"
    ctest_once "$@"
    if [[ $status -ne 0 && ${RETRY_FAILED:-0} == 1 && -z $closing ]]; then
        note "test $preset: no test ran (a test program did not list its tests); once more"
        ctest_once "$@"
        [[ -z $closing ]] || closing="$closing (the first ctest run stopped before any test)"
    fi
    if [[ $status -ne 0 && ${RETRY_FAILED:-0} == 1 && $failed -gt 0 ]]; then
        local names
        names=$(grep -E '^\s+[0-9]+ - ' "$log" | sed -E 's/^\s+[0-9]+ - //; s/ \(.*\)$//' |
            paste -sd, -)
        note "test $preset: running the $failed failed test(s) once more"
        ctest --preset "$preset" --timeout 300 --rerun-failed --output-on-failure 2>&1 |
            tee "$logs/$preset-rerun.log"
        if [[ ${PIPESTATUS[0]} -eq 0 ]]; then
            closing="$closing; passed on a second run: $names"
            failed=0
            status=0
        fi
    fi
    tests_failed=$((tests_failed + failed))
    tests_passed=$((tests_passed + total - failed))
    if [[ $status -ne 0 ]]; then
        fail "$preset" "${closing:-ctest exit $status}"
    else
        summary+=("$preset: $closing")
    fi
}

# Xvfb picks a free display itself and writes its number to the descriptor it is given,
# which also says that the server is ready.
start_display() {
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    local waited=0
    until [[ -s $numberFile ]]; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [[ $waited -ge 200 ]]; then
            rm -f "$numberFile"
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    export DISPLAY=:$(tr -d '[:space:]' <"$numberFile")
    rm -f "$numberFile"
}

stop_display() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    fi
}

stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

cleanup() {
    stop_wine
    stop_display
}
trap cleanup EXIT
trap 'exit 130' INT TERM

test_native_preset() {
    local preset=$1
    # Unit tests and the Linux programs run end to end (label native).
    build_preset "$preset" && run_ctest "$preset" -L '^(unit|native)$'
}

# Windows: win32 is always built, so the shipped program's code compiles. Its tests run under
# Wine where 32-bit programs run; elsewhere the same tests run on the win64 build of the same
# code under 64-bit Wine.
test_windows() {
    build_preset win32 || return
    pick_windows_preset
    if [[ $windows_preset == win64 ]]; then
        summary+=("win32: built; its tests run on the win64 build: this machine cannot run 32-bit programs")
        build_preset win64 || return
    fi
    # The installer is not part of the preset's default build: it needs the native build's
    # sample generator, built above.
    if ! cmake --build --preset "$windows_preset" -j "$jobs" --target velk_setup \
        >"$logs/$windows_preset-setup-build.log" 2>&1; then
        show_tail "$logs/$windows_preset-setup-build.log"
        fail "$windows_preset" "installer build, see $logs/$windows_preset-setup-build.log"
        return
    fi
    if ! start_display; then
        fail "$windows_preset" "Xvfb did not start"
        return
    fi
    # The printing tests print to a CUPS queue, which Wine sees only when it exists before
    # Wine's first program starts. Without it they report themselves skipped.
    export VELK_PRINT_OUT=$repo/build/print-out
    stop_wine
    if ! scripts/print-queue.sh "$VELK_PRINT_OUT" >"$logs/print-queue.log" 2>&1; then
        show_tail "$logs/print-queue.log"
        fail spooler "no print queue, see $logs/print-queue.log"
    fi
    # A server left from an earlier session may talk to a display that is gone; this run's
    # server stays up for all tests so that each program starts in milliseconds. Its output
    # goes nowhere: it outlives ctest's pipes.
    stop_wine
    wineserver -p </dev/null >/dev/null 2>&1
    echo "Xvfb on $DISPLAY"
    # Whole labels only: a label that merely contains one of these words is another set.
    RETRY_FAILED=1 run_ctest "$windows_preset" -L '^(win32|e2e)$'
    stop_wine
    stop_display
}

test_fuzz() {
    if [[ ! -f fuzz/CMakeLists.txt ]]; then
        summary+=("fuzz: no fuzz targets")
        return
    fi
    build_preset fuzz || return
    note "fuzz, ${fuzz_seconds} s per target"
    local target name corpus log ran=0 broken=0
    for target in "$repo"/build/fuzz/fuzz/*; do
        [[ -f $target && -x $target ]] || continue
        name=$(basename "$target")
        corpus=$repo/build/fuzz/corpus/$name
        log=$logs/fuzz-$name.log
        mkdir -p "$corpus" "$repo/build/fuzz/artifacts"
        # Seeds kept in the repository are read; what the fuzzer finds goes to the build tree.
        local seeds=()
        [[ -d fuzz/corpus/$name ]] && seeds=("$repo/fuzz/corpus/$name")
        ran=$((ran + 1))
        if "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
            -artifact_prefix="$repo/build/fuzz/artifacts/$name-" "$corpus" "${seeds[@]}" \
            >"$log" 2>&1; then
            echo "$name: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs, no failure"
        else
            show_tail "$log"
            broken=$((broken + 1))
        fi
    done
    if [[ $broken -gt 0 ]]; then
        fail fuzz "$broken of $ran targets found a failure, see $logs"
    else
        summary+=("fuzz: $ran targets ran ${fuzz_seconds} s each without a failure")
    fi
}

started=$SECONDS
if ! scripts/setup.sh; then
    echo "setup failed" >&2
    exit 1
fi
mkdir -p "$logs"

test_native_preset native
test_native_preset sanitize
test_windows
test_fuzz

note "summary ($((SECONDS - started)) s)"
printf '%s\n' "${summary[@]}"
echo "tests: $tests_passed passed, $tests_failed failed"
if [[ $failures -gt 0 ]]; then
    echo "$failures preset(s) failed" >&2
    exit 1
fi
