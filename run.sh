#!/usr/bin/env bash
# Installs what is missing, builds and starts Mensurix.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
mx_install_deps
mx_build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: to run Mensurix on a virtual display, use: xvfb-run -a ./run.sh" >&2
    exit 1
fi
exec build/mensurix
