#!/usr/bin/env bash
# Configures and builds both presets: the Windows program with its tests, and the engine on
# this machine with sanitizers. Pass a preset name to build only that one.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("${@:-win64 host}")
for preset in ${presets[*]}; do
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
done
