#!/usr/bin/env bash
# Exports coefficients as C arrays, compiles them with gcc -Wall -Werror and checks the values.
# Exit 77 (skipped) when gcc is not installed.
set -euo pipefail
exporter=$1
check_source=$2
out=$3
command -v gcc >/dev/null || { echo "gcc not found: skipped"; exit 77; }
rm -rf "$out" && mkdir -p "$out"
"$exporter" "$out"
gcc -std=c99 -Wall -Wextra -Werror -I"$out" -o "$out/c_export_check" "$check_source" -lm
"$out/c_export_check" "$out/expected.txt"
