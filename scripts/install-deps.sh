#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tabrel needs. Extra packages can
# be named as arguments (the editor's start script asks for a virtual display this way).
set -euo pipefail

packages=(
  cmake g++ make            # compiler and build
  libgtest-dev              # unit tests
  libbenchmark-dev          # benchmarks
  qt6-base-dev              # the editor (Qt 6 Widgets, QtTest, platform plugins)
  fonts-dejavu-core         # a font for the editor and its screenshots
  libcli11-dev              # tabrel-cli argument parsing
  nlohmann-json3-dev        # tabrel-cli JSON output
  clang libclang-rt-14-dev  # libFuzzer and the sanitizer runtimes for the fuzz target
  python3-lark              # the LDF grammar check of written files
  gcc-multilib              # the generated headers are also compiled for 32-bit x86
  dpkg-dev                  # dpkg-shlibdeps, for the Debian package's dependencies
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${packages[@]}"
