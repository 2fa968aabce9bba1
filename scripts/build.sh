#!/usr/bin/env bash
# Configures and builds Tivarel in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
# Under CI, or with TIVAREL_WERROR=ON, a compiler warning fails the build.
werror="${TIVAREL_WERROR:-$([ -n "${CI:-}" ] && echo ON || echo OFF)}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIVAREL_WERROR="$werror" >/dev/null
cmake --build build
