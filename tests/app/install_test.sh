#!/usr/bin/env bash
# Installs into a temporary prefix, makes it read-only and runs the installed program twice with a temporary home:
# the first run changes a setting and a table, the second finds them; then the installed command line answers from
# the tables the window reads, the edited one included. The prefix must come out as it went in, what the program
# wrote must be in the user's folders (a settings file an earlier version left among the data moved to the config
# folder), and the installed program and its window module must be stripped and without a run path, the program
# with its manual page, and able to open its window.
# Usage: install_test.sh <cmake> <build dir> <install probe>
set -euo pipefail
cmake_command="$1"
build="$2"
probe="$3"

work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"
"$cmake_command" --install "$build" --prefix "$prefix" >/dev/null
failed=0
fail() { echo "FAIL: $*"; failed=1; }

program="$prefix/bin/mensurix"
window_module="$(find "$prefix" -name mensurix-window.so)"
for binary in "$program" $window_module; do
    if readelf -d "$binary" | grep -E -q "RPATH|RUNPATH"; then fail "$binary has a run path"; fi
    file -L "$binary" | grep -q ", stripped" || fail "$binary is not stripped"
done
[ -n "$window_module" ] || fail "no window module"
manual="$prefix/share/man/man1/mensurix.1"
if [ -f "$manual" ]; then
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null || true)"
    [ -z "$warnings" ] || fail "the manual page has warnings: $warnings"
    for option in $("$program" --help | grep -E -o -- '(^| )--?[a-z-]+' | sort -u); do
        grep -q -- "$(echo "$option" | sed 's/-/\\\\-/g')" "$manual" || fail "the manual page lacks $option"
    done
else
    fail "no manual page"
fi

# The probe is the program with a user's hands: it runs from where the installed program runs.
cp "$probe" "$prefix/bin/"
snapshot() { (cd "$1" && find . -printf '%p %y %s %m\n' | sort && find . -type f -exec md5sum {} + | sort); }
chmod -R a-w "$prefix"
before="$(snapshot "$prefix")"

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME XDG_CONFIG_HOME
own="$HOME/.local/share/Mensurix"
config="$HOME/.config/Mensurix"
mkdir -p "$own" && mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[Mine]\r\nKept=1\r\n' >"$own/Mensurix.ini" # as an earlier version kept it
run() { "$prefix/bin/$(basename "$probe")" "$1"; }

run change || fail "the first run"
run check || fail "the second run"

[ "$(snapshot "$prefix")" = "$before" ] || { fail "the install prefix changed:"; diff <(echo "$before") <(snapshot "$prefix") || true; }
for name in Length.tbl CURRENTTIP.TIP; do
    [ -f "$own/$name" ] || fail "$name is not in $own"
done
[ ! -e "$own/Mensurix.ini" ] || fail "the settings file was left in $own"
grep -q "^Center All Forms=No" "$config/Mensurix.ini" 2>/dev/null || fail "the setting was not kept in $config"
grep -q "^Kept=1" "$config/Mensurix.ini" 2>/dev/null || fail "the earlier settings file was not moved over"

# The installed command line reads what the window reads, and writes nothing.
home_before="$(snapshot "$HOME")"
expect() { # <expected output> <arguments...>
    local expected="$1" got
    shift
    got="$("$program" "$@" 2>&1)" || fail "mensurix $* failed: $got"
    [ "$got" = "$expected" ] || fail "mensurix $*: '$got', not '$expected'"
}
expect $'3 Other Units = 1.5 Probe Units\n3 Probe Units = 6. Other Units' --convert 3 "Probe Units vs Other Units"
expect $'1 Megajoules = 0.0095 EC Therms\n1 EC Therms = 105.506 Megajoules' --convert 1 "EC Therms vs Megajoules"
"$program" --list | grep -A1 "^Length$" | grep -q "^  Probe Units vs Other Units$" || fail "--list lacks the edited pair"
[ "$(snapshot "$HOME")" = "$home_before" ] || fail "the command line changed the user's files"

# The installed program itself loads its window (and runs until it is stopped).
status=0
timeout 5 "$program" -platform offscreen >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed program did not open its window (status $status)"
exit "$failed"
