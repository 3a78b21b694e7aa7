#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need.
# Only missing packages are installed; apt-get update runs only then.
# Usage: install-deps.sh [fuzz]
set -euo pipefail

# The windows are laid out for Tahoma and Verdana: fonts-wine brings a face
# with Tahoma's widths, DejaVu Sans (fonts-dejavu-core) stands in for Verdana
# (src/framework/Graphics.h, MapFontFamily).
PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libpugixml-dev libcurl4-openssl-dev zlib1g-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-wine libxml2-utils python3
  xvfb xauth libxcb1-dev
  smitools
  poppler-utils
  fp-compiler fp-units-rtl
  libzip-dev libxlsxwriter-dev libfreexl-dev libgsf-1-dev
  libqt6sql6-sqlite libqt6sql6-odbc unixodbc odbc-mdbtools mdbtools
  python3-openpyxl python3-docx python3-xlwt
)
# The libFuzzer targets need clang: `scripts/install-deps.sh fuzz`.
if [ "${1:-}" = "fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# npm brings the SMIv2 base modules the MIB check needs (below).
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The SMIv2 base modules (SNMPv2-SMI, SNMPv2-TC, SNMPv2-CONF) for checking the
# written SNMP MIB with smilint: Debian's smitools ships none, the npm package
# net-snmp does. They go to a cache folder holding only those three, so the
# check sees no other module. The MIB tests look there and skip, saying why,
# when they are missing; a failed download does not stop the build.
SMI_DIR="${GC_SMI_MODULES:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/gateway-configurator/smi}"
if [ ! -f "$SMI_DIR/SNMPv2-CONF.mib" ] && command -v npm >/dev/null 2>&1; then
  npm_dir="$(mktemp -d)"
  if npm install --silent --no-audit --no-fund --prefix "$npm_dir" net-snmp@3 >/dev/null 2>&1; then
    mkdir -p "$SMI_DIR"
    # CONF last: its presence says the set is complete.
    for m in SNMPv2-SMI SNMPv2-TC SNMPv2-CONF; do
      cp "$npm_dir/node_modules/net-snmp/lib/mibs/$m.mib" "$SMI_DIR/" ||
        { echo "install-deps: net-snmp ships no $m.mib; the MIB check will be skipped"; break; }
    done
  else
    echo "install-deps: could not fetch the SMIv2 base modules (npm net-snmp); the MIB check will be skipped"
  fi
  rm -rf "$npm_dir"
fi
