#!/usr/bin/env bash
# Checks an installed tree (the prefix given, e.g. from `cmake --install build
# --prefix DIR`): every file in place, the desktop entry and the XML files
# valid, and the ".TLV" file type known to shared-mime-info.
set -euo pipefail
prefix="${1:?usage: check-install.sh PREFIX}"
share="$prefix/share"

for f in bin/tolvan bin/tolvan-cli share/applications/tolvan.desktop share/icons/hicolor/scalable/apps/tolvan.svg \
         share/mime/packages/tolvan.xml share/man/man1/tolvan.1 share/man/man1/tolvan-cli.1 \
         share/doc/tolvan/help/contents.html; do
  [[ -e "$prefix/$f" ]] || { echo "missing: $f" >&2; exit 1; }
done
[[ -x "$prefix/bin/tolvan" && -x "$prefix/bin/tolvan-cli" ]] || { echo "programs not executable" >&2; exit 1; }

desktop-file-validate "$share/applications/tolvan.desktop"
xmllint --noout "$share/mime/packages/tolvan.xml" "$share/icons/hicolor/scalable/apps/tolvan.svg"
# groff's warnings about the man pages (unknown macros or escapes).
for page in tolvan tolvan-cli; do
  man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" 2>&1 >/dev/null || true)
  [[ -z "$man_warnings" ]] || { echo "$page.1: $man_warnings" >&2; exit 1; }
done
# The installed command line runs on its own (no display, no build tree).
"$prefix/bin/tolvan-cli" vented --qts .4 --vas 2 --fs 30 | grep -q "^Vented Box Volume: 2.16 Cubic Feet$" \
  || { echo "installed tolvan-cli does not run" >&2; exit 1; }

# The file type as the desktop sees it: the extension in any letter case.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime="$data/mime"
mkdir -p "$mime/packages"
cp "$share/mime/packages/tolvan.xml" "$mime/packages/"
XDG_DATA_HOME="$data" update-mime-database "$mime" >/dev/null
grep -qx "[0-9]*:application/x-tolvan-system:\*\.tlv" "$mime/globs2" \
  || { echo "no glob *.tlv for any letter case" >&2; exit 1; }
desktop_types=$(sed -n 's/^MimeType=//p' "$share/applications/tolvan.desktop")
[[ "$desktop_types" == *"application/x-tolvan-system;"* ]] || { echo "desktop entry lacks the file type" >&2; exit 1; }
echo "installed tree under $prefix is complete and valid"
