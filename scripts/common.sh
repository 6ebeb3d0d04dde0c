# Shared by run.sh and test.sh: installs the Debian packages the build needs and builds.
set -euo pipefail

TANDOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$TANDOR_ROOT/build}

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin libqt6sql6-sqlite libgl1-mesa-dev
  libsqlite3-dev sqlite3
  libgtest-dev libbenchmark-dev
  fonts-wqy-zenhei xvfb xauth
)

install_packages() {
  local missing=()
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

build_tandor() {
  cmake -S "$TANDOR_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$BUILD_DIR"
}
