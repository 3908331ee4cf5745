#!/usr/bin/env bash
# Makes the Debian package of a build, unpacks it into an empty folder and uses it from there as
# a new user would: no TAVREL_LIBRARY, no settings, an empty home folder.
# Usage: packaging/test-package.sh BUILD_DIR CPACK INSTALL_PREFIX VERSION DISPLAY_VERSION
#        SOURCE_DATE_EPOCH
set -euo pipefail
build=$(cd "$1" && pwd -P)
cpack=$2
prefix=$3
version=$4
display_version=$5
source_date_epoch=$6

for tool in dpkg-deb dpkg-shlibdeps appstreamcli desktop-file-validate update-mime-database man \
    lintian pdfinfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "package test: $tool is missing; scripts/install-deps.sh --test installs it" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
deb=$(find "$work/out" -maxdepth 1 -name '*.deb')
dpkg-deb -x "$deb" "$work/root"
usr=$work/root$prefix

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Version) == "$version"-[0-9]* ]] || fail "package version $(field Version), not $version-N"
[[ $(field Depends) == *libqt6widgets6* ]] || fail "Depends names no Qt library: $(field Depends)"
[[ -n $(field Section) && $(field Maintainer) == *" <"*@*">" ]] || fail "no Section or Maintainer"
[[ -n $(field Homepage) ]] || fail "no Homepage field"
[[ $(field Recommends) == *xdg-utils* ]] || fail "xdg-utils not recommended: $(field Recommends)"
# Debian's own checker: no error and no warning.
lintian --fail-on error,warning --display-level ">=warning" "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$work/lintian.log")"

for file in bin/tavrel share/doc/tavrel/copyright share/doc/tavrel/changelog.gz \
    share/doc/tavrel/changelog.Debian.gz share/man/man1/tavrel.1.gz \
    share/bash-completion/completions/tavrel share/applications/org.tavrel.Tavrel.desktop \
    share/metainfo/org.tavrel.Tavrel.metainfo.xml share/mime/packages/org.tavrel.Tavrel.xml \
    share/icons/hicolor/scalable/apps/org.tavrel.Tavrel.svg \
    share/tavrel/English/Bridge/TavrelReference.txt share/tavrel/Metric/Bridge/TavrelReference.txt \
    share/tavrel/Help/Tavrel.pdf share/tavrel/Help/VersionNumber.txt; do
    [ -f "$usr/$file" ] || fail "the package lacks $prefix/$file"
done
# The desktop program is a module of its own, so the commands start without Qt.
module=$(find "$usr/lib" -name tavrel-desktop.so)
[ -n "$module" ] || fail "the package lacks the desktop module tavrel-desktop.so"
[[ $(ldd "$usr/bin/tavrel") != *libQt6* ]] || fail "the tavrel command links Qt"
# A program that knew its build folder would find the library there, not in the package.
for file in "$usr/bin/tavrel" $module; do
    ! grep -qF "$build" "$file" || fail "$file holds the build folder's path $build"
done

desktop-file-validate "$usr/share/applications/org.tavrel.Tavrel.desktop" || fail "desktop entry"
appstreamcli validate-tree --no-net "$work/root" >"$work/appstream.log" 2>&1 ||
    fail "metadata: $(cat "$work/appstream.log")"
grep -qF "<release version=\"$version\"" "$usr/share/metainfo/org.tavrel.Tavrel.metainfo.xml" ||
    fail "the metainfo names no release $version"
update-mime-database "$usr/share/mime" >"$work/mime.log" 2>&1 &&
    [ -f "$usr/share/mime/application/x-tavrel-note-input.xml" ] ||
    fail "the file type of note input files is not registered: $(cat "$work/mime.log")"
if man_warnings=$(MANWIDTH=80 man --warnings -l "$usr/share/man/man1/tavrel.1.gz" 2>&1 >/dev/null); then
    [ -z "$man_warnings" ] || fail "the manual page: $man_warnings"
else
    fail "man cannot read the manual page: $man_warnings"
fi

