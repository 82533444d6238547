#!/usr/bin/env bash
# The set-up commands of the README:
#   ./build.sh run        install what is missing, build, start DrawMentor
#   ./build.sh test       install what is missing, build, run every test
#   ./build.sh sanitize   the same tests built by clang with AddressSanitizer and
#                         UndefinedBehaviorSanitizer in build-asan/; any report fails
#   ./build.sh tsan       the threaded paytable analysis built with ThreadSanitizer
#                         in build-tsan/; any report fails
#   ./build.sh fuzz       every libFuzzer target, built in build-asan/ beside the sanitized
#                         tests, run for DRAWMENTOR_FUZZ_SECONDS (12) each on a copy of its
#                         corpus; a crash fails and leaves its input in build-asan/findings/
#   ./build.sh package    install what is missing, build, make the Debian package
#                         build/drawmentor_<version>_amd64.deb
#   ./build.sh packages   install what every command above needs (CI's first step)
# Only the package installation needs root; it uses sudo when run as a user.
# With DRAWMENTOR_STAGE_TIMES=<file>, each stage appends "<stage>\t<wall s>\t<CPU s>".
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test | sanitize | tsan | fuzz | package | packages) ;;
*)
    echo "usage: $0 run|test|sanitize|tsan|fuzz|package|packages" >&2
    exit 2
    ;;
esac

packages=(
    g++ cmake ninja-build pkgconf
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev zlib1g-dev libfftw3-dev
    qt6-base-dev qt6-svg-dev qt6-charts-dev qt6-multimedia-dev libqt6opengl6-dev fonts-dejavu-core
    gnome-cards-data clang-format ccache
    desktop-file-utils appstream dpkg-dev groff-base
)
# The sanitized build is also the libFuzzer build, so it needs clang; clang-14
# cannot compile std::views against libstdc++ 12.
clang_packages=(clang-16 libclang-rt-16-dev)

# Wall and CPU seconds of a stage (CPU: user + system of every process it
# waited for). A stage is one command: errexit does not reach into a function
# run as a condition.
times_file=$(mktemp)
trap 'rm -f "$times_file"' EXIT
child_cpu() { # into $cpu_now; `times` in this shell, since a subshell starts from zero
    times >"$times_file"
    cpu_now=$(awk 'NR == 2 { n = split($0, t, " "); s = 0
                             for (i = 1; i <= n; ++i) { split(t[i], p, "m"); s += p[1] * 60 + p[2] }
                             printf "%.2f", s }' "$times_file")
}
stage() {
    local name=$1 start cpu status=0
    shift
    start=$(date +%s.%N)
    child_cpu
    cpu=$cpu_now
    "$@" || status=$?
    if [ -n "${DRAWMENTOR_STAGE_TIMES:-}" ]; then
        child_cpu
        awk -v name="$name" -v start="$start" -v end="$(date +%s.%N)" -v cpu="$cpu" -v now="$cpu_now" \
            'BEGIN { printf "%s\t%.0f\t%.0f\n", name, end - start, now - cpu }' >>"$DRAWMENTOR_STAGE_TIMES"
    fi
    return $status
}

install_missing() {
    local missing=() package sudo=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]} > 0)) || return 0
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
}

case "$mode" in
packages | sanitize | fuzz) stage packages install_missing "${packages[@]}" "${clang_packages[@]}" ;;
*) stage packages install_missing "${packages[@]}" ;;
esac
[ "$mode" = packages ] && exit 0

# Clones in other folders share the compiler cache: paths below the clone are
# hashed relative to it.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
jobs=$(nproc)

# CI builds whole trees once: warnings are errors, and each target compiles in
# batches of sources, which saves compiling the same headers again and again.
werror=OFF unity=OFF
[ "${CI:-}" = "true" ] && werror=ON unity=ON

# Line tables are all a sanitizer report needs from debug information, and
# full debug information is a large part of these builds' compile and link time.
checked_flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
    -DDRAWMENTOR_BENCHMARKS=OFF)
# One clang build carries both sanitizers and libFuzzer's coverage feedback: the
# sanitized tests and the fuzzers share its compile (clang also compiles this
# tree with the sanitizers in about two thirds of g++'s time).
asan_dir=${DRAWMENTOR_SANITIZE_DIR:-build-asan}
configure_asan() {
    # The compiler reads the coverage ignore list by name only: the cache must
    # see its contents, or an edit to it would reuse objects built without it.
    export CCACHE_EXTRAFILES=$PWD/cmake/fuzz-coverage-ignore.txt
    configure "$asan_dir" -DCMAKE_CXX_COMPILER=clang++-16 "${checked_flags[@]}" -DDRAWMENTOR_SANITIZE=ON \
        -DDRAWMENTOR_FUZZ=ON
}

