#!/usr/bin/env bash
# Builds the picture generator and redraws resources/images/** and resources/images.qrc and
# the application icon in packaging/icons/, then checks the required paths. Usage: resources/tools/regenerate.sh [build-dir]
# Pass --contact-sheet <out.png> or --preview <out.png> after the build dir to render a
# review sheet of the pictures or a styled stand-in of the main window instead.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
res="$(dirname "$here")"
src="$(dirname "$res")"
build="${1:-$src/build-res}"
shift || true

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" -j2 --target pelmora-drawimages

tool="$build/resources/pelmora-drawimages"
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

if [ $# -eq 2 ] && { [ "$1" = --contact-sheet ] || [ "$1" = --preview ]; }; then
  "$tool" "$1" "$res" "$2"
  exit 0
fi

"$tool" "$res"
"$tool" --app-icons "$src/packaging/icons"
"$here/check-paths.sh"
