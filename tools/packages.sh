#!/usr/bin/env bash
# Installs the Debian packages the build and the program need, when missing (the program prints
# through CUPS); with --tests also what only the tests use: a PostgreSQL server, of which the
# tests start a cluster of their own, the PDF printer, Ghostscript and poppler-utils the
# printing tests print on and read back, and Qt's platform headers with which a test switches
# accessibility on; with --package what building and checking the Debian package uses
# (tools/package-check.sh).
set -euo pipefail
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libsqlite3-dev
          libgtest-dev libgmock-dev fonts-ipafont-gothic fonts-ipafont-mincho
          cups desktop-file-utils qt6-translations-l10n libpq-dev)
case "${1:-}" in
  --tests) PACKAGES+=(postgresql ghostscript poppler-utils printer-driver-cups-pdf qt6-base-private-dev) ;;
  --package) PACKAGES+=(dpkg-dev debhelper lintian sqlite3) ;;
esac
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  # The tests need the server's programs, not a cluster of the machine's own running for good.
  if printf '%s\n' "${missing[@]}" | grep -qx postgresql && [ ! -e /etc/postgresql-common/createcluster.d/tanzo.conf ]; then
    $SUDO mkdir -p /etc/postgresql-common/createcluster.d
    echo "create_main_cluster = false" | $SUDO tee /etc/postgresql-common/createcluster.d/tanzo.conf >/dev/null
  fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
