#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
set -euo pipefail
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libsqlite3-dev
          libgtest-dev libgmock-dev fonts-ipafont-gothic fonts-ipafont-mincho
          ghostscript poppler-utils cups printer-driver-cups-pdf
          desktop-file-utils qt6-translations-l10n libpq-dev postgresql)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
