#!/usr/bin/env bash
# Starts Tavrelo from build/: first installs what is missing and builds the program
# (only the program, not the tests). Without a display it says so before any of that.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run it under a virtual display:  xvfb-run -a ./run.sh"
    echo "or without any display:                            QT_QPA_PLATFORM=offscreen ./run.sh"
    exit 1
fi
tools/setup.sh tavrelo
exec build/tavrelo "$@"
