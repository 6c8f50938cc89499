#!/usr/bin/env bash
# The files that tie Ferrowind into a Linux desktop: the desktop entry and the AppStream metadata pass the
# validators, the entry opens exactly the file types the MIME package defines, and a MIME database built with
# that package recognises the three kinds of file by name and a Half-Life map by its version number.
# Exits 77 (skipped) when the validators are not installed (scripts/setup.sh test installs them).
set -euo pipefail
packaging="$1"
id=org.ferrowind.Ferrowind
for tool in desktop-file-validate appstreamcli update-mime-database gio; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

desktop-file-validate "$packaging/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$packaging/$id.metainfo.xml" || fail "appstreamcli validate"

defined=$(grep -o '<mime-type type="[^"]*"' "$packaging/$id.mime.xml" | cut -d'"' -f2 | sort)
opened=$(sed -n 's/^MimeType=//p' "$packaging/$id.desktop" | tr ';' '\n' | sed '/^$/d' | sort)
[ "$defined" = "$opened" ] || fail "the desktop entry opens [$opened] but the MIME package defines [$defined]"
provided=$(grep -o '<mediatype>[^<]*' "$packaging/$id.metainfo.xml" | cut -d'>' -f2 | sort)
[ "$defined" = "$provided" ] || fail "the metadata provides [$provided] but the MIME package defines [$defined]"

mkdir -p "$work/share/mime/packages" "$work/files"
cp /usr/share/mime/packages/freedesktop.org.xml "$packaging/$id.mime.xml" "$work/share/mime/packages/"
update-mime-database "$work/share/mime" 2>/dev/null
cd "$work/files"
printf '{\r\n"classname" "worldspawn"\r\n}\r\n' > box.MAP
printf 'versioninfo\r\n{\r\n}\r\n' > room.vmf
{ printf '\036\0\0\0'; head -c 128 /dev/zero; } > c1a0.bsp
cp c1a0.bsp c1a0
{ printf '\035\0\0\0'; head -c 128 /dev/zero; } > other
while read -r file expected; do
  type=$(XDG_DATA_DIRS="$work/share" XDG_DATA_HOME="$work/none" gio info -a standard::content-type "$file" \
    | sed -n 's/.*standard::content-type: //p')
  [ "$type" = "$expected" ] || fail "$file is $type, not $expected"
done <<CASES
box.MAP text/x-goldsource-map
room.vmf text/x-source-vmf
c1a0.bsp application/x-goldsource-bsp
c1a0 application/x-goldsource-bsp
other application/octet-stream
CASES
echo "desktop entry, metadata and file types agree"
