# Shared by the benchmark scripts (sourced): the simulated peer on a pty, and the verdict.
# shellcheck shell=bash

# merrow_start_peer OUT COMMAND...: starts a simulated radio on a pty in the background, its
# output to OUT; sets `peer` to its process and `device` to the pty it prints first.
merrow_start_peer() {
    local out=$1
    shift
    "$@" >"$out" &
    peer=$!
    local _
    for _ in $(seq 100); do
        [ -s "$out" ] && break
        sleep 0.05
    done
    device="$(head -n 1 "$out")"
    [ -n "$device" ] || { echo "the simulated radio did not start: $*" >&2; return 1; }
}

# merrow_stop_peer: ends the peer started last, if it still runs.
merrow_stop_peer() {
    [ -n "${peer:-}" ] || return 0
    kill -TERM "$peer" 2>/dev/null || true
    wait "$peer" 2>/dev/null || true
    peer=""
}

# merrow_verdict NAME VALUE TARGET: prints the figure against its target; fails past it.
merrow_verdict() {
    awk -v name="$1" -v value="$2" -v target="$3" 'BEGIN {
        if (value == "") { printf "%s: no figure measured\n", name; exit 1 }
        ok = value + 0 <= target + 0
        printf "%s %.3f (target at most %s): %s\n", name, value, target, ok ? "met" : "MISSED"
        exit ok ? 0 : 1
    }'
}
