#!/usr/bin/env bash
# Installs the Debian 12 packages Malrechnen needs to build, run and test, where missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcups2-dev                     # print jobs are handed to the print server directly
  qt6-translations-l10n            # German texts of the toolkit's own buttons
  libqt6svg6                       # the build draws the window icon from its SVG
  libqt6sql6-sqlite                # the class and its history in SQLite
  fonts-sil-andika fonts-dejavu-core
  fonts-urw-base35                 # a Courier lookalike for the worksheets
  xvfb xauth                       # headless X server for the end-to-end tests and screenshots
  xdotool imagemagick              # real mouse and keyboard input, screenshots
  python3 python3-pyatspi at-spi2-core dbus   # reading the screen through the accessibility bus
  desktop-file-utils appstream     # check the menu entry and the software-centre description
  poppler-utils                    # pdftotext: the tests read printed sheets back
  cups printer-driver-cups-pdf     # a print server of the tests' own with a PDF printer
  xclip                            # another program reading the clipboard
  valgrind                         # memcheck run of the whole program (tests/valgrind.supp)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installiere: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
