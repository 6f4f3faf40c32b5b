#!/usr/bin/env bash
# Makes the Windows zip and installer and checks them: the programs and their version records
# in the zip, and the installer run silently under Wine, with its Start-menu entry, and the
# uninstaller after it: BUILD_DIR WINE.
set -euo pipefail
cd "$1"
wine=$2
rm -f Zorvane-*-win64.zip Zorvane-*-win64.exe
cpack >/dev/null
version=$(sed -n 's/^#define ZORVANE_VERSION_TEXT "\(.*\)"/\1/p' src/generated/version.h)
zip=Zorvane-$version-win64.zip installer=Zorvane-$version-win64.exe
# Read whole, not piped into grep -q, whose early exit would fail the pipe.
listing=$(unzip -l "$zip")
for file in Zorvane.exe zorvane-cli.exe LICENSE.txt; do
  grep -q "Zorvane-$version-win64/$file\$" <<<"$listing" || { echo "$zip lacks $file" >&2; exit 1; }
done
for program in Zorvane zorvane-cli; do
  record=$(unzip -p "$zip" "Zorvane-$version-win64/$program.exe" | strings -el)
  for field in "ProductName Zorvane" "InternalName Zorvane" "OriginalFilename $program.exe" \
               "FileVersion $version" "ProductVersion $version"; do
    set -- $field
    value=$(grep -A1 -x "$1" <<<"$record" | tail -n 1)
    [ "$value" = "$2" ] || { echo "$program.exe: no $field" >&2; exit 1; }
  done
done

export WINEPREFIX=$PWD/wineprefix-install WINEDEBUG=-all
rm -rf "$WINEPREFIX"
"$wine" "$installer" /S
"$(dirname "$wine")/wineserver" -w
installed="$WINEPREFIX/drive_c/Program Files/Zorvane"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zorvane"
for file in "$installed/Zorvane.exe" "$installed/zorvane-cli.exe" "$installed/Uninstall.exe" \
            "$menu/Zorvane.lnk"; do
  [ -f "$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
"$wine" 'C:\Program Files\Zorvane\Uninstall.exe' /S
"$(dirname "$wine")/wineserver" -w
sleep 1
[ ! -e "$installed/Zorvane.exe" ] && [ ! -e "$menu" ] || { echo "uninstall left files" >&2; exit 1; }
rm -rf "$WINEPREFIX"
echo "packages: $zip and $installer (installs, Start menu, uninstalls)"
