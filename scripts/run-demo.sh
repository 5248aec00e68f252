#!/usr/bin/env bash
# Builds yzo and opens the demo account in its window.
# The demo folder is copied first, so that the shipped files stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYZO_GUI=ON -DYZO_TESTS=OFF
cmake --build build -j"$(nproc)" --target yzo yzo-script
demo=${YZO_DEMO:-$HOME/.local/share/yzo-demo}
if [ ! -d "$demo" ]; then
  mkdir -p "$demo"
  cp -r examples/demo/. "$demo/"
  # The first start copies yzo's Orca script into the user's Orca scripts folder.
  cp gui/orca/yzo.py "$demo/"
  : > "$demo/verorca.ini"
fi
export YZO_DOSSIER="$demo"
cd "$demo"
exec "$OLDPWD/build/yzo" "$demo/courant.yzo"
