#!/usr/bin/env bash
# Installs what the build, the program and the tests need from Debian's
# packages, when something is missing. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
    libzip-dev zipcmp zipmerge ziptool libpugixml-dev libbenchmark-dev
    fonts-noto-cjk
)
# CPack's scan of the package's shared libraries runs file (and dpkg-dev's
# dpkg-shlibdeps, which build-essential brings).
packages+=(file)
if [ "${1:-}" = "--tests" ]; then
    # Real readers of what the program writes: the word processor with its
    # formula module, python-docx, ezdxf and LibreCAD for drawings; the
    # package validators; clang with its fuzzing runtime; the locale sources
    # the comma-decimal locale test compiles.
    packages+=(xvfb xauth libreoffice-writer-nogui libreoffice-math-nogui poppler-utils
        python3 python3-docx python3-ezdxf librecad
        desktop-file-utils appstream lintian dpkg-dev file fakeroot
        clang libclang-rt-14-dev
        locales)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
