#!/usr/bin/env bash
# The suite as `cmake --install` lays it out, run from a temporary DESTDIR with
# a fresh home. Steps (one CTest test each):
#   install BUILD STAGE   install into STAGE (the fixture of the others)
#   layout  BUILD STAGE   the files a Debian system expects are there
#   cli     BUILD STAGE   the installed velorin computes from the installed data
#   window  BUILD STAGE   the installed Tarvessa starts with a fresh home
#   desktop BUILD STAGE   desktop-file-validate accepts the desktop entries
set -euo pipefail

step=$1
build=$2
stage=$3
prefix=$stage/usr
bin=$prefix/bin

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every file of the installed tree with its size and time, to show that a run
# wrote nothing there.
snapshot() {
    find "$prefix" -printf '%P %s %T@\n' | sort
}

# A home of its own for one run, with nothing of the caller's environment
# pointing elsewhere.
fresh_home() {
    local home
    home=$(mktemp -d "$stage/home.XXXXXX")
    env -u VELORIN_HOME -u ASTRO_DATA -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME \
        HOME="$home" QT_QPA_PLATFORM=offscreen "$@"
}

case $step in
install)
    rm -rf "$stage"
    mkdir -p "$stage"
    DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
    ;;

layout)
    # path in the installed tree; what it must be
    while read -r path kind; do
        case $kind in
        exe) [ -x "$prefix/$path" ] && [ -f "$prefix/$path" ] || fail "$path is not an executable" ;;
        file) [ -s "$prefix/$path" ] || fail "$path is missing or empty" ;;
        none) [ ! -e "$prefix/$path" ] || fail "$path must not be installed" ;;
        window) [ ! -x "$bin/Tarvessa" ] || [ -s "$prefix/$path" ] || fail "$path is missing or empty" ;;
        esac
    done <<'TABLE'
bin/velorin exe
bin/velorin-full exe
bin/harddisk exe
bin/Tarvessa window
bin/synastry window
bin/Nocturo window
share/velorin/cod.dat file
share/velorin/atlas/places.vat file
share/velorin/moon/m000.jpg file
share/velorin/moon/m360.jpg file
share/velorin/icons/tarvessa.svg file
share/mime/packages/velorin-ast.xml window
share/icons/hicolor/scalable/apps/velorin-tarvessa.svg window
share/icons/hicolor/scalable/apps/velorin-synastry.svg window
share/icons/hicolor/scalable/apps/velorin-nocturo.svg window
share/icons/hicolor/scalable/mimetypes/application-x-velorin-ast.svg window
share/applications/velorin-tarvessa.desktop window
share/man/man1/velorin.1.gz file
share/man/man1/Tarvessa.1.gz window
share/man/man1/Nocturo.1.gz window
share/applications/velorin-nocturo.desktop window
share/bash-completion/completions/velorin file
bin/ephems none
share/velorin/ephems none
bin/moonphases none
TABLE
    # The manual page lists every subcommand velorin knows.
    page=$(zcat "$prefix/share/man/man1/velorin.1.gz")
    for sub in $("$bin/velorin" --help | sed -n '/^Subcommands:/,/^$/{s/^  \([a-z][a-z-]*\).*/\1/p}'); do
        grep -q "^\.B $sub\$" <<<"$page" || fail "velorin.1 lacks $sub"
    done
    # The installed default is the built-in table, byte for byte.
    "$bin/velorin" codetable --write "$stage/builtin-cod.dat"
    cmp -s "$stage/builtin-cod.dat" "$prefix/share/velorin/cod.dat" ||
        fail "the installed cod.dat differs from the built-in table"
    # The completion offers the subcommands and a subcommand's own flags.
    completions=$(bash -c '
        _init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]};
            words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
        _filedir() { :; }
        source "$1"
        COMP_WORDS=("$2" ch); COMP_CWORD=1; _velorin "$2"; echo "${COMPREPLY[*]}"
        COMP_WORDS=("$2" chart --js); COMP_CWORD=2; _velorin "$2"; echo "${COMPREPLY[*]}"
        COMP_WORDS=("$2" --home /tmp mo); COMP_CWORD=3; _velorin "$2"; echo "${COMPREPLY[*]}"
    ' _ "$prefix/share/bash-completion/completions/velorin" "$bin/velorin")
    [ "$completions" = $'chart\n--json\nmoon' ] || fail "completion offered: $completions"
    ;;

