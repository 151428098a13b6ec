#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r f; do
  clang-format "$f" | cmp -s - "$f" || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h')
if ((${#bad[@]})); then
  printf 'not formatted (run clang-format -i): %s\n' "${bad[@]}" >&2
  exit 1
fi
