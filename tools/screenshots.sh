#!/usr/bin/env bash
# Pictures of the desktop program's windows and dialogs, and of its HTML report in a browser,
# for looking at them: tools/screenshots.sh [FOLDER] (default build/screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$(realpath -m "${1:-build/screenshots}")"
cmake --build build -j2 --target corvifir-screenshots
mkdir -p "$folder"
xvfb-run -a -s "-screen 0 1600x1000x24" build/tools/screenshots/corvifir-screenshots "$folder"
if command -v chromium >/dev/null; then
    chromium --headless --no-sandbox --disable-gpu --screenshot="$folder/report-in-browser.png" \
        --window-size=1200,1600 "file://$folder/report.htm" 2>/dev/null
    echo "$folder/report-in-browser.png"
fi
