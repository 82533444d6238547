#!/usr/bin/env bash
# The set-up commands of the README:
#   ./build.sh run        install what is missing, build, start DrawMentor
#   ./build.sh test       install what is missing, build, run every test
#   ./build.sh sanitize   the same tests built with AddressSanitizer and
#                         UndefinedBehaviorSanitizer in build-asan/; any report fails
#   ./build.sh package    install what is missing, build, make the Debian package
#                         build/drawmentor_<version>_amd64.deb
# Only the package installation needs root; it uses sudo when run as a user.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test | sanitize | package) ;;
*)
    echo "usage: $0 run|test|sanitize|package" >&2
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

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = test ]; then
    # The tree stays formatted: a source that clang-format would change fails the run.
    ./tools/check-format.sh
    # Every library includes only the layers below it and its own Qt modules.
    ./tools/check-layers.sh
fi

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON # warnings are errors in CI

if [ "$mode" = sanitize ]; then
    build_dir=${DRAWMENTOR_SANITIZE_DIR:-build-asan}
    reports="$PWD/$build_dir/sanitizer-reports"
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAWMENTOR_SANITIZE=ON \
        -DDRAWMENTOR_BENCHMARKS=OFF -DDRAWMENTOR_WERROR=$werror -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    rm -rf "$reports"
    mkdir -p "$reports"
    # Reports also go to files, so that one from a child process (the
    # command-line tool run by a test) fails the run even when its test passes.
    export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:strict_string_checks=1"
    export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp"
    cmake --build "$build_dir" -j "$(nproc)"
    status=0
    ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -LE long -j "$(nproc)" || status=$?
    if compgen -G "$reports/*" >/dev/null; then
        echo "Sanitizer reports:" >&2
        cat "$reports"/* >&2
        status=1
    fi
    exit $status
fi

build_dir=${DRAWMENTOR_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRAWMENTOR_WERROR=$werror \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build "$build_dir" -j "$(nproc)"

if [ "$mode" = run ]; then
    exec "$build_dir/bin/drawmentor"
fi
if [ "$mode" = package ]; then
    (cd "$build_dir" && cpack)
    exit
fi
# The long exhaustive check has its own label: `ctest --test-dir build -L long`.
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -LE long -j "$(nproc)"
