#!/usr/bin/env bash
# Checks that every path of required-paths.txt is listed in images.qrc (or, for the icon
# font, in fonts.qrc.in) with its file present, and that every url(...) of the style sheet
# names a listed picture. Exit status 1 and one line per problem when something is missing.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
res="$(dirname "$here")"
qrc="$res/images.qrc"
css="$res/images/guiColor-new.css"

listed() { # resource path without ":/" -> 0 when listed in a qrc file
  local rel="$1"
  if grep -q "<file>$rel</file>" "$qrc"; then
    [ -f "$res/$rel" ] || { echo "listed but missing on disk: $rel"; return 1; }
    return 0
  fi
  # the icon font is copied in at build time under an alias of fonts.qrc.in
  local alias="${rel#images/}"
  grep -q "prefix=\"/images\"" "$res/fonts.qrc.in" && grep -q "alias=\"$alias\"" "$res/fonts.qrc.in"
}

problems=0
while IFS= read -r line; do
  case "$line" in '' | '#'*) continue ;; esac
  rel="${line#:/}"
  if ! listed "$rel"; then
    echo "not in the resources: $line"
    problems=$((problems + 1))
  fi
done <"$here/required-paths.txt"

while IFS= read -r url; do
  rel="${url#:/}"
  if ! listed "$rel"; then
    echo "style sheet names a missing picture: $url"
    problems=$((problems + 1))
  fi
done < <(grep -o 'url([^)]*)' "$css" | sed 's/^url(\(.*\))$/\1/' | sort -u)

if LC_ALL=C grep -q '[^ -~	]' "$css"; then
  echo "style sheet has characters outside printable ASCII"
  problems=$((problems + 1))
fi

if [ "$problems" -ne 0 ]; then
  echo "check-paths: $problems problem(s)"
  exit 1
fi
echo "check-paths: all $(grep -vc '^\(#\|$\)' "$here/required-paths.txt") required paths present, style sheet urls resolve"
