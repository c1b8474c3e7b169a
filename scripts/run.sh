#!/usr/bin/env bash
# Installs what is missing, builds and starts Tolvan (under a virtual display
# when the machine has none).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a build/tolvan "$@"
fi
exec build/tolvan "$@"
