# Shared by the scripts: Debian packages, and the build in build/.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${VORDA_BUILD_DIR:-$ROOT/build}"

# What building and testing needs.
BUILD_PACKAGES=(
  cmake g++ make pkgconf
  libgtest-dev googletest libbenchmark-dev libmpfr-dev
  nlohmann-json3-dev libcli11-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-liberation
  xdg-utils file shared-mime-info libchm-bin
  desktop-file-utils appstream man-db ngspice
)

# The Windows build and its tests under Wine (scripts/test-windows): the
# MinGW-w64 cross compiler and 64-bit Wine; GoogleTest comes from the
# googletest sources above, built with the cross compiler.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 wine64)

# Cross-building Qt for Windows (scripts/build-qt-windows): Debian's Qt
# sources come through apt and dpkg-source, and build with Ninja (qtbase's
# header generation is a Perl script).
QT_WINDOWS_PACKAGES=(dpkg-dev xz-utils ninja-build perl)

# Fuzzing, sanitizers and static analysis.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
CHECK_PACKAGES=(clang-tidy-14 cppcheck clang-format-14)

# What running the window needs beyond the build: the help viewer
# (KchmViewer; xchm on Debian 12 shows the help's pages as HTML source).
RUN_PACKAGES=(kchmviewer)

# Installs the Debian packages that are not installed yet, with sudo when not
# root. Nothing is downloaded when everything is there.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds the project in $BUILD_DIR.
build_project() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$BUILD_DIR" -j"$(nproc)"
}

# The Windows build in build-windows/: GoogleTest cross-built once from
# /usr/src/googletest, then the project with the MinGW-w64 toolchain; with a
# Windows Qt (the prefix scripts/build-qt-windows prints), the windows too.
# Usage: build_windows [QT-PREFIX]
WINDOWS_BUILD_DIR="$ROOT/build-windows"
build_windows() {
  local qt=(-DVORDA_BUILD_UI=OFF)
  [ -n "${1:-}" ] && qt=(-DVORDA_BUILD_UI=ON -DQT_HOST_PATH=/usr)
  local toolchain="$ROOT/cmake/mingw-w64-x86_64.cmake"
  local gtest="$WINDOWS_BUILD_DIR/googletest"
  if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install"
    cmake --build "$gtest/build" -j"$(nproc)"
    cmake --install "$gtest/build" >/dev/null
  fi
  cmake -S "$ROOT" -B "$WINDOWS_BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$gtest/install${1:+;$1}" "${qt[@]}"
  cmake --build "$WINDOWS_BUILD_DIR" -j"$(nproc)"
}
