#!/usr/bin/env bash
# Installs what is missing, builds and starts Vantrel with the simulated instrument.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ -x "$root/build/bin/vantrel" ]; then
  exec "$root/build/bin/vantrel" --demo "$@"
fi
# Without the window front end the command-line tool is the program.
exec "$root/build/bin/vantrel-cli" "$@"
