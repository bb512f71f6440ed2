#!/usr/bin/env bash
# What `make install` and `make package` put on a machine: exactly the program, its menu entry,
# icons, manual page and software-centre data, each of them valid and naming the others rightly.
#   install_test.sh install <build folder> <cmake>
#   install_test.sh package <build folder> <cpack> <version>
set -euo pipefail
mode=$1 build=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Every file either way, relative to the prefix.
installed_files="bin/vantrel
share/applications/vantrel.desktop
share/icons/hicolor/128x128/apps/vantrel.png
share/icons/hicolor/256x256/apps/vantrel.png
share/icons/hicolor/48x48/apps/vantrel.png
share/icons/hicolor/scalable/apps/vantrel.svg
share/man/man6/vantrel.6
share/metainfo/org.vantrel.vantrel.metainfo.xml"

# $1 is the list of files found, $2 the prefix they should all be under.
expect_exactly_the_files() {
    local expected
    expected=$(sed "s#^#$2/#" <<<"$installed_files")
    [[ $1 == "$expected" ]] || fail "the files differ:
$(diff <(echo "$expected") <(echo "$1") || true)"
}

# The files installed under $1, each checked on its own and against the others.
check_installed() {
    local prefix=$1 entry=$1/share/applications/vantrel.desktop size kind
    [[ -x $prefix/bin/vantrel ]] || fail "bin/vantrel is not executable"

    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
    grep -qx 'Exec=vantrel' "$entry" || fail "the entry does not start bin/vantrel"
    grep -qx 'Icon=vantrel' "$entry" || fail "the entry does not name the installed icon"

    for size in 48 128 256; do
        kind=$(file -b "$prefix/share/icons/hicolor/${size}x$size/apps/vantrel.png")
        [[ $kind == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] ||
            fail "the ${size}x$size icon is $kind"
    done
    kind=$(file -b "$prefix/share/icons/hicolor/scalable/apps/vantrel.svg")
    [[ $kind == "SVG Scalable Vector Graphics image"* ]] || fail "the scalable icon is $kind"

    appstreamcli validate --no-net "$prefix/share/metainfo/org.vantrel.vantrel.metainfo.xml" \
        >"$scratch/appstream" || fail "appstreamcli rejects the software-centre data:
$(cat "$scratch/appstream")"
    grep -q '<launchable type="desktop-id">vantrel.desktop</launchable>' \
        "$prefix/share/metainfo/org.vantrel.vantrel.metainfo.xml" ||
        fail "the software-centre data does not launch the menu entry"

    # The manual page renders without a warning, under its own name and section, with the
    # controls.
    local page warnings
    page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/vantrel.6" \
        2>"$scratch/man-warnings" | tr -s ' ')
    warnings=$(cat "$scratch/man-warnings")
    [[ -z $warnings ]] || fail "man warns: $warnings"
    [[ $(head -n 1 <<<"$page") == "VANTREL(6) Games Manual VANTREL(6)" ]] ||
        fail "page header: $(head -n 1 <<<"$page")"
    for heading in NAME SYNOPSIS DESCRIPTION CONTROLS; do
        grep -qx "$heading" <<<"$page" || fail "the manual page has no $heading section"
    done
    for control in 'Run forward' 'Run backward' 'Step one frame forward' 'Step one frame back' \
        'Sets the speed' 'Scrub mode on' 'ESC or double-click'; do
        grep -q "$control" <<<"$page" || fail "the manual page does not explain '$control'"
    done
}

case $mode in
install)
    cmake=$3
    echo "== make install DESTDIR=<scratch> into /usr/local"
    DESTDIR=$scratch/root "$cmake" --install "$build" --prefix /usr/local >/dev/null
    expect_exactly_the_files "$(cd "$scratch/root" && find . ! -type d | sed 's#^\./##' | sort)" \
        usr/local
    check_installed "$scratch/root/usr/local"
    ;;
package)
    cpack=$3 version=$4
    echo "== make package"
    "$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
    deb=$scratch/package/vantrel_${version}_$(dpkg --print-architecture).deb
    [[ -f $deb ]] || fail "no $(basename "$deb"); made: $(ls "$scratch/package")"
    expect_exactly_the_files "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' |
        sed 's#^\./##' | sort)" usr
    [[ $(dpkg-deb -f "$deb" Package) == vantrel ]] || fail "package name"
    [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version"

    # The dependencies come from what the program links, and include the package with Qt's X11
    # platform plugin, which the program loads by name rather than links.
    depends=$(dpkg-deb -f "$deb" Depends)
    plugin=$(dpkg -S '*/qt6/plugins/platforms/libqxcb.so' | cut -d: -f1)
    for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libxcb1 "$plugin"; do
        grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "no $package in Depends: $depends"
    done

    dpkg-deb -x "$deb" "$scratch/root"
    check_installed "$scratch/root/usr"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "$mode: all passed"
