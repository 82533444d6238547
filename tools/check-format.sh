#!/usr/bin/env bash
# Fails when a C++ source differs from what the project's .clang-format makes
# of it; `cmake --build build --target format` rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'cli/*.cpp' 'cli/*.h' 'app/*.cpp' \
    'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'tools/*.cpp' 'tools/*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "format: ${#sources[@]} sources formatted"
