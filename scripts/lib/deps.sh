# shellcheck shell=bash
# Sourced by scripts/run and scripts/test: installs the Debian packages the build, the
# tests and the screenshots need, and nothing when they are all there already.

FOLDMERE_PACKAGES=(
  cmake g++ ninja-build googletest
  # clang with libFuzzer and the sanitizers' runtimes, for the fuzz targets
  clang libclang-rt-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick python3
)

foldmere_missing_packages() {
  local p
  for p in "${FOLDMERE_PACKAGES[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then
      echo "$p"
    fi
  done
}

foldmere_install_deps() {
  command -v dpkg-query >/dev/null || {
    echo "This script installs its tools with apt; on another system install: ${FOLDMERE_PACKAGES[*]}" >&2
    return 1
  }
  local missing
  missing=$(foldmere_missing_packages)
  [ -n "$missing" ] || return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || {
      echo "Missing packages and no sudo to install them as root:" "$missing" >&2
      return 1
    }
    sudo=(sudo)
  fi
  echo "Installing:" "$missing"
  # shellcheck disable=SC2086 # one package per word
  "${sudo[@]}" apt-get update &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y --no-install-recommends $missing </dev/null
}