# configure <folder> <cmake option>...: the options every build shares.
configure() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DDRAWMENTOR_WERROR=$werror -DDRAWMENTOR_UNITY=$unity -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
}

# Sanitizer reports also go to files, so that one from a child process (the
# command-line tool run by a test) fails the run even when its test passes.
reset_reports() {
    reports="$PWD/$1/sanitizer-reports"
    rm -rf "$reports"
    mkdir -p "$reports"
}
check_reports() {
    if compgen -G "$reports/*" >/dev/null; then
        echo "Sanitizer reports:" >&2
        cat "$reports"/* >&2
        return 1
    fi
}

if [ "$mode" = test ]; then
    # The tree stays formatted: a source that clang-format would change fails the
    # run. Every library includes only the layers below it and its own Qt modules.
    stage format+layers sh -c './tools/check-format.sh && ./tools/check-layers.sh'
fi

if [ "$mode" = sanitize ]; then
    build_dir=$asan_dir
    configure_asan
    reset_reports "$build_dir"
    export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:strict_string_checks=1"
    export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp"
    stage "sanitizer build" cmake --build "$build_dir" -j "$jobs"
    status=0
    stage "sanitizer tests" ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -LE 'long|install' \
        -j "$jobs" || status=$?
    check_reports || status=1
    exit $status
fi

if [ "$mode" = tsan ]; then
    # Only the suites that run the paytable analysis on several threads (label
    # "threads"): plain C++, so no uninstrumented Qt confuses the checker.
    build_dir=${DRAWMENTOR_TSAN_DIR:-build-tsan}
    configure "$build_dir" "${checked_flags[@]}" -DDRAWMENTOR_TSAN=ON
    stage "TSan build" cmake --build "$build_dir" -j "$jobs" --target paytable_tests
    reset_reports "$build_dir"
    export TSAN_OPTIONS="log_path=$reports/tsan:halt_on_error=1:second_deadlock_stack=1"
    # ThreadSanitizer before LLVM 18 cannot place its shadow memory when the
    # kernel randomises more address bits than the usual 28.
    norandom=()
    if [ "$(cat /proc/sys/vm/mmap_rnd_bits 2>/dev/null || echo 28)" -gt 28 ]; then
        norandom=(setarch "$(uname -m)" -R)
    fi
    status=0
    stage "TSan tests" "${norandom[@]}" ctest --test-dir "$build_dir" --output-on-failure --no-tests=error \
        -L threads -j "$jobs" || status=$?
    check_reports || status=1
    exit $status
fi

if [ "$mode" = fuzz ]; then
    build_dir=$asan_dir
    configure_asan
    stage "fuzz build" cmake --build "$build_dir" -j "$jobs" --target fuzzers
    # Each target on a copy of its corpus, so that what it finds stays out of the tree.
    work="$build_dir/fuzz-run"
    rm -rf "$work" "$build_dir/findings"
    mkdir -p "$work" "$build_dir/findings"
    targets=$(cat "$build_dir/fuzz-targets.txt")
    for name in $targets; do
        cp -r "tests/data/fuzz/$name" "$work/$name"
    done
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp"
    export DRAWMENTOR_FUZZ_SECONDS=${DRAWMENTOR_FUZZ_SECONDS:-12}
    # One target: its summary line, or on a finding the end of its log (the input
    # that crashed is kept in findings/).
    fuzz_one='name=$1 dir=$2 work=$3
        if "$dir/bin/fuzz_$name" -max_total_time="$DRAWMENTOR_FUZZ_SECONDS" -timeout=30 \
            -print_final_stats=1 -artifact_prefix="$dir/findings/$name-" "$work/$name" >"$work/$name.log" 2>&1
        then
            echo "fuzz_$name: $(grep -o "Done [0-9]* runs in [0-9]* second(s)" "$work/$name.log")"
        else
            echo "fuzz_$name FAILED:" && tail -n 60 "$work/$name.log" && exit 1
        fi'
    stage "fuzz run" xargs -P "$jobs" -I{} sh -c "$fuzz_one" sh {} "$build_dir" "$work" <<<"$targets"
    exit
fi

build_dir=${DRAWMENTOR_BUILD_DIR:-build}
configure "$build_dir" -DCMAKE_BUILD_TYPE=Release
stage "release build" cmake --build "$build_dir" -j "$jobs"

if [ "$mode" = run ]; then
    rm -f "$times_file"
    exec "$build_dir/bin/drawmentor"
fi
if [ "$mode" = package ]; then
    (cd "$build_dir" && cpack)
    exit
fi
# The long exhaustive check has its own label: `ctest --test-dir build -L long`.
stage "release tests" ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -LE long -j "$jobs"
