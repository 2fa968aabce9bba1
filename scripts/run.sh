#!/usr/bin/env bash
# Installs what is missing, builds and starts Tivarel. The program keeps its
# own files (Tivarel.ini, Tivarel.cbx, Tivarel.nte) in the folder it is
# started from: here, ~/.local/share/tivarel.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
data="${XDG_DATA_HOME:-$HOME/.local/share}/tivarel"
mkdir -p "$data"
cd "$data"
exec "$root/build/src/tivarel"
