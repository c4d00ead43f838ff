#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that building and testing need and that are
# not installed yet. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    libsuitesparse-dev libopenblas-dev time
    clang libclang-rt-14-dev
    poppler-utils xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
