#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavrelo from build/.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run it under a virtual display:  xvfb-run -a build/tavrelo"
    echo "or without any display:                            QT_QPA_PLATFORM=offscreen build/tavrelo"
    exit 1
fi
exec build/tavrelo "$@"
