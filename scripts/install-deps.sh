#!/usr/bin/env bash
# Installs the Debian packages the project needs, when they are missing (as root, or through sudo).
# Packages named as arguments are wanted too (scripts/fuzz.sh asks for clang this way).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libglib2.0-dev
  libzip-dev
  liblua5.4-dev
  mdbtools mdbtools-dev
  libchm-dev fp-utils
  googletest libgtest-dev libbenchmark-dev
  fonts-dejavu-core
  desktop-file-utils
  poppler-utils
  xvfb xauth
  strace
  dpkg-dev file locales lintian man-db
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Missing packages: ${missing[*]}. Run this script as root or install sudo." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
