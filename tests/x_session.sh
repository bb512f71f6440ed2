# Helpers for tests that run the built program in a real X server. Source it, then call
# start_x_server [--window-manager] and start_vantrel. Everything started here is stopped on exit;
# nothing else is touched.
#   VANTREL  the binary; its frames are read from the frames/ folder beside it.

set -euo pipefail

started_pids=()
vantrel_pid=""
vantrel_log=$(mktemp)
window=""

stop_started() {
    local pid
    for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
        pid=${started_pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -f "$vantrel_log"
}
trap stop_started EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

start_x_server() {
    # The server picks a free display itself and writes its number once it is ready, so tests
    # running side by side never race for the same one.
    local number_file number=""
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 800x700x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    started_pids+=($!)
    for _ in $(seq 200); do
        number=$(cat "$number_file")
        [[ -n $number ]] && break
        sleep 0.05
    done
    rm -f "$number_file"
    [[ -n $number ]] || fail "Xvfb did not start"
    export DISPLAY=":$number"
    # Keep the pointer off the window until a test moves it there.
    xdotool mousemove 790 690
    if [[ ${1:-} == --window-manager ]]; then
        metacity --sm-disable --replace >/dev/null 2>&1 &
        started_pids+=($!)
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.05
        done
    fi
}

start_vantrel() {
    "$VANTREL" 2>"$vantrel_log" &
    vantrel_pid=$!
    started_pids+=("$vantrel_pid")
    window=""
    for _ in $(seq 200); do
        window=$(xdotool search --name '^Vantrel  SpaceBar' 2>/dev/null | head -n 1) || true
        [[ -n $window ]] && break
        sleep 0.05
    done
    [[ -n $window ]] || fail "no Vantrel window appeared; it said: $(cat "$vantrel_log")"
    for _ in $(seq 100); do
        xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
        sleep 0.05
    done
    fail "the Vantrel window was never mapped"
}

# Waits for the program to end and checks its exit status.
expect_exit() {
    local status=$1 seconds=${2:-3}
    for _ in $(seq $((seconds * 20))); do
        kill -0 "$vantrel_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$vantrel_pid" 2>/dev/null && fail "still running ${seconds}s after it should have ended"
    local actual=0
    wait "$vantrel_pid" || actual=$?
    [[ $actual -eq $status ]] || fail "exit status $actual, expected $status"
}

# Every frame's visible part (the window shows 277 x 522 of it), as a fingerprint.
declare -A frame_of_fingerprint=()
learn_frames() {
    local frames_dir index fingerprint
    frames_dir=$(dirname "$VANTREL")/frames
    for index in $(seq 0 23); do
        fingerprint=$(convert "$frames_dir/$(printf 'frame%02d.bmp' "$index")" \
            -crop 277x522+0+0 +repage -threshold 50% -depth 1 gray:- | md5sum | cut -c1-32)
        frame_of_fingerprint[$fingerprint]=$index
    done
}

# The index of the frame the window shows now, or ? for anything else.
shown_frame() {
    local fingerprint
    fingerprint=$(import -window "$window" png:- 2>/dev/null |
        convert png:- -crop 277x522+0+0 +repage -threshold 50% -depth 1 gray:- | md5sum | cut -c1-32)
    echo "${frame_of_fingerprint[$fingerprint]:-?}"
}

# Waits until the window shows frame $1.
wait_for_frame() {
    local want=$1 seconds=${2:-3} seen=""
    for _ in $(seq $((seconds * 20))); do
        seen=$(shown_frame)
        [[ $seen == "$want" ]] && return 0
        sleep 0.05
    done
    fail "expected frame $want, the window shows ${seen:-nothing}"
}

# The frame shown once the animation has settled (call it while stopped).
settled_frame() {
    sleep "${1:-1.2}"
    shown_frame
}
