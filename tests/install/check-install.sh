#!/bin/sh
# Installs the built program into a temporary prefix and starts it from there: the launcher
# must find the program, the program its overlays, and a second start must hand its file to
# the window already running.
# usage: check-install.sh BUILD_DIR
set -eu
build=$1
tmp=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "check-install: $*" >&2
    [ -f "$tmp/err" ] && cat "$tmp/err" >&2
    exit 1
}

prefix=$tmp/usr
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for f in bin/quorvex bin/quorvex-cli lib/quorvex/quorvex lib/quorvex/TM5150QE.OVL \
         lib/quorvex/TM5150Q.OVL lib/quorvex/TM5150Q_lmr.qcl lib/quorvex/icons \
         share/applications/quorvex.desktop share/mime/packages/quorvex.xml \
         share/icons/hicolor/scalable/apps/quorvex.svg; do
    [ -e "$prefix/$f" ] || fail "$f was not installed"
done
grep -q '^Exec=quorvex %f$' "$prefix/share/applications/quorvex.desktop" || fail "desktop file"
grep -q 'application/x-quorvex-clone' "$prefix/share/applications/quorvex.desktop" || fail "MIME type"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/quorvex.desktop" || fail "desktop file invalid"
fi

export XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The command line through its launcher reads the installed overlay and clone files.
"$prefix/bin/quorvex-cli" check "$prefix/lib/quorvex/TM5150Q_lmr.qcl" >/dev/null 2>"$tmp/err" ||
    fail "the installed quorvex-cli could not check a clone file"

# The program from its launcher: a missing overlay would end it at once.
"$prefix/bin/quorvex" 2>"$tmp/err" &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running"
# A second start with a clone file leaves at once; the running window opens the file,
# which here switches the model type the program remembers on closing.
cp "$prefix/lib/quorvex/TM5150Q_pmr.qcl" "$tmp/radio.qcl"
(cd "$tmp" && "$prefix/bin/quorvex" radio.qcl) || fail "a second start did not leave cleanly"
sleep 1
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -q '^ModelType=1$' "$XDG_CONFIG_HOME/Tavo/Quorvex.conf" ||
    fail "the running program did not open the file of the second start"
echo "check-install: installed program starts, finds its overlays and takes handed-over files"
