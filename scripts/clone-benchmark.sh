# Shared by scripts/clone-read-benchmark and scripts/clone-write-benchmark (sourced).
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/benchmark.sh"

# merrow_clone_benchmark read|write TARGET: one exchange of the whole radio part at 38,400
# bit/s against the simulated radio on a pty, paced at the line rate, answering a byte time
# after the echo. The bound is the line time of what the radio side sent (every byte the
# program wrote comes back as its echo), its pauses before answers, and the pauses the
# exchange prescribes (100 ms after each port open).
merrow_clone_benchmark() {
    local mode=$1 target=$2
    local root build status=0
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    build="${MERROW_BUILD:-$root/build}"
    cmake --build "$build" --target clone_radio_pty clone_bench >/dev/null

    # Global, for the exit trap.
    work="$(mktemp -d)"
    trap 'merrow_stop_peer; rm -rf "$work"' EXIT
    merrow_start_peer "$work/peer.out" "$build/tools/clone_radio/clone_radio_pty" --pace

    MERROW_COM1="$device" "$build/tools/clone_bench/clone_bench" "$mode" >"$work/bench.out" ||
        status=$?
    merrow_stop_peer

    cat "$work/bench.out"
    awk '
        FNR == NR && /elapsed/ { sub(/.*elapsed /, ""); elapsed = $1 }
        FNR == NR && /prescribed pauses/ { prescribed = $3 }
        FNR != NR && /^sent/ { bytes = $2; line = $4; answers = $10 }
        END {
            bound = line + answers + prescribed
            printf "radio side: %d bytes, %.3f s on the line, %.3f s of pauses before answers\n", bytes, line, answers
            printf "bound %.3f s (line %.3f + answer pauses %.3f + prescribed %.3f)\n", bound, line, answers, prescribed
            if (bound > 0) printf "ratio %.6f\n", elapsed / bound
        }' "$work/bench.out" "$work/peer.out" >"$work/figures"
    grep -v '^ratio' "$work/figures"
    [ "$status" -eq 0 ] || return "$status"
    merrow_verdict ratio "$(sed -n 's/^ratio //p' "$work/figures")" "$target"
}
