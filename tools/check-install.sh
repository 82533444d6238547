#!/usr/bin/env bash
# Installs a build into a temporary folder as the Debian package lays it out
# (prefix /usr) and checks what a user gets: every file the programs read,
# the programs working from another folder and after the tree has moved, and
# the desktop entry, AppStream file, icons and man pages as their tools see them,
# and the documentation Debian asks for (copyright file, compressed changelog).
#   tools/check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$work/root/usr"

# Every file the build tree's programs read beside them is installed.
program_files() { (cd "$1" && find DrawMentor.dat Langs Help data -type f | sort); }
if ! diff <(program_files "$build/bin") <(program_files "$usr/share/drawmentor") >&2; then
    fail "share/drawmentor differs from the build tree's program files (< build, > installed)"
fi
for file in bin/drawmentor bin/drawmentor-cli share/applications/drawmentor.desktop \
    share/metainfo/io.github.drawmentor.DrawMentor.metainfo.xml \
    share/man/man6/drawmentor.6.gz share/man/man6/drawmentor-cli.6.gz \
    share/icons/hicolor/scalable/apps/drawmentor.svg \
    share/doc/drawmentor/copyright share/doc/drawmentor/changelog.gz; do
    [ -f "$usr/$file" ] || fail "$file is not installed"
done

# Icons: each PNG is as large as its folder says (width and height from the IHDR chunk).
for png in "$usr"/share/icons/hicolor/*x*/apps/drawmentor.png; do
    side=$(basename "$(dirname "$(dirname "$png")")")
    read -r -a size < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((size[0] << 24) | (size[1] << 16) | (size[2] << 8) | size[3]))
    height=$(((size[4] << 24) | (size[5] << 16) | (size[6] << 8) | size[7]))
    [ "${width}x${height}" = "$side" ] || fail "$png is ${width}x${height}"
done
[ "$(find "$usr/share/icons/hicolor" -name drawmentor.png | wc -l)" -ge 4 ] ||
    fail "fewer than four icon sizes installed"

desktop-file-validate "$usr/share/applications/drawmentor.desktop" ||
    fail "desktop-file-validate refuses the desktop entry"
report=$(appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml 2>&1) ||
    fail "appstreamcli refuses the metainfo file: $report"
for page in "$usr"/share/man/man6/*.6.gz; do
    warnings=$(gzip -dc "$page" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

# Compressed documentation: whole, and without the file name or time in the
# gzip header (flags byte 3, time bytes 4 to 7), which would make every build's
# package differ.
for file in "$usr"/share/man/man6/*.gz "$usr"/share/doc/drawmentor/*.gz; do
    gzip -t "$file" || fail "$file is not a whole gzip file"
    [ "$(od -An -tx1 -j3 -N5 "$file" | tr -d ' ')" = 0000000000 ] ||
        fail "$file has a name or time in its gzip header (gzip -n)"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
changelog=$(gzip -dc "$usr/share/doc/drawmentor/changelog.gz")
[[ "$changelog" == "drawmentor ($version) "* ]] ||
    fail "the changelog's entry is not for version $version: ${changelog%%$'\n'*}"

# The copyright file is machine-readable: every licence a paragraph names has
# its text somewhere, and every deck converted from another package's drawing
# (those that come with a faces file) is named in a Files field.
copyright="$usr/share/doc/drawmentor/copyright"
[ "$(head -n 1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "copyright does not start with its Format line"
missing=$(awk '/^License:/ { name = $2; named[name] = 1; next }
               name != "" && /^ / { text[name] = 1; next }
               { name = "" }
               END { for (n in named) if (!(n in text)) print n }' "$copyright")
[ -z "$missing" ] || fail "copyright names licences without their text: $missing"
files=$(awk '/^Files:/ { on = 1; sub(/^Files:/, ""); print; next }
             on && /^ / { print; next }
             { on = 0 }' "$copyright" | tr -s ' \t' '\n')
for faces in "$usr"/share/drawmentor/data/faces.*.svgz; do
    [ -e "$faces" ] || break
    code=${faces##*/faces.}
    code=${code%.svgz}
    for name in "deck.$code" "faces.$code.svgz"; do
        grep -qxF "*/$name" <<<"$files" || fail "copyright says nothing of the converted $name"
    done
done

# The programs run from elsewhere, with a user data folder of their own, so
# that only the installed files can answer.
mkdir -p "$work/elsewhere" "$work/home"
cli() { (cd "$work/elsewhere" && HOME="$work/home" XDG_DATA_HOME="$work/home/data" "$@"); }
check_cli() {
    local prefix=$1
    cli "$prefix/bin/drawmentor-cli" return --game 0 --paytable 0 --threads 2 >"$work/return.txt" ||
        fail "return failed from $prefix"
    grep -q "Return *99.543904 %" "$work/return.txt" ||
        fail "return from $prefix printed: $(cat "$work/return.txt")"
    for deck in 001 004; do
        rm -f "$work/elsewhere/royal.png"
        cli "$prefix/bin/drawmentor-cli" render --deck $deck --held AS KS QS JS TS -o royal.png >/dev/null ||
            fail "render --deck $deck failed from $prefix"
        [ "$(head -c 8 "$work/elsewhere/royal.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
            fail "render --deck $deck from $prefix wrote no PNG"
    done
    local decks
    decks=$(cli "$prefix/bin/drawmentor-cli" render --deck none -o x.png AS 2>&1) && true
    [[ "$decks" == *"(installed: 001, 002, 003, 004)"* ]] || fail "installed decks: $decks"
}
check_cli "$usr"
# The files are found relative to the programs, so the tree may move.
mv "$work/root/usr" "$work/root/moved"
check_cli "$work/root/moved"
# ... and it is the installed copy that answers: without it the tool says so.
rm "$work/root/moved/share/drawmentor/DrawMentor.dat"
if cli "$work/root/moved/bin/drawmentor-cli" return --game 0 --paytable 0 >/dev/null 2>&1; then
    fail "return still works without the installed paytable file"
fi
echo "install: programs, program files, desktop entry, metainfo, icons, man pages and documentation check out"
