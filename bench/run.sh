#!/usr/bin/env bash
# Runs every benchmark side by side on this machine and prints one line per figure:
#   name: value unit
#   name: value unit (peer: value unit, ratio: x)       where a peer program is measured too
# Each figure is the median of several runs (VANTREL_BENCH_RUNS, 5 unless set), except
# rss_growth_mb, which is one run of 1,000,000 ticks. Lines starting with # describe the machine.
#   bench/run.sh <build folder configured with -DVANTREL_BENCH=ON>
# The window benchmarks run in an Xvfb server that this script starts on a free display and stops
# again; nothing else is touched.
set -euo pipefail

build=$(cd "${1:?usage: bench/run.sh <build folder>}" && pwd)
runs=${VANTREL_BENCH_RUNS:-5}
programs=$build/bench
frames=$build/frames
vantrel=$build/vantrel

work=$(mktemp -d)
x_server=""
stop_started() {
    if [[ -n $x_server ]]; then
        kill "$x_server" 2>/dev/null || true
        wait "$x_server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap stop_started EXIT

fail() {
    echo "bench: $*" >&2
    exit 1
}

# Runs a benchmark program, keeping what it says on standard error for when it fails.
run() {
    "$@" 2>>"$work/log" || fail "'$*' failed: $(tail -n 5 "$work/log")"
}

# The value of name=value in the text of $2.
field() {
    sed -n "s/^$1=//p" <<<"$2"
}

median() {
    printf '%s\n' "$@" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The values rounded, smallest first.
listed() {
    printf '%s\n' "$@" | sort -g | awk '{ printf "%s%.0f", (NR > 1 ? " " : ""), $1 }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

# An X server of our own, no window manager: Xvfb picks a free display and says which.
start_x_server() {
    local number_file=$work/display
    Xvfb -displayfd 3 -screen 0 800x700x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    x_server=$!
    for _ in $(seq 200); do
        [[ -s $number_file ]] && break
        sleep 0.05
    done
    [[ -s $number_file ]] || fail "Xvfb did not start"
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
}

for program in count_bench tick_bench screen_check x11_floor x11_watch; do
    [[ -x $programs/$program ]] || fail "$programs/$program is missing: build with -DVANTREL_BENCH=ON"
done
for tool in Xvfb display animate; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps"
done

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
read -r load_before _ </proc/loadavg
started_at=$(date +%s)
echo "# $(nproc) cores, $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

# 1. One count of the pause, on its own and with the other core busy.
run "$programs/count_bench" --sweeps "$runs"
run "$programs/count_bench" --sweeps "$runs" --loaded

start_x_server

# 2. A tick with no pause, and the least X11 can do in the same loop, run in turns. First a check
# that the tick timed here still leaves exactly its frame on screen, whichever way it moves.
out=$(run "$programs/screen_check" 2000)
echo "# screen check: $(field checked "$out") ticks, each showed its frame; moves $(field moves "$out")"
# Each run of the program settles at one of two rates (about 57 or 90 us a tick on a 2-core
# virtual machine, whichever core each thread is on), and the floor varies too: twice the runs,
# and every run is listed.
tick=()
floor=()
ticks_per_s=()
for _ in $(seq $((2 * runs + 1))); do
    out=$(run "$programs/x11_floor" 10000)
    floor+=("$(field median_us "$out")")
    out=$(run "$programs/tick_bench" 10000)
    tick+=("$(field median_us "$out")")
    ticks_per_s+=("$(field ticks_per_s "$out")")
done
tick_us=$(median "${tick[@]}")
floor_us=$(median "${floor[@]}")
printf 'tick_overhead_us: %.1f us (peer: %.1f us, ratio: %s)\n' "$tick_us" "$floor_us" \
    "$(ratio "$tick_us" "$floor_us")"
printf 'x11_floor_us: %.1f us\n' "$floor_us"
echo "# tick runs: $(listed "${tick[@]}") us; floor runs: $(listed "${floor[@]}") us"

# 3. From exec to frame 0 on screen, beside ImageMagick's display showing the same file. The frame
# can come and go before a screenshot sees it (x11_watch then says 3): such a run is taken again.
watch_startup() {
    local out status
    for _ in 1 2 3; do
        status=0
        out=$("$programs/x11_watch" startup "$@" 2>>"$work/log") || status=$?
        if [[ $status -eq 0 ]]; then
            echo "$out"
            return
        fi
        [[ $status -eq 3 ]] || break
    done
    fail "x11_watch startup $* failed: $(tail -n 5 "$work/log")"
}
startup=()
startup_peer=()
rss=()
rss_peer=()
for _ in $(seq "$runs"); do
    out=$(watch_startup "$frames/frame00.bmp" "$frames/frame01.bmp" "$vantrel")
    startup+=("$(field startup_ms "$out")")
    rss+=("$(field rss_kb "$out")")
    out=$(watch_startup "$frames/frame00.bmp" - display "$frames/frame00.bmp")
    startup_peer+=("$(field startup_ms "$out")")
    rss_peer+=("$(field rss_kb "$out")")
done
startup_ms=$(median "${startup[@]}")
startup_peer_ms=$(median "${startup_peer[@]}")
printf 'startup_ms: %.1f ms (peer: %.1f ms, ratio: %s)\n' "$startup_ms" "$startup_peer_ms" \
    "$(ratio "$startup_ms" "$startup_peer_ms")"

# 4. Memory after start, and what a million ticks with no pause add to it.
rss_mb=$(awk -v kb="$(median "${rss[@]}")" 'BEGIN { print kb / 1024 }')
rss_peer_mb=$(awk -v kb="$(median "${rss_peer[@]}")" 'BEGIN { print kb / 1024 }')
printf 'rss_mb: %.1f MB (peer: %.1f MB, ratio: %s)\n' "$rss_mb" "$rss_peer_mb" \
    "$(ratio "$rss_mb" "$rss_peer_mb")"
out=$(run "$programs/tick_bench" 1000000)
printf 'rss_growth_mb: %.2f MB\n' \
    "$(awk -v a="$(field rss_start_kb "$out")" -v b="$(field rss_end_kb "$out")" 'BEGIN { print (b - a) / 1024 }')"

# 5. ImageMagick's animate looping the same 24 files as fast as it will, its frames counted from
# the X server's damage reports on its window, beside the program's ticks per second with no pause.
animate_fps=()
for _ in $(seq "$runs"); do
    out=$(run "$programs/x11_watch" frames 1 3 animate -delay 0 "$frames"/frame??.bmp)
    animate_fps+=("$(field frames_per_s "$out")")
done
fps=$(median "${animate_fps[@]}")
tps=$(median "${ticks_per_s[@]}")
printf 'peer_animate_fps: %.1f fps\n' "$fps"
printf 'ticks_per_s: %.0f /s (peer: %.1f /s, ratio: %s)\n' "$tps" "$fps" "$(ratio "$tps" "$fps")"

read -r load_after _ </proc/loadavg
echo "# $(($(date +%s) - started_at)) s; load average $load_before before, $load_after after"
