#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing,
# then configures and builds in Release into build/: every target, or only the
# targets named as arguments (tools/setup.sh tavrelo).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev
          libgl1-mesa-dev gdal-bin python3 python3-ezdxf xvfb xauth locales)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
