#!/bin/bash
# cpack -G DEB: the package's files and Depends; where the machine allows (root, and no pukalo
# package installed already), it installs, runs from /usr/bin, and uninstalls cleanly, leaving
# the user's settings alone.
source "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?set BUILD_DIR to the build folder}"

(cd "$BUILD_DIR" && cpack -G DEB -B "$E2E_TMP/deb" >"$E2E_TMP/cpack.log" 2>&1) ||
    fail "cpack failed: $(tail -5 "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/deb/*.deb)
[[ $(basename "$deb") == pukalo_1.0_*.deb ]] || fail "package file $deb"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libxcb1 libc6 libstdc++6 qt6-qpa-plugins \
    'fonts-ipafont-gothic | fonts-noto-cjk'; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(printf '%s\n' ./usr/bin/pukalo ./usr/libexec/pukalo/pukalo-clipkeep \
    ./usr/share/applications/jp.pukalo.Pukalo.desktop \
    ./usr/share/icons/hicolor/128x128/apps/jp.pukalo.Pukalo.png \
    ./usr/share/icons/hicolor/256x256/apps/jp.pukalo.Pukalo.png \
    ./usr/share/icons/hicolor/32x32/apps/jp.pukalo.Pukalo.png \
    ./usr/share/icons/hicolor/64x64/apps/jp.pukalo.Pukalo.png \
    ./usr/share/icons/hicolor/scalable/apps/jp.pukalo.Pukalo.svg \
    ./usr/share/metainfo/jp.pukalo.Pukalo.metainfo.xml | sort)
[[ $files == "$expected" ]] || fail "package files differ: $(diff <(echo "$expected") <(echo "$files"))"
echo "ok: package files and Depends"

if [[ $(id -u) -ne 0 ]] || dpkg -s pukalo >/dev/null 2>&1; then
    echo "skipped installing the package: not root, or pukalo is already installed here"
    exit 0
fi
remove_package() { dpkg -r pukalo >/dev/null 2>&1 || true; }
trap 'remove_package; e2e_cleanup' EXIT
dpkg -i "$deb" >"$E2E_TMP/dpkg.log" 2>&1 || fail "dpkg -i failed: $(tail -5 "$E2E_TMP/dpkg.log")"
installed=$(dpkg -L pukalo)

PUKALO=/usr/bin/pukalo
start_display
write_settings Showlogo=2 Facechack=2
settings_before=$(cat "$SETTINGS_FILE")
start_pukalo
win=$(wait_window "プカロ！")
kill -TERM "$PUKALO_PID"
wait_exit
echo "ok: the packaged program runs from /usr/bin"

dpkg -r pukalo >"$E2E_TMP/dpkg.log" 2>&1 || fail "dpkg -r failed"
while read -r path; do
    [[ -d $path || ! -e $path ]] || fail "left behind after removal: $path"
done <<<"$installed"
[[ $(cat "$SETTINGS_FILE") == "$settings_before" ]] || fail "the user's settings changed"
echo "ok: removed cleanly, settings kept"
