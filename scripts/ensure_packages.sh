#!/usr/bin/env bash
# Installs, with apt-get, whichever of the build and test tools this machine lacks.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3 libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-format clang-tidy clang libclang-rt-14-dev g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils imagemagick icoutils librsvg2-bin
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]} > 0)); then
  echo "installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
