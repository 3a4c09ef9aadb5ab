#!/usr/bin/env bash
# Builds and runs every test headless; ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/packages.sh --tests
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Qt's code generation notices new headers of an existing build only when asked again.
find build-test -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
