# Shared by run.sh and test.sh: install what a fresh Debian 12 machine lacks, then configure and build.
# shellcheck shell=bash

MX_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libhunspell-dev
    hunspell-en-us fonts-liberation2 xvfb xauth desktop-file-utils appstream)

mx_install_deps() {
    local missing=()
    for pkg in "${MX_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# mx_build <build dir> [extra cmake arguments...]
mx_build() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" -G Ninja -DMENSURIX_WERROR="${MENSURIX_WERROR:-OFF}" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
