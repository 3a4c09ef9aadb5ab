#!/usr/bin/env bash
# Puts the program on the desktop's menu: a desktop entry (tanzo.desktop, made to start the
# installed program) and the program's icon in the user's icon theme folder.
# Usage: install-desktop.sh PROGRAM_DIR [DATA_HOME]   (DATA_HOME defaults to ~/.local/share)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program_dir="$(cd "$1" && pwd)"
data_home="${2:-${XDG_DATA_HOME:-$HOME/.local/share}}"
apps="$data_home/applications"
icons="$data_home/icons/hicolor/scalable/apps"
mkdir -p "$apps" "$icons"
install -m 644 "$here/tanzo.svg" "$icons/tanzo.svg"

# Exec takes the program quoted; inside the quotes ", `, $ and \ are escaped with a backslash,
# and every backslash of the result is doubled once more as the entry's string escape.
program="$program_dir/tanzo"
quoted="$(printf '%s' "$program" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g')"
folder="$(printf '%s' "$program_dir" | sed -e 's/\\/\\\\/g')"
entry="$apps/tanzo.desktop"
# The system package's entry starts "tanzo" from the path; this one starts the program of the
# folder, in that folder.
while IFS= read -r line; do
  case "$line" in
    Exec=*) printf 'Exec="%s"\nPath=%s\n' "$quoted" "$folder" ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$here/tanzo.desktop" >"$entry.tmp"
mv "$entry.tmp" "$entry"
command -v update-desktop-database >/dev/null && update-desktop-database -q "$apps" 2>/dev/null || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data_home/icons/hicolor" 2>/dev/null || true
