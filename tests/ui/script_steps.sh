# Steps shared by the scripted runs of the built program: a named check that
# counts its failures, and keys typed one at a time with xdotool.
failures=0
check() {
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
keys() {
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.25
    done
}