cli)
    before=$(snapshot)
    json=$(fresh_home "$bin/velorin" chart --now --json) || fail "velorin chart --now --json failed"
    grep -q '"bodies"' <<<"$json" || fail "no bodies in: ${json:0:200}"
    grep -q '"cusps"' <<<"$json" || fail "no cusps in: ${json:0:200}"
    moon=$(fresh_home "$bin/velorin" moon 2024 2) || fail "velorin moon 2024 2 failed"
    [ "$(wc -l <<<"$moon")" -eq 29 ] || fail "February 2024 has 29 days, velorin moon printed: $moon"
    grep -q $'^1\t.*\tm[0-9][0-9][0-9]\.jpg\t' <<<"$moon" || fail "no phase picture on day 1: $moon"
    # Every picture the month names is installed.
    for picture in $(cut -f3 <<<"$moon" | sort -u); do
        [ -s "$prefix/share/velorin/moon/$picture" ] || fail "$picture is not installed"
    done
    # The installed front hands a drawing command to velorin-full beside it.
    wheel=$(mktemp -d "$stage/wheel.XXXXXX")/kor.png
    fresh_home "$bin/velorin" chart --now --wheel "$wheel" || fail "velorin chart --wheel failed"
    [ -s "$wheel" ] || fail "velorin chart --wheel drew nothing"
    [ "$before" = "$(snapshot)" ] || fail "velorin wrote into the installed tree"
    ;;

window)
    [ -x "$bin/Tarvessa" ] || fail "Tarvessa is not installed"
    before=$(snapshot)
    home=$(mktemp -d "$stage/home.XXXXXX")
    env -u VELORIN_HOME -u ASTRO_DATA -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME \
        HOME="$home" QT_QPA_PLATFORM=offscreen VELORIN_QUIT_AFTER_FIRST_WHEEL=1 \
        timeout 120 "$bin/Tarvessa" || fail "Tarvessa did not start and end cleanly"
    user=$home/.local/share/Velorin
    cmp -s "$user/cod.dat" "$prefix/share/velorin/cod.dat" ||
        fail "the user's cod.dat was not made from the installed default"
    [ -d "$user/radix" ] || fail "no radix folder in $user"
    [ -d "$home/ASTRO_DATA/RADIX" ] || fail "no data folders under $home/ASTRO_DATA"
    # The installed MIME type and desktop entries serve; no user copy shadows them.
    [ ! -e "$home/.local/share/applications/velorin-tarvessa.desktop" ] ||
        fail "an installed Tarvessa wrote its own desktop entry"
    [ "$before" = "$(snapshot)" ] || fail "Tarvessa wrote into the installed tree"

    # A second start keeps the user's table as it is.
    printf '"F_SAJAT","saját","/x.rtf"\r\n' >>"$user/cod.dat"
    cp "$user/cod.dat" "$stage/edited-cod.dat"
    env -u VELORIN_HOME -u ASTRO_DATA -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME \
        HOME="$home" QT_QPA_PLATFORM=offscreen VELORIN_QUIT_AFTER_FIRST_WHEEL=1 \
        timeout 120 "$bin/Tarvessa" || fail "Tarvessa did not start a second time"
    cmp -s "$user/cod.dat" "$stage/edited-cod.dat" || fail "the second start changed the user's cod.dat"
    ;;

desktop)
    command -v desktop-file-validate >/dev/null || exit 77
    # A build without the window programs installs no entries.
    [ -x "$bin/Tarvessa" ] || exit 77
    for entry in "$prefix"/share/applications/*.desktop; do
        desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
    done
    [ "$(ls "$prefix"/share/applications/*.desktop | wc -l)" -eq 3 ] || fail "three desktop entries expected"
    ;;

*)
    fail "unknown step $step"
    ;;
esac
