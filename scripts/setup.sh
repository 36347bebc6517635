# Shared by scripts/run and scripts/test: install what the build needs, then configure and build.
# shellcheck shell=bash

MERROW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
MERROW_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest
                 libbenchmark-dev qt6-base-dev libgl-dev libfontconfig-dev fonts-liberation2 binutils srecord
                 xvfb xauth poppler-utils)

merrow_install_packages() {
    local missing=()
    local pkg
    for pkg in "${MERROW_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# merrow_build DIR [cmake options...]
merrow_build() {
    local dir=$1
    shift
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$MERROW_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" \
        >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
