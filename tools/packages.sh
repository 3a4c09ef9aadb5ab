#!/usr/bin/env bash
# Installs the Debian packages the build and the program need, when missing; with --tests also
# what only the tests use: a PostgreSQL server, of which the tests start a cluster of their own.
set -euo pipefail
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libsqlite3-dev
          libgtest-dev libgmock-dev fonts-ipafont-gothic fonts-ipafont-mincho
          ghostscript poppler-utils cups printer-driver-cups-pdf
          desktop-file-utils qt6-translations-l10n libpq-dev)
if [ "${1:-}" = "--tests" ]; then
  PACKAGES+=(postgresql)
fi
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
