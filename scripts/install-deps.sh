#!/usr/bin/env bash
# Installs every Debian 12 package the project builds, runs and tests with.
# Non-interactive; returns at once when nothing is missing.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
PKGS=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxcb1-dev
  qcoro-qt6-dev
  libsecret-1-dev gnome-keyring dbus dbus-x11
  libpulse-dev pulseaudio pulseaudio-utils
  libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us sphinxbase-utils irstlm
  libpoppler-qt6-dev
  festlex-poslex wordnet-base
  espeak-ng sox opus-tools festival festvox-kallpc16k festvox-kdlpc16k festvox-us-slt-hts flite
  xvfb xauth
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-inter fonts-inter-variable fonts-noto-color-emoji fontconfig
  openssl python3
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all ${#PKGS[@]} packages present"
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "install-deps: installing ${#missing[@]} missing package(s): ${missing[*]}"
$SUDO apt-get -q -o DPkg::Lock::Timeout=600 update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  -o DPkg::Lock::Timeout=600 "${missing[@]}"
