#!/bin/bash
# Compares what two builds of the programs write: the deploy JAR/JAD pairs of
# "quirewright -deploy" and the builds that book_builds_ui makes through the builder window.
# JARs must hold the same entries in the same order with the same data (entry times aside);
# JADs and the messages shown must be the same byte for byte.
#   tools/compare_outputs.sh <old build folder> <new build folder> <work folder>
# Each build folder needs bin/quirewright, bin/book_builds_ui and bin/quirewright.dat.
set -euo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 <old build folder> <new build folder> <work folder>" >&2
  exit 2
fi
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
work=$3
mkdir -p "$work"
work=$(cd "$work" && pwd)
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

# Both sides write into the same folder, then moved aside: book texts of several files carry
# the files' paths.
for side in old new; do
  build=${!side}
  run=$work/run
  rm -rf "${work:?}/$side" "$run"
  mkdir -p "$run/deploy" "$run/program" "$run/books"
  "$build/bin/quirewright" -deploy "$run/deploy/" > "$run/deploy.log" 2>&1 ||
    echo "$side: the deploy run failed, see $work/$side/deploy.log" >&2
  cp "$build/bin/quirewright.dat" "$run/program/"
  "$build/bin/book_builds_ui" "$run/program" "$run/books" > "$run/books.log" 2>&1 ||
    echo "$side: a book build stopped, see $work/$side/books.log" >&2
  mv "$run" "$work/$side"
done

python3 - "$work/old" "$work/new" <<'PY'
import os, sys, zipfile

old, new = sys.argv[1], sys.argv[2]

def files(root):
    out = set()
    for d, _, names in os.walk(root):
        for n in names:
            out.add(os.path.relpath(os.path.join(d, n), root))
    return out

def entries(path):
    with zipfile.ZipFile(path) as z:
        return [(i.filename, z.read(i)) for i in z.infolist()]

differ = []
counts = {"jar": 0, "jad": 0, "other": 0}
for side in ("deploy", "books"):
    a, b = files(os.path.join(old, side)), files(os.path.join(new, side))
    for name in sorted(a ^ b):
        differ.append(f"{side}/{name}: only in {'old' if name in a else 'new'}")
    for name in sorted(a & b):
        pa, pb = os.path.join(old, side, name), os.path.join(new, side, name)
        if name.endswith(".jar"):
            counts["jar"] += 1
            ea, eb = entries(pa), entries(pb)
            if [n for n, _ in ea] != [n for n, _ in eb]:
                differ.append(f"{side}/{name}: entry names or order differ")
            elif ea != eb:
                bad = [n for (n, x), (_, y) in zip(ea, eb) if x != y]
                differ.append(f"{side}/{name}: data differ in {', '.join(bad[:5])}")
        else:
            counts["jad" if name.endswith(".jad") else "other"] += 1
            if open(pa, "rb").read() != open(pb, "rb").read():
                differ.append(f"{side}/{name}: bytes differ")
deploy_jars = sum(1 for n in files(os.path.join(new, "deploy")) if n.endswith(".jar"))
print(f"compared {counts['jar']} JARs, {counts['jad']} JADs and {counts['other']} other files "
      f"({deploy_jars} deploy JARs)")
for d in differ:
    print("DIFFERENT:", d)
if differ:
    sys.exit(1)
print("outputs unchanged")
PY
