#!/usr/bin/env bash
# Installs everything CorviFIR needs to build, test and benchmark on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format pkg-config git
    libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
    qt6-base-dev qt6-svg-dev libisal-dev xvfb xauth fonts-dejavu-core
    python3 python3-numpy python3-dev pybind11-dev python3-scipy python3-pytest gcc poppler-utils
    iverilog yosys perl
)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ "${CI:-}" = "true" ]; then
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update
    $SUDO apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=300 "${packages[@]}"
fi
