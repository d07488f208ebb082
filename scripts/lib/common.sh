# Shared by the scripts: Debian packages, and the build in build/.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${VORDA_BUILD_DIR:-$ROOT/build}"

# What building and testing needs.
BUILD_PACKAGES=(
  cmake g++ make pkgconf
  libgtest-dev googletest libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  fonts-liberation
  xdg-utils file shared-mime-info libchm-bin
  desktop-file-utils appstream man-db ngspice
)

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
