#!/bin/bash
# The real chart program under Xvfb, driven by X key presses: the arrows,
# Page Up/Down and Home/End step the opened chart's time, F5 shows the data
# sheet and F4 saves it; the saved sheet must be that of the stepped moment.
# Usage: xvfb_keys.sh TARVESSA; exit 77 when Xvfb or xdotool is missing.
set -u
tarvessa=$1
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/data/RADIX"
ln -s /usr/share/libswe/ephe "$work/home/ephems"
printf '"Anna","1973","2","26","2","50","47","30","19","5","5",0,"",#TRUE#,"N\xf5"\r\n' \
    >"$work/data/RADIX/Anna.ast"

sheet=$work/data/SZOVEG/adatlap_Anna.txt
cat >"$work/drive.sh" <<'DRIVE'
#!/bin/bash
# $1 program, $2 chart, $3 the sheet file to wait for
"$1" "$2" &
pid=$!
# The window carries the person's name once the chart is drawn.
for _ in $(seq 120); do
    wid=$(xdotool search --onlyvisible --pid $pid --name 'Tarvessa \[Anna\]' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.25
done
sleep 0.5
xdotool windowfocus "$wid" 2>/dev/null
for k in Right Right Up Prior Next End Home F5 F4; do
    xdotool key $k
    sleep 0.3
done
for _ in $(seq 120); do
    [ -s "$3" ] && break
    sleep 0.25
done
sleep 0.5
kill $pid
DRIVE
chmod +x "$work/drive.sh"

QT_QPA_PLATFORM=xcb HOME=$work VELORIN_HOME=$work/home ASTRO_DATA=$work/data XDG_CONFIG_HOME=$work/config \
    XDG_DATA_HOME=$work/share xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$work/drive.sh" "$tarvessa" "$work/data/RADIX/Anna.ast" "$sheet" >/dev/null 2>&1

# 02:50 + 3 + 3 + 30 + 60 - 60 + 1440 - 1440 minutes
if head -2 "$sheet" 2>/dev/null | tr -d '\r' | tail -1 | grep -qx '1973.02.26 03:26'; then
    exit 0
fi
echo "the saved data sheet is missing or not of 1973.02.26 03:26:"
head -3 "$sheet" 2>/dev/null
exit 1
