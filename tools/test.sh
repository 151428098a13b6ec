#!/usr/bin/env bash
# Builds Portdesk as CI does (warnings are errors, Q_ASSERT active) into
# build-test/, checks the formatting and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
bash tools/check-format.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPORTDESK_WERROR=ON -DPORTDESK_ASSERTS=ON >/dev/null
cmake --build build-test --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure --parallel "$(nproc)"
