#!/usr/bin/env bash
# Installs the programs as a lab machine gets them and checks that they work there:
#  1. `make install` under another prefix into a staging folder (DESTDIR): the layout, the commands'
#     links, RUNPATH, and both editions and the graph program started from there;
#  2. the Debian package: built, checked by lintian, installed with apt-get, both editions started
#     from the installed commands and the graph program run on a small graph, then removed again,
#     leaving neither its files nor the packages it brought in.
# Run as root or with sudo, on a machine without the package installed; CI runs it after `make test`.
# BUILD_DIR as for make (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=${BUILD_DIR:-build}
sudo=$([ "$(id -u)" = 0 ] || echo sudo)
smoke=$source_dir/frontend/app/tests/smoke.sh
package=quorvex
work=$(mktemp -d)
# Set while the package (and what it brought in) is on the machine: a failed check removes it too.
installed=""
brought=""
clean_up() {
    if [ -n "$installed" ]; then
        echo "removing $package again"
        # shellcheck disable=SC2086 # one word per package
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q $package $brought >/dev/null || true
    fi
    rm -rf "$work"
}
trap clean_up EXIT

# The packages installed now, one name a line.
installed_packages() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort; }
step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# start_editions FOLDER: both editions, from the commands in FOLDER, reach their start screens.
start_editions() {
    for edition in quorvex32:Quorvex tessaly32:Tessaly; do
        env -u LD_LIBRARY_PATH START_TITLE="${edition#*:}" "$smoke" "$1/${edition%%:*}" ||
            fail "${edition%%:*} from $1 did not reach its start screen"
    done
}

# draw_graph COMMAND: the graph program writes a PostScript graph of a small data set with a fitted
# exponential, evaluated through the fit library.
draw_graph() {
    local graph=$work/graph
    rm -rf "$graph" && mkdir -p "$graph"
    printf '%s\r\n' "Decay" "0.5 81.87 4.09" "1 67.03 3.35" "1.5 54.88 2.74" "2 44.93 2.25" \
        "3 30.12 1.51" >"$graph/decay.dat"
    printf '%s\r\n' "-fn$graph/decay.dat" "-xm0 4" "-ym0 100" "-at1" "-eb1 1 0" "-ey\$" \
        "-ptDecay" "-p11 3" "-a1100" "-a2-0.4" "-!!" >"$graph/graph.cfg"
    (cd "$graph" && env -u LD_LIBRARY_PATH TMPDIR="$graph" PGPLOT_MESSAGES=stderr "$1" ps graph.cfg) ||
        fail "$1 ps graph.cfg ended with an error"
    head -c 4 "$graph/pgtemp.ps" 2>/dev/null | grep -q '^%!PS' || fail "$1 wrote no PostScript file"
    echo "$1 wrote $(wc -c <"$graph/pgtemp.ps") bytes of PostScript"
}

# check_layout PROGRAM_FOLDER BIN_FOLDER: programs, libraries and their files together; links in bin/.
check_layout() {
    local programs=$1 bin=$2
    for file in quorvex32 tessaly32 pgplot libcurvlib32.so libutilcore32.so libslopelib32.so \
        libxyerrlib.so libplotaid32.so quorvex.svg tessaly.svg nofunc.png help/contents.html; do
        [ -f "$programs/$file" ] || fail "$programs/$file is missing"
    done
    for command in quorvex32 tessaly32 pgplot; do
        [ "$(readlink -f "$bin/$command")" = "$(readlink -f "$programs/$command")" ] ||
            fail "$bin/$command does not lead to $programs/$command"
    done
    for binary in "$programs"/quorvex32 "$programs"/tessaly32 "$programs"/pgplot "$programs"/*.so; do
        # shellcheck disable=SC2016 # the literal $ORIGIN
        readelf -d "$binary" | grep -q 'R.*PATH.*\[\$ORIGIN\]$' || fail "$binary does not look beside itself"
    done
}

step "make install into a staging folder, prefix /opt/$package"
stage=$work/stage
make install BUILD_DIR="$build_dir" DESTDIR="$stage" PREFIX=/opt/$package >/dev/null
find "$stage" -type f -o -type l | sed "s|^$stage||" | sort >"$work/staged"
grep -v "^/opt/$package/" "$work/staged" && fail "files installed outside the prefix"
check_layout "$stage/opt/$package/lib/quorvex" "$stage/opt/$package/bin"
start_editions "$stage/opt/$package/bin"
draw_graph "$stage/opt/$package/bin/pgplot"
echo "$(wc -l <"$work/staged") files installed under $stage/opt/$package"

step "make package"
rm -f "$build_dir"/${package}_*.deb
make package BUILD_DIR="$build_dir"
deb=$(realpath "$build_dir"/${package}_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

step "lintian"
lintian --info --display-info --fail-on error "$deb"
echo "lintian: no errors"

step "apt-get install $deb"
dpkg-query -W -f='${Status}' $package 2>/dev/null | grep -q 'ok installed' &&
    fail "$package is installed already; remove it first"
installed_packages >"$work/packages-before"
# The package's paths that are not there yet (its own files and folders, not /usr/bin and the like).
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\.||; s|/$||' | grep . | while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || echo "$path"
done >"$work/new-paths"
installed=yes
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb"
installed_packages >"$work/packages-after"
brought=$(comm -13 "$work/packages-before" "$work/packages-after" | grep -vx $package | tr '\n' ' ' || true)
check_layout /usr/lib/quorvex /usr/bin
for edition in Quorvex Tessaly; do
    desktop-file-validate /usr/share/applications/org.quorvex.$edition.desktop
done

step "start the installed editions"
start_editions /usr/bin

step "run the installed graph program"
draw_graph /usr/bin/pgplot

step "apt-get purge $package${brought:+ and what it brought in: $brought}"
# shellcheck disable=SC2086 # one word per package
$sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q $package $brought
installed=""
installed_packages >"$work/packages-removed"
cmp -s "$work/packages-before" "$work/packages-removed" || fail "the installed packages differ from before"
left=$(while read -r path; do if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi; done <"$work/new-paths")
[ -z "$left" ] || fail "left behind after removal: $left"
echo "$package removed; none of the $(wc -l <"$work/new-paths") files and folders it added is left"
