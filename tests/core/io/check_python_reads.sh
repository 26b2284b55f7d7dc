#!/usr/bin/env bash
# Exports coefficients and has Python's wave module and NumPy read them back.
# Exit 77 (skipped) when python3 with NumPy is not installed.
set -euo pipefail
exporter=$1
script=$2
out=$3
export PYENV_VERSION=system
command -v python3 >/dev/null || { echo "python3 not found: skipped"; exit 77; }
python3 -c "import numpy" 2>/dev/null || { echo "NumPy not found: skipped"; exit 77; }
rm -rf "$out" && mkdir -p "$out"
"$exporter" "$out"
python3 "$script" "$out"
