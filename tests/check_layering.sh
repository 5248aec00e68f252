#!/usr/bin/env bash
# Fails when a file of the core includes a GUI toolkit header.
src=${1:?usage: check_layering.sh SRC_DIR}
hits=$(grep -rnE '#\s*include\s*[<"](wx/|gtk/|gdk/|glib|Qt|atk/|speech-dispatcher/|libspeechd)' "$src")
if [ -n "$hits" ]; then
  echo "GUI headers included in the core:"
  echo "$hits"
  exit 1
fi
echo "core is GUI-free"
