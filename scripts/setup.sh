#!/usr/bin/env bash
# Installs the Debian packages Tivarel needs to build, test and run.
# Safe to run again: it installs only what is missing. Works as root or
# through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-translations-l10n qt6-image-formats-plugins qt6-qpa-plugins
  libgl-dev libjpeg-dev libbenchmark-dev libical-dev qt6-charts-dev libqt6opengl6-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  fonts-liberation xvfb xauth
  qt6-documentation-tools libqt6help6 adwaita-icon-theme
  dpkg-dev file desktop-file-utils appstream shared-mime-info
  qtkeychain-qt6-dev libofx-dev dbus
  radicale python3-caldav
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "Il manque des paquets (${missing[*]}) et ni root ni sudo ne sont disponibles." >&2
  exit 1
fi

echo "Installation de : ${missing[*]}"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
