#!/usr/bin/env bash
# Installs the Debian packages Vantrel needs to build, test and run, where they are missing.
set -euo pipefail
# qt6-translations-l10n: Qt's own dialogs in the program's language; desktop-file-utils and
# appstream: validators of the installed desktop entry and AppStream data; dpkg-dev and
# shared-mime-info: the Debian package's dependencies and the file-type check; clang-format:
# the formatting check of the sources.
packages=(g++ cmake ninja-build pkg-config googletest libgtest-dev libbenchmark-dev
          qt6-base-dev libgl1-mesa-dev fonts-liberation ccache
          qt6-translations-l10n desktop-file-utils appstream dpkg-dev shared-mime-info
          clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
