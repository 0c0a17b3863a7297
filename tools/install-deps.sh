#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# only when one of them is missing.
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
          fonts-liberation poppler-utils python3-ezdxf clang-14 libfuzzer-14-dev libclang-rt-14-dev
          libcups2-dev cups cups-client printer-driver-cups-pdf)
[ "${1:-}" = "--with-x" ] && packages+=(xvfb xauth time)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
