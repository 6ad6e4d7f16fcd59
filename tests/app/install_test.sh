#!/usr/bin/env bash
# Installs into a temporary prefix, makes it read-only and runs the installed program twice with a temporary home:
# the first run changes a setting and a table, the second finds them. The prefix must come out as it went in, and
# what the program wrote must be in the user's folder.
# Usage: install_test.sh <cmake> <build dir> <install probe>
set -euo pipefail
cmake_command="$1"
build="$2"
probe="$3"

work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"
"$cmake_command" --install "$build" --prefix "$prefix" >/dev/null
# The probe is the program with a user's hands: it runs from where the installed program runs.
cp "$probe" "$prefix/bin/"

snapshot() { (cd "$prefix" && find . -printf '%p %y %s %m\n' | sort && find . -type f -exec md5sum {} + | sort); }
chmod -R a-w "$prefix"
before="$(snapshot)"

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
run() { "$prefix/bin/$(basename "$probe")" "$1"; }

failed=0
run change || { echo "FAIL: the first run"; failed=1; }
run check || { echo "FAIL: the second run"; failed=1; }

if [ "$(snapshot)" != "$before" ]; then
    echo "FAIL: the install prefix changed:"
    diff <(echo "$before") <(snapshot) || true
    failed=1
fi
own="$HOME/.local/share/Mensurix"
for name in Mensurix.ini Length.tbl CURRENTTIP.TIP; do
    [ -f "$own/$name" ] || { echo "FAIL: $name is not in $own"; failed=1; }
done
grep -q "^Center All Forms=No" "$own/Mensurix.ini" 2>/dev/null || { echo "FAIL: the setting was not kept"; failed=1; }
exit "$failed"
