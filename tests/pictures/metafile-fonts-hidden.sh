#!/bin/sh
# Runs a test with libwmf's font folder hidden (an empty folder mounted over it in a private
# mount namespace), as on a machine without fonts-urw-base35. Exit 77 (skipped) where the
# machine allows no private mount namespace.
set -eu
fonts=/usr/share/fonts/type1/urw-base35
empty=$(mktemp -d)
trap 'rmdir "$empty"' EXIT
if ! unshare -rm true 2>/dev/null; then
  echo "no private mount namespace here; skipped"
  exit 77
fi
unshare -rm sh -c "mount --bind '$empty' '$fonts' && exec \"\$@\"" sh "$@"
