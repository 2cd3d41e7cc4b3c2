#!/bin/sh
# bundle_editor.sh SOURCE OUT: the studio's code editor as one file,
# OUT/studio-editor.js, with the licences of what it holds beside it. The
# packages come from the npm registry as package-lock.json pins them, once:
# later builds reuse them without the network.
set -eu
src=$1
out=$2
work=$out/editor-npm
mkdir -p "$work"
cp "$src/package.json" "$src/package-lock.json" "$src/editor.js" "$work/"
if ! cmp -s "$src/package-lock.json" "$work/node_modules/.installed-lock.json" 2>/dev/null; then
  (cd "$work" && npm ci --no-audit --no-fund --prefer-offline --loglevel=error)
  cp "$src/package-lock.json" "$work/node_modules/.installed-lock.json"
fi
"$work/node_modules/.bin/esbuild" "$work/editor.js" --bundle --minify --format=iife \
  --global-name=ZorbelEditor --target=es2020 --log-level=warning \
  --outfile="$out/studio-editor.js"
{
  echo "studio-editor.js bundles these packages, each under its licence below."
  for licence in "$work"/node_modules/*/LICENSE* "$work"/node_modules/@*/*/LICENSE*; do
    case $licence in */esbuild/* | */@esbuild/*) continue ;; esac
    [ -f "$licence" ] || continue
    package=${licence#"$work/node_modules/"}
    printf '\n== %s\n\n' "${package%/*}"
    cat "$licence"
  done
} >"$out/studio-editor.LICENSE.txt"
