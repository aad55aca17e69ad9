#!/usr/bin/env bash
# Installs the Debian packages that building and testing Velkor need, and the locales its tests
# run under, skipping what is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  libftdi1-dev libxlsxwriter-dev
  python3-openpyxl
  xvfb xauth fonts-dejavu-core
  locales
)

# Numbers are tested under decimal-comma locales: French (the program's first audience, a
# no-break space between thousands) and German (a period between thousands). A test that
# cannot find one of them fails, so both are made here.
locales=(fr_FR de_DE)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# `locale -a` spells them fr_FR.utf8; setlocale accepts fr_FR.UTF-8 for the same locale.
has_locale() { locale -a 2>/dev/null | grep -qix "$1\.utf-\?8"; }
for name in "${locales[@]}"; do
  has_locale "$name" && continue
  echo "deps: generating the locale $name.UTF-8"
  # localedef exits with 1 when it only warned (the file is written): judge by the result.
  $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8" || true
  has_locale "$name" || { echo "deps: the locale $name.UTF-8 could not be made" >&2; exit 1; }
done

echo "deps: everything is installed"
