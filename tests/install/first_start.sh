# Sourced by the checks of an installed tree and of the package: the first
# start of a program installed under a prefix must find the shipped data
# there and copy it into the user's empty folders.
#   start_window PROGRAM ROOT REGISTRY LOG
# starts the window on the offscreen platform, waits until the shipped data is
# in ROOT, and leaves it running as $program (the caller's EXIT trap ends it).
#   check_shipped_data ROOT
# fails unless ROOT holds the shipped pictures and the full currency table.
# Both need fail() of the caller.

check_shipped_data() {
    local root=$1 table
    ls "$root"/Outlaysheet/Images/category/*.BMP >/dev/null 2>&1 ||
        fail "the shipped pictures are not in $root"
    # The full list of currencies, not the one-currency table made from the
    # locale when no shipped table is found.
    table=$(stat -c %s "$root/Outlaysheet/Data/CurrencyTable.dat" 2>/dev/null || echo 0)
    [ "$table" -gt 10000 ] || fail "the shipped currency table is not in $root"
}

start_window() {
    local executable=$1 root=$2 registry=$3 log=$4
    QT_QPA_PLATFORM=offscreen "$executable" --root "$root" --registry "$registry" \
        --no-splash >"$log" 2>&1 &
    program=$!
    for _ in $(seq 300); do
        if [ -f "$root/Outlaysheet/Data/CurrencyTable.dat" ] &&
            ls "$root"/Outlaysheet/Images/category/*.BMP >/dev/null 2>&1; then
            break
        fi
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat "$log")"
    check_shipped_data "$root"
}
