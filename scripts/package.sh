#!/usr/bin/env bash
# make package: the setup program and the portable zip, in build/packages, from the sources
# alone: the same sources give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
bash scripts/build.sh win64
version=$(sed -nE 's/^project\(Sorvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
out="$root/build/packages"
rm -rf "$out"
mkdir -p "$out/portable/Sorvane"
# Times inside the packages come from the last commit, not from the clock.
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 1700000000)

makensis -V2 -DVERSION="$version" -DSOURCE="$root" -DOUT="$out/Sorvane-$version-setup.exe" \
    installer/Sorvane.nsi
chmod a+x "$out/Sorvane-$version-setup.exe"

files=(build/win64/Sorvane.exe build/win64/Sorvane.chm installer/readme.txt)
cp "${files[@]}" "$out/portable/Sorvane/"
touch -d "@$SOURCE_DATE_EPOCH" "$out/portable/Sorvane" "$out/portable/Sorvane/"*
(cd "$out/portable" && TZ=UTC zip -X -q -D "$out/Sorvane-$version-portable.zip" \
    Sorvane/Sorvane.exe Sorvane/Sorvane.chm Sorvane/readme.txt)
rm -rf "$out/portable"
echo "Packages in build/packages:"
(cd "$out" && sha256sum Sorvane-*)
