# Sourced by the run and test scripts: installs with apt-get whatever Debian packages of a list
# are missing, as root or through sudo, and nothing when all are there.

BUILD_PACKAGES=(cmake make g++ pkgconf qt6-base-dev qt6-qpa-plugins libxcb1-dev libwayland-dev fonts-ipafont-gothic fontconfig)
X_PACKAGES=(xvfb openbox xdotool x11-utils)
TEST_PACKAGES=("${X_PACKAGES[@]}" python3 mozc-server emacs-mozc-bin xclip wmctrl desktop-file-utils appstream dpkg-dev imagemagick fonts-noto-cjk)
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
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}
