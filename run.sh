#!/usr/bin/env bash
# Builds a Release, installs it into the program directory and starts it there.
# The program directory is ~/.local/lib/tanzo unless TANZO_HOME names another one; it holds
# the program and the user's Tanzo.mdb, which a rebuild never touches.
set -euo pipefail
cd "$(dirname "$0")"
PROGRAM_DIR="${TANZO_HOME:-$HOME/.local/lib/tanzo}"
bash tools/packages.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
# Qt's code generation notices new headers of an existing build only when asked again.
find build-release -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build build-release -j"$(nproc)" --target tanzo
cmake --install build-release --prefix "$PROGRAM_DIR" >/dev/null
bash desktop/install-desktop.sh "$PROGRAM_DIR"
exec "$PROGRAM_DIR/tanzo" "$@"
