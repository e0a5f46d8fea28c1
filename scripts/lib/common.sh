# Shared set-up for the project's scripts: packages, the Wine prefixes and the builds.
# Everything here is safe to run again; it only does what is missing.

BRENNICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BRENNICK_BUILD=${BRENNICK_BUILD:-$BRENNICK_ROOT/build}
BRENNICK_ARCHES=(i686 x86_64)

brennick_log() { printf "==> [%s] %s\n" "$(date +%T)" "$*" >&2; }

# Stops a script whose arguments are wrong: one line naming what is valid, exit status 2, and
# nothing done yet.
brennick_usage_error() {
    printf '%s: %s\n' "$(basename "$0")" "$*" >&2
    exit 2
}

brennick_check_arch() {
    case $1 in
        i686|x86_64) ;;
        *) brennick_usage_error "unknown architecture '$1' (BRENNICK_ARCH): valid are i686 and x86_64" ;;
    esac
}

# Whether DISPLAY names an X server that answers: a local display's socket, or a TCP port.
brennick_display_answers() {
    local display=${1#*:} host=${1%%:*}
    local number=${display%%.*}
    [[ $number =~ ^[0-9]+$ ]] || return 1
    if [ -z "$host" ] || [ "$host" = unix ]; then
        [ -S "/tmp/.X11-unix/X$number" ]
    else
        (exec 3<>"/dev/tcp/$host/$((6000 + number))") 2>/dev/null
    fi
}

brennick_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are not there yet (with the i386 architecture for wine32):
# those to build and test; with `display`, also those to show the window on a virtual X display
# and take its picture.
brennick_ensure_packages() {
    local wanted=(cmake ninja-build g++ clang lld clang-format clang-tidy cppcheck python3 googletest pkg-config doxygen git
                  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
                  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
                  wine wine64 wine32:i386 fonts-wine)
    [ "${1:-}" != display ] || wanted+=(xvfb xauth x11-apps x11-utils imagemagick)
    local missing=() pkg
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        brennick_log "adding the i386 architecture (for wine32)"
        brennick_as_root dpkg --add-architecture i386
        BRENNICK_APT_UPDATED=
    fi
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    brennick_log "installing: ${missing[*]}"
    if [ -z "${BRENNICK_APT_UPDATED:-}" ]; then
        brennick_as_root apt-get update -qq
        BRENNICK_APT_UPDATED=1
    fi
    brennick_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Creates a Wine prefix once. $1: the prefix folder; $2: the graphics driver (null or x11).
brennick_ensure_wine_prefix() {
    local prefix=$1 driver=$2
    if [ -f "$prefix/.brennick-ready" ]; then brennick_install_wine_fonts "$prefix"; return 0; fi
    brennick_log "creating the Wine prefix $prefix ($driver display driver)"
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    (
        export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        [ "$driver" = null ] && unset DISPLAY
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >/dev/null 2>&1
        wineserver -w
    )
    if [ ! -d "$prefix/drive_c/windows/syswow64" ]; then
        echo "the Wine prefix $prefix has no 32-bit side; is wine32 installed?" >&2
        return 1
    fi
    brennick_install_wine_fonts "$prefix"
    touch "$prefix/.brennick-ready"
}

# Debian's Wine does not find the fonts of fonts-wine (Tahoma, and Marlett for the title bar's
# buttons) by itself; a prefix's Fonts folder is where it always looks.
brennick_install_wine_fonts() {
    local fonts=$1/drive_c/windows/Fonts
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] && [ ! -e "$fonts/$(basename "$font")" ] && cp "$font" "$fonts/"
    done
    return 0
}

# Configures and builds one configuration with its preset (CMakePresets.json). $1: host, i686,
# x86_64 or clang-x86_64; the rest names the targets to build (default: all).
brennick_build() {
    local name=$1; shift
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    brennick_log "building $name${targets[*]:+ (${*})}"
    cmake --preset "$name" -B "$BRENNICK_BUILD/$name" >/dev/null
    cmake --build "$BRENNICK_BUILD/$name" "${targets[@]}"
}
