#!/bin/bash
# cmake --install into a fresh prefix: every file where a desktop looks for it, the desktop
# entry and AppStream metainfo valid, the manual page found in either language and free of
# warnings, the installed program running and its keeper found in libexec. cpack's Debian
# package: its files and Depends, inspected without installing it, and lintian's verdict.
source "$(dirname "$0")/lib.sh"
need "${X_TOOLS[@]}" appstreamcli cpack desktop-file-validate dpkg-architecture dpkg-deb identify \
    file man

prefix=$E2E_TMP/prefix id=jp.pukalo.Pukalo
cmake --install "$BUILD_DIR" --prefix "$prefix" >"$E2E_TMP/install.log"
installed=$(cd "$prefix" && find . -type f | sort)
libs=./lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
addon=() # built where fcitx5's development files are
[[ -e $BUILD_DIR/fcitx5/lib/pukalo-fcitx5.so ]] &&
    addon=($libs/fcitx5/pukalo-fcitx5.so ./share/fcitx5/addon/pukalopaste.conf ./share/doc/pukalo-fcitx5/{changelog.gz,copyright})
expected=$(printf '%s\n' ./bin/pukalo $libs/pukalo/pukalo-{call,gui}.so ./libexec/pukalo/pukalo-clipkeep "${addon[@]}" \
    ./share/applications/$id.desktop ./share/metainfo/$id.metainfo.xml \
    ./share/icons/hicolor/{128x128,256x256,32x32,64x64}/apps/$id.png \
    ./share/icons/hicolor/scalable/apps/$id.svg ./share/doc/pukalo/{changelog.gz,copyright} \
    ./share/man/{,ja/}man1/pukalo.1.gz | sort)
[[ $installed == "$expected" ]] || fail "installed files differ: $(diff <(echo "$expected") <(echo "$installed"))"
sizes=$(identify -format '%wx%h ' "$prefix"/share/icons/hicolor/{32x32,64x64,128x128,256x256}/apps/$id.png)
[[ $sizes == "32x32 64x64 128x128 256x256 " ]] || fail "icon sizes: $sizes"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$E2E_TMP/as.log" ||
    fail "metainfo invalid: $(cat "$E2E_TMP/as.log")"
echo "ok: installed files valid"

# The page man shows in each locale, at a terminal's usual width without a warning, and every
# option of --help in it.
options=$("$prefix/bin/pukalo" --help | grep -o -- '--[a-z]*' | sort -u)
for pair in C.UTF-8:man1 ja_JP.UTF-8:ja/man1; do
    locale=${pair%:*} page=$prefix/share/man/${pair#*:}/pukalo.1.gz
    shown=$(LC_ALL=$locale MANPATH=$prefix/share/man man -w pukalo)
    [[ $shown == "$page" ]] || fail "man pukalo under $locale shows $shown, not $page"
    warnings=$(LC_ALL=$locale MANPATH=$prefix/share/man MANWIDTH=80 man --warnings pukalo 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$page under $locale: $warnings"
    source=$(zcat "$page")
    for option in $options; do
        grep -qF -- "${option//-/'\-'}" <<<"$source" || fail "$page does not describe $option"
    done
done
echo "ok: the manual page in English and Japanese"

PUKALO=$prefix/bin/pukalo
start_display
write_settings Showlogo=2
start_pukalo
[[ $(xprop -id "$MAIN" WM_CLASS) == *'"Pukalo"'* ]] || fail "window class: $(xprop -id "$MAIN" WM_CLASS)"
copy_kaomoji 1 L 0 '(^^)'
kill -TERM "$PUKALO_PID"
wait_exit
[[ -n $(own_processes pukalo-clipkeep) ]] && clipboard_is '(^^)' ||
    fail "the installed program's keeper did not keep the text"
echo "ok: the installed program runs, copies, and keeps the copy after exit"

# cpack says little of why it failed; its whole log, and the one of the tool under it, do.
if ! (cd "$BUILD_DIR" && cpack -G DEB -B "$E2E_TMP/deb" >"$E2E_TMP/cpack.log" 2>&1); then
    cat "$E2E_TMP/cpack.log" "$E2E_TMP"/deb/_CPack_Packages/*/DEB/*.log 2>/dev/null
    fail "cpack failed (its log above)"
fi
deb=$E2E_TMP/deb/pukalo_${PUKALO_VERSION:?}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no package $deb: $(ls "$E2E_TMP/deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libxcb1 qt6-qpa-plugins 'fonts-ipafont-gothic | fonts-noto-cjk'; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
# The fcitx5 addon in a package of its own: the program's needs none of fcitx5's libraries.
[[ $depends != *fcitx5* ]] || fail "the program's package depends on fcitx5: $depends"
debs=("$E2E_TMP"/deb/*.deb)
((${#debs[@]} == (${#addon[@]} ? 2 : 1))) || fail "packages made: ${debs[*]}"
packaged=$(for d in "${debs[@]}"; do dpkg-deb -c "$d"; done | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr/|./|' | sort)
[[ $packaged == "$expected" ]] || fail "package files differ: $(diff <(echo "$expected") <(echo "$packaged"))"
# Read whole: grep -q would end at the match, and tar, still writing, fail the pipe.
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/pukalo/copyright)
grep -qx 'License: Expat' <<<"$copyright" || fail "the package's copyright file names no licence"
echo "ok: package files and Depends"

# As a distribution's packager checks it: no error and no warning.
command -v lintian >/dev/null || { echo "SKIPPED: lintian is not installed" && exit 77; }
lintian --fail-on error,warning "${debs[@]}" >"$E2E_TMP/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$E2E_TMP/lintian.log")"
echo "ok: lintian finds no error and no warning"