# Reproducible: the manual page and the PDF manual carry the source date, not the build's.
day=$(date -u -d "@$source_date_epoch" +%Y-%m-%d)
zcat "$usr/share/man/man1/tavrel.1.gz" | grep -q "^\.TH \"tavrel\" \"1\" \"$day\"" ||
    fail "the manual page is not dated $day"
[[ $(TZ=UTC pdfinfo "$usr/share/tavrel/Help/Tavrel.pdf") == *"CreationDate:"*"$(date -u -d \
    "@$source_date_epoch" +'%b %_d %H:%M:%S %Y')"* ]] || fail "the PDF manual is not dated $day"

home=$work/home
job=$work/job
mkdir -p "$home" "$job"
tavrel() {
    (cd "$job" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$usr/bin/tavrel" "$@")
}
[[ $(tavrel --version) == "tavrel $display_version" ]] || fail "--version: $(tavrel --version)"
[[ $(tavrel list) == *$'\tbridge\tB1\t'* ]] || fail "list shows no bridge note B1"
tavrel compose --project "RÍO" B1 | LC_ALL=C grep -aF $'[CENTER]R\xcdO' >/dev/null ||
    fail "a project line typed in UTF-8 is not written in Windows-1252"
[[ $(tavrel 2>&1) == "tavrel: no display to open the window on;"* ]] ||
    fail "a start without a display: $(tavrel 2>&1)"
(cd "$job" && env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
    "$usr/bin/tavrel" --screenshot window.png 2>/dev/null) && [ -s "$job/window.png" ] ||
    fail "the packaged program opens no window"
if tavrel compose -o sheet.inp --project "ROUTE 9 OVER ELM CREEK" B1 G1 hydraulic:DE1 wall:W1 &&
    tavrel process sheet.inp; then
    grep -q "ROUTE 9 OVER ELM CREEK" "$job/sheet.txt" || fail "the CAD text lacks the project line"
else
    fail "compose and process from the package"
fi

# Output that cannot be written fails: help and version with 1, a command with 2 and the reason.
for option in --help --version; do
    status=0
    tavrel "$option" >/dev/full 2>/dev/null || status=$?
    [ "$status" -eq 1 ] || fail "$option to a full disk exits with $status"
done
[[ $(tavrel list 2>&1 >/dev/full) == "tavrel: standard output: No space left on device" ]] ||
    fail "list to a full disk: $(tavrel list 2>&1 >/dev/full)"

# Completion as bash offers it: each typed line (the cursor at its end) with the words it must
# offer and, after "!", must not. bash splits words at ":" and "=" and offers what follows them.
completions() {
    env -i HOME="$home" PATH="$usr/bin:/usr/bin:/bin" LINE="$1" bash --norc --noprofile -c '
        cd "$1"
        source /usr/share/bash-completion/bash_completion
        source "$2"
        compopt() { :; }  # works only while bash itself completes
        COMP_LINE=$LINE
        COMP_POINT=${#LINE}
        read -ra COMP_WORDS <<<"$(sed "s/[:=]/ & /g" <<<"$LINE")"
        [[ $LINE == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _tavrel tavrel
        printf "%s\n" "${COMPREPLY[@]}"' completion "$job" \
        "$usr/share/bash-completion/completions/tavrel"
}
while IFS='|' read -r line offered; do
    got=$(completions "$line")
    for word in $offered; do
        if [[ $word == !* ]]; then
            ! grep -qxF -- "${word#!}" <<<"$got" || fail "'$line' offers ${word#!}"
        else
            grep -qxF -- "$word" <<<"$got" || fail "'$line' offers no $word, only: $got"
        fi
    done
done <<'EOF'
tavrel pro|process !check
tavrel --library=/nowhere sh|show
tavrel show hydraulic:S|SU1 !B1
tavrel compose wall:|W1
tavrel compose --units=metric wall:|!W1
tavrel compose --units=|english metric
tavrel compose --pr|--project=
tavrel list -|--units= --help !--force
tavrel process |sheet.inp !sheet.txt
tavrel |process sheet.inp !sheet.txt
tavrel -|--library-info --units= --force !--screenshot
EOF

[ "$failures" -eq 0 ]
