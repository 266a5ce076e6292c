#!/bin/sh
# Runs the checks of .clang-tidy (naming, function size) with warnings from the project's own
# headers shown, over the given files or over every project source of a build.
#   tools/tidy.sh [-p BUILD] [-fix] [FILE...]
# BUILD (default: build) holds compile_commands.json. The headers are reached through the
# build's include/<lib>/ links; the source root goes first on the include path so that they
# are reported, and fixed, under their own names.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
fix=
while [ $# -gt 0 ]; do
  case $1 in
    -p) build=$2; shift 2 ;;
    -fix) fix=-fix; shift ;;
    *) break ;;
  esac
done
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 2; }
folders='assembly|controls|fontcreator|localisation|platform|tests|tools|wizard'
filter="^$root/($folders)/"
if [ $# -gt 0 ]; then
  exec clang-tidy -p "$build" --quiet --extra-arg-before="-I$root" --header-filter="$filter" \
    $fix "$@"
fi
# The whole tree: every source of compile_commands.json under the root (moc output aside).
exec run-clang-tidy -p "$build" -quiet -extra-arg-before="-I$root" -header-filter="$filter" \
  -j "$(nproc)" $fix "^$root/($folders)/"
