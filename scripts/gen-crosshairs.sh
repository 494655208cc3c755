#!/bin/sh
# Rebuilds the crosshair generator with the host compiler and rewrites the committed images,
# the program icon and the documentation picture from it.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/host"

cmake -S "$root/tools" -B "$build"
cmake --build "$build" --target crosshair-gen

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/crosshair-gen" "$out"
"$build/crosshair-gen" --sheet "$out/crosshairs.png"

mkdir -p "$root/overlay/crosshairs" "$root/docs"
for n in 1 2 3 4 5; do
    cp "$out/$n.png" "$root/overlay/crosshairs/$n.png"
done
cp "$out/crosshair.ico" "$root/overlay/crosshair.ico"
cp "$out/crosshairs.png" "$root/docs/crosshairs.png"
echo "regenerated overlay/crosshairs/1.png to 5.png, overlay/crosshair.ico, docs/crosshairs.png"
