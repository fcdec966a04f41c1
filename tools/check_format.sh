#!/usr/bin/env bash
# Checks that every C++ source of the tree keeps the style of .clang-format;
# names the files that do not.  `clang-format -i <file>` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
list_sources() {
  find . \( -path './.*' -o -path './build*' \) -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print0
}
count=$(list_sources | tr -cd '\0' | wc -c)
report=$(list_sources | xargs -0 -n 16 -P "$(nproc)" clang-format --dry-run --Werror 2>&1 || true)
unformatted=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sed 's|^\./||' | sort -u || true)
if [ -n "$unformatted" ] || grep -q 'error' <<<"$report"; then
  echo "Not formatted as .clang-format says (clang-format -i mends them):" >&2
  if [ -n "$unformatted" ]; then sed 's/^/  /' <<<"$unformatted" >&2; else echo "$report" >&2; fi
  exit 1
fi
echo "Formatting: all $count C++ files keep the style of .clang-format."
