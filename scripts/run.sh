#!/usr/bin/env bash
# Installs what is missing, builds and starts Tivarel. The program keeps its
# own files (Tivarel.ini, Tivarel.cbx, Tivarel.nte) in the user's data folder,
# ~/.local/share/Tivarel (Qt's application data folder, named after the
# program), whatever folder it is started from; it is started there too.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
data="${XDG_DATA_HOME:-$HOME/.local/share}/Tivarel"
mkdir -p "$data"
cd "$data"
exec "$root/build/src/tivarel"
