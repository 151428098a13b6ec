#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
# Extra arguments go to cmake's configure step (e.g. -DPORTDESK_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build --parallel "$(nproc)"
