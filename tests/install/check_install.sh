#!/bin/sh
# Installs a build tree into a scratch prefix and checks what a desktop
# user gets: the programs and the VXR link, every example task the build
# made, the menu entry (validated), the icon at each size, and the manual
# pages (linted as Debian's tools read them).
# Also starts the installed launcher headless both ways.
#   check_install.sh BUILD_DIR
set -eu
build=$1
. "$(dirname "$0")/lib.sh"
prefix=$scratch

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in vxr vxrdat; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done
[ -L "$prefix/bin/VXR" ] && [ "$(readlink "$prefix/bin/VXR")" = vxr ] || fail "bin/VXR is not a link to vxr"

# Every task the build made, with its description, and readable by the
# installed record tool.
examples=0
for built in "$build"/examples/*/VXR.DAT; do
    task=$(basename "$(dirname "$built")")
    installed="$prefix/share/vxr/examples/$task"
    examples=$((examples + 1))
    [ -f "$installed/task.json" ] || fail "example $task: task.json not installed"
    cmp -s "$built" "$installed/VXR.DAT" || fail "example $task: VXR.DAT not installed as built"
    "$prefix/bin/vxrdat" dump "$installed/VXR.DAT" >/dev/null || fail "example $task: installed vxrdat cannot read it"
done
[ "$examples" -gt 0 ] || fail "the build made no example tasks"

desktop="$prefix/share/applications/vxr.desktop"
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "vxr.desktop does not validate"
    grep -qx 'Name=Vexor 8.0 trainer' "$desktop" || fail "vxr.desktop is not named Vexor 8.0 trainer"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec_name" ] || fail "vxr.desktop starts $exec_name, which is not installed"
else
    fail "share/applications/vxr.desktop is missing"
fi

# An icon's PNG header holds its width and height at bytes 16 to 23.
icons=0
for icon in "$prefix"/share/icons/hicolor/*/apps/vxr.png; do
    [ -f "$icon" ] || break
    icons=$((icons + 1))
    size=$(basename "$(dirname "$(dirname "$icon")")")
    n=${size%x*}
    header=$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')
    [ "$header" = "$(printf '%08x%08x' "$n" "$n")" ] || fail "icon $size is not $n pixels square"
done
[ "$icons" -ge 4 ] || fail "only $icons icon sizes installed"

man1="$prefix/share/man/man1"
for page in vxr vxrdat VXR vxr-practice; do
    file="$man1/$page.1.gz"
    [ -e "$file" ] || { fail "manual page $page(1) is missing"; continue; }
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page(1): $warnings"
    lexgrog "$file" >/dev/null || fail "$page(1): lexgrog finds no NAME section"
    zcat "$file" | grep -q '@[A-Z_]*@' && fail "$page(1): an unreplaced @NAME@"
done

# The menu's launcher, headless: Close at the first task's instructions
# copies nothing and starts nothing; Start copies the installed lab task to
# the user's drive C: and runs the installed trainer (which plays the same
# script to its close), and the feedback box is closed.
practice() { # SCRIPT-TEXT
    printf "$1" > "$scratch/launch.vxs"
    (cd "$scratch" && VXR_DRIVE_C="$scratch/c" VXR_DRIVE_A="$scratch/a" VXR_SCRIPT="$scratch/launch.vxs" \
        "$prefix/bin/vxr-practice" >/dev/null)
}
data_file="$scratch/c/DATAS/VXR.DAT"
practice 'key Esc\n' || fail "vxr-practice: Close did not end it normally"
[ ! -e "$data_file" ] || fail "vxr-practice: Close made a data file"
practice 'key Enter\nclose\nkey Enter\nclose\n' || fail "vxr-practice: Start did not run the trainer to a normal end"
cmp -s "$data_file" "$prefix/share/vxr/examples/lab/VXR.DAT" || fail "vxr-practice: the practice task was not copied"

[ -f "$prefix/share/doc/vxr/copyright" ] || fail "share/doc/vxr/copyright is missing"

finish
echo "install: $examples example tasks, $icons icon sizes, manual pages and menu entry fine"
