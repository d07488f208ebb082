# Shared by the scripts: Debian packages, and the build in build/.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${VORDA_BUILD_DIR:-$ROOT/build}"

# What building and testing needs (pandas and scikit-rf read the tables and
# two-port files the tests write, as their users' tools do).
BUILD_PACKAGES=(
  cmake g++ make pkgconf
  libgtest-dev googletest libbenchmark-dev libmpfr-dev
  nlohmann-json3-dev libcli11-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-liberation
  xdg-utils file shared-mime-info libchm-bin
  desktop-file-utils appstream man-db ngspice
  python3-pandas python3-scikit-rf
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
# (KchmViewer; xchm on Debian 12 shows the help's pages as HTML source), and
# a font with the ground symbol (U+23DA) of vorda-match's schematics.
RUN_PACKAGES=(kchmviewer fonts-symbola)

# Runs apt-get with its arguments; while another program holds the package
# manager's lock (an automatic upgrade on a fresh machine does), says so and
# waits for it, up to APT_LOCK_WAIT seconds (default 600), instead of
# stopping at once.
apt_get() {
  local waited=0 limit="${APT_LOCK_WAIT:-600}" out status
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  while :; do
    status=0
    out=$("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=10 "$@" 2>&1) ||
      status=$?
    case "$out" in
      *"Could not get lock"* | *"Unable to acquire the dpkg frontend lock"* | *"Unable to lock directory"*)
        if [ $status -ne 0 ] && [ "$waited" -lt "$limit" ]; then
          [ "$waited" -eq 0 ] &&
            echo "Another program holds the package manager's lock (an automatic upgrade?): waiting for it, up to $((limit / 60)) minutes"
          sleep 10
          waited=$((waited + 20))
          continue
        fi
        ;;
    esac
    [ -z "$out" ] || printf '%s\n' "$out"
    return $status
  done
}

# Installs the Debian packages that are not installed yet, with sudo when not
# root. Nothing is downloaded when everything is there.
ensure_packages() {
  local missing=()
  local pkg status
  for pkg in "$@"; do
    # (Captured first: grep -q on a pipe can stop before its writer ends.)
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
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
