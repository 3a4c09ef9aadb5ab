#!/usr/bin/env bash
# Builds the Debian package and checks it the way a desk uses it, as root (CI runs it after
# the tests):
#   1. builds tanzo_*.deb from a copy of the tree in build-deb/ (dpkg-buildpackage -b, a
#      Release of the program alone; the tests are not built or run here);
#   2. lintian on the package: its errors fail the run, its warnings are shown;
#   3. none of the packages only the tests use is among the package's dependencies;
#   4. apt-get install ./tanzo_*.deb, then an ordinary user (tanzocheck, made when missing)
#      starts the installed program headless with --start-only: it must make
#      ~/.local/share/tanzo/Tanzo.mdb holding the management table;
#   5. apt-get remove tanzo: the user's data is still there.
# It can run again on the same machine: the package is reinstalled and the check user's data
# folder is emptied before the start.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
check_user=tanzocheck
[ "$(id -u)" -eq 0 ] || { echo "package-check.sh: run as root (it installs and removes the package)" >&2; exit 2; }

fail() { echo "package-check: FAILED: $*" >&2; exit 1; }

bash tools/packages.sh --package

# The package is built in a copy of the tree, so what dpkg-buildpackage writes beside the
# tree (the .deb, .changes, .buildinfo) stays in build-deb/.
out="$root/build-deb"
src="$out/src"
rm -rf "$src"
mkdir -p "$src"
tar -C "$root" --exclude=./.git --exclude='./build' --exclude='./build-*' --exclude='./obj-*' -cf - . | tar -C "$src" -xf -
rm -f "$out"/tanzo_* "$out"/tanzo-dbgsym_*

# Compiled objects come from the shared compiler cache when there is one; debhelper gives the
# build a home of its own, so the cache is named outright.
if command -v ccache >/dev/null; then
  CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}"
  export CCACHE_DIR CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
echo "== Building the package"
(cd "$src" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -b -us -uc)
deb="$(ls "$out"/tanzo_*.deb)"
echo "Built $deb"

echo "== lintian"
lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"

echo "== Dependencies"
depends="$({ dpkg-deb -f "$deb" Depends; dpkg-deb -f "$deb" Recommends; } | tr ',|' '\n\n' |
            sed -e 's/(.*)//' -e 's/[[:space:]]//g' -e 's/:.*$//' | sort -u)"
printf '%s\n' "$depends" | sed 's/^/  /'
for test_only in ghostscript poppler-utils cups-pdf printer-driver-cups-pdf postgresql; do
  if printf '%s\n' "$depends" | grep -qx "$test_only"; then fail "$test_only, which only the tests use, is a dependency"; fi
done
for needed in qt6-translations-l10n fonts-ipafont-gothic fonts-ipafont-mincho; do
  printf '%s\n' "$depends" | grep -qx "$needed" || fail "$needed is not a dependency"
done

echo "== Installing"
(cd "$out" && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall "./$(basename "$deb")")
[ -x /usr/bin/tanzo ] || fail "/usr/bin/tanzo is not installed"
[ -f /usr/share/applications/tanzo.desktop ] || fail "the desktop entry is not installed"
[ -f /usr/share/icons/hicolor/scalable/apps/tanzo.svg ] || fail "the icon is not installed"

echo "== First start as an ordinary user"
id "$check_user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$check_user"
home="$(getent passwd "$check_user" | cut -d: -f6)"
data="$home/.local/share/tanzo"
rm -rf "$data"
started="$(cd / && timeout 120 runuser -u "$check_user" -- env -i HOME="$home" USER="$check_user" LOGNAME="$check_user" \
             PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen tanzo --start-only)" || fail "the program did not start (exit $?)"
printf '%s\n' "$started" | sed 's/^/  /'
printf '%s\n' "$started" | grep -qxF "データベース：$data/Tanzo.mdb" || fail "the program names another database"

db_rows() { sqlite3 -readonly "$1" 'SELECT count(*) FROM 管理テーブル;'; }
[ -f "$data/Tanzo.mdb" ] || fail "$data/Tanzo.mdb was not made"
[ "$(stat -c %U "$data/Tanzo.mdb")" = "$check_user" ] || fail "$data/Tanzo.mdb does not belong to $check_user"
rows="$(db_rows "$data/Tanzo.mdb")" || fail "$data/Tanzo.mdb has no management table"
[ "$rows" = 7 ] || fail "the management table holds $rows rows, not 7"
echo "  $data/Tanzo.mdb: the management table, $rows rows"

echo "== Removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q tanzo
[ ! -e /usr/bin/tanzo ] || fail "/usr/bin/tanzo is still there"
[ "$(db_rows "$data/Tanzo.mdb")" = 7 ] || fail "the user's database did not outlast the package"
echo "package-check: the package builds, installs, starts as $check_user, and leaves the user's data when removed"
