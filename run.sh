#!/usr/bin/env bash
# Builds the game (Release, in build/) and starts it.
#   ./run.sh            the desktop game
#   ./run.sh handheld   the handheld variant
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
source tools/build_programs.sh
tavlin_ensure_packages

tavlin_build_programs

program=tavlin
if [ "${1:-}" = "handheld" ]; then
  program=tavlin_handheld
fi
if [ -z "${DISPLAY:-}" ]; then
  # No display: play it under Xvfb for a few seconds and keep a screenshot.
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    ./build/$program & pid=\$!
    sleep 6
    import -window root build/screenshot.png || true
    kill \$pid 2>/dev/null || true
    wait \$pid 2>/dev/null || true"
  echo "No display: ran $program under Xvfb and wrote build/screenshot.png"
  exit 0
fi
exec "./build/$program"
