#!/usr/bin/env bash
# The screenshot gallery of a pack, for translators: both wizards page by
# page with their quit questions, and the language dialog once per listed
# language, for every language of the pack, in the light and the dark
# theme at 96 and 144 dpi, under Wine, with an index.html that shows them
# side by side by page, the texts cut off marked (lingvora-lint --fit).
#   gallery.sh OUT_DIR PACK_DIR   (make gallery: build/gallery of the example pack)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
pack=$(cd "$2" && pwd)
build=$root/build
arch=$(cat "$build/wine-arch")
tree=$build/$arch
work=$build/gallery-work
winpath() { echo "Z:${1//\//\\}"; }

rm -rf "$work" "$out"/*.png "$out/index.html"
languages=$(cd "$pack" && ls | grep -E '^[0-9]+\.ini$' | sed 's/\.ini$//' | sort -n)
source "$root/scripts/player.sh"
trap 'player_unregister; bash "$root/scripts/wine-session.sh" stop >/dev/null' EXIT
bash "$root/scripts/wine-session.sh" start
player_register "$build/gallery-player" with-pack

first=1
for lang in $languages; do
  dir=$work/$lang
  mkdir -p "$dir"
  cp "$tree/src/win32/GUI.exe" "$pack"/* "$dir/"
  # The wizard speaks the language that GUI.ini names, in the file's own encoding.
  python3 - "$dir/GUI.ini" "$lang" <<'PY'
import re, sys
path, lang = sys.argv[1], sys.argv[2]
raw = open(path, "rb").read()
enc = "utf-16" if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else "utf-8-sig" if raw[:3] == b"\xef\xbb\xbf" else "latin-1"
text = raw.decode(enc)
text = re.sub(r"(?im)^(\s*Lang\s*=).*?(\r?)$", lambda m: m.group(1) + lang + m.group(2), text, count=1)
open(path, "wb").write(text.encode(enc))
PY
  "$root/scripts/wine.sh" "$tree/tools/uidriver.exe" --gallery "$(winpath "$out")" \
    "$(winpath "$tree/tools/engine.exe")" "$(winpath "$dir")" "$lang" \
    $([ $first = 1 ] && echo --language-dialog)
  first=0
done

# The texts cut off, per density: one tab-separated line each (language,
# wizard, page, control, pixels, by height, density, text).
lint=$tree/src/win32/lingvora-lint.exe
: >"$out/fit.tsv"
for dpi in 96 144; do
  DISPLAY= "$root/scripts/wine.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d $dpi /f >/dev/null
  "$root/scripts/wine.sh" "$lint" "$(winpath "$pack")" --fit-here | tr -d '\r' | grep -v '^reached' \
    >>"$out/fit.tsv" || true
done
DISPLAY= "$root/scripts/wine.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d 96 /f >/dev/null

python3 - "$out" <<'PY'
import html, os, re, sys
out = sys.argv[1]
cut = {}
for line in open(os.path.join(out, "fit.tsv"), encoding="utf-8"):
    p = line.rstrip("\n").split("\t")
    if len(p) == 8:
        lang, wizard, page, control, pixels, height, dpi, text = p
        cut.setdefault((wizard, page, lang, int(dpi)), []).append(
            f"{control}: {pixels} px too {'short' if height == '1' else 'narrow'} for “{text}”")
shots = {}
for f in sorted(os.listdir(out)):
    m = re.fullmatch(r"(\w+)-(\d+)-([\w-]+)@(\d+)-(light|dark)-(\d+)\.png", f)
    if m:
        wizard, n, page, lang, theme, dpi = m.groups()
        shots.setdefault((wizard, page), {"n": int(n), "files": {}})
        group = shots[(wizard, page)]
        group["n"] = min(group["n"], int(n))
        group["files"][(lang, theme, int(dpi))] = f
order = {"installer": 0, "uninstaller": 1, "language": 2}
looks = [("light", 96), ("light", 144), ("dark", 96), ("dark", 144)]
parts = ["<!doctype html><meta charset=utf-8><title>Pack gallery</title>",
         "<style>body{font-family:sans-serif}img{max-width:100%}td{vertical-align:top}"
         "th{text-align:left}img.cut{outline:4px solid #d00}ul.cut{color:#d00}</style><h1>Pack gallery</h1>",
         "<p>Texts cut off at the edge of their label are outlined in red and listed below their page.</p>"]
for (wizard, page), group in sorted(shots.items(), key=lambda s: (order.get(s[0][0], 9), s[1]["n"])):
    parts.append(f"<h2 id='{wizard}-{page}'>{html.escape(wizard)}: {html.escape(page)}</h2><table>")
    parts.append("<tr><th></th>" + "".join(f"<th>{t} {d} dpi</th>" for t, d in looks) + "</tr>")
    for lang in sorted({k[0] for k in group["files"]}, key=int):
        def cell(t, d):
            f = group["files"].get((lang, t, d))
            if not f:
                return "<td></td>"
            found = cut.get((wizard, page, lang, d), [])
            marks = "".join(f"<li>{html.escape(m)}</li>" for m in dict.fromkeys(found))
            style = " class=cut" if found else ""
            return f"<td><a href='{f}'><img{style} src='{f}'></a>" + (f"<ul class=cut>{marks}</ul>" if found else "") + "</td>"
        cells = "".join(cell(t, d) for t, d in looks)
        parts.append(f"<tr><th>{lang}</th>{cells}</tr>")
    parts.append("</table>")
open(os.path.join(out, "index.html"), "w").write("\n".join(parts) + "\n")
print(f"gallery: {sum(len(g['files']) for g in shots.values())} screenshots, "
      f"{len(cut)} with texts cut off, {out}/index.html")
PY
