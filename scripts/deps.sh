# Sourced by the run and test scripts: installs with apt-get whatever Debian packages of a list
# are missing, as root or through sudo, and nothing when all are there.

# fcitx5's development files: the addon through which picks are pasted into native Wayland windows.
BUILD_PACKAGES=(cmake make g++ pkgconf qt6-base-dev qt6-qpa-plugins libxcb1-dev libxcb-xtest0-dev libwayland-dev libfontconfig-dev fonts-ipafont-gothic fontconfig
    libfcitx5core-dev fcitx5-modules-dev)
X_PACKAGES=(xvfb openbox xdotool x11-utils)
# dpkg-dev and file: cpack's Debian packages (dpkg-shlibdeps; cpack runs file on every binary).
PACKAGE_PACKAGES=(dpkg-dev file)
TEST_PACKAGES=("${X_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" python3 mozc-server emacs-mozc-bin xclip wmctrl
    desktop-file-utils appstream imagemagick fonts-noto-cjk clang-format locales strace
    fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus xterm python3-tk mount kwin-x11 sway foot wtype
    xwayland man-db lintian kwin-wayland qt6-wayland x11-xserver-utils)
# The users' own locale, besides C.UTF-8: fonts are chosen by it.
TEST_LOCALES=(ja_JP.UTF-8)
SCREENSHOT_PACKAGES=("${X_PACKAGES[@]}" imagemagick)

ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) != "install ok installed" ]]; then
            missing+=("$package")
        fi
    done
    if [[ ${#missing[@]} -eq 0 ]]; then
        return 0
    fi
    echo "Installing: ${missing[*]}" >&2
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null &&
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

as_root() {
    if [[ $(id -u) -ne 0 ]]; then sudo "$@"; else "$@"; fi
}

# Generates the locales of a list (ja_JP.UTF-8, ...) that the system does not have yet.
ensure_locales() {
    local name missing=()
    for name in "$@"; do
        # locale -a spells them ja_JP.utf8.
        locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" || missing+=("$name")
    done
    ((${#missing[@]} == 0)) && return 0
    echo "Generating the locales: ${missing[*]}" >&2
    for name in "${missing[@]}"; do
        grep -qx "$name UTF-8" /etc/locale.gen 2>/dev/null ||
            echo "$name UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    done
    as_root locale-gen >/dev/null
}
