#!/usr/bin/env bash
# Builds Portdesk and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
exec build/src/portdesk "$@"
