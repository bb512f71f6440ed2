#!/usr/bin/env bash
# The built program in a real X server: its window as a window manager sees it, the animation on
# screen, and the ways out. Then once more on a bare server with no window manager.
#   real_window_test.sh <vantrel binary>
VANTREL=$1
source "$(dirname "$0")/x_session.sh"
learn_frames

expect_property() {
    local name=$1 expected=$2 actual
    actual=$(xprop -id "$window" "$name")
    [[ $actual == "$expected" ]] || fail "$name is '$actual', expected '$expected'"
}

# The frames seen over $1 seconds, each listed once when it first appears.
frames_seen() {
    local last="" frame
    for _ in $(seq $(($1 * 20))); do
        frame=$(shown_frame)
        if [[ $frame != "$last" ]]; then
            printf '%s ' "$frame"
            last=$frame
        fi
        sleep 0.05
    done
}

# Runs forward from the start, one frame after another.
expect_running_from_start() {
    local seen first expected
    seen=$(frames_seen 3)
    read -ra frames <<<"$seen"
    first=${frames[0]}
    [[ $first == 0 || $first == 1 ]] || fail "the animation began at frame $first ($seen)"
    ((${#frames[@]} >= 5)) || fail "too few frames in 3 s at start-up speed: $seen"
    expected=$first
    for frame in "${frames[@]}"; do
        [[ $frame == "$expected" ]] || fail "frames not one after another: $seen"
        expected=$(((expected + 1) % 24))
    done
    echo "start-up frames: $seen"
}

echo "== with a window manager"
start_x_server --window-manager
start_vantrel
expect_property WM_NAME 'WM_NAME(STRING) = "Vantrel  SpaceBar+-/*mouse,. ESC"'
expect_property _MOTIF_WM_HINTS '_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x4, 0xa, 0x0, 0x0'
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q 'program specified minimum size: 277 by 522' <<<"$hints" || fail "minimum size: $hints"
grep -q 'program specified maximum size: 277 by 522' <<<"$hints" || fail "maximum size: $hints"
geometry=$(xwininfo -id "$window")
grep -q 'Width: 277' <<<"$geometry" && grep -q 'Height: 522' <<<"$geometry" ||
    fail "client area: $geometry"
expect_running_from_start
xdotool windowfocus --sync "$window"
xdotool key Escape
expect_exit 0

echo "== the window manager asks it to close"
start_vantrel
wmctrl -i -c "$window"
expect_exit 0 2

echo "== double-click"
start_vantrel
xdotool mousemove --window "$window" 100 100 click --repeat 2 --delay 80 1
expect_exit 0
stop_started
started_pids=()

echo "== bare X server, no window manager"
start_x_server
start_vantrel
expect_running_from_start
xdotool windowfocus --sync "$window"
xdotool key Escape
expect_exit 0

echo "== the X server goes away"
start_vantrel
sleep 1
kill "${started_pids[0]}" # this run's Xvfb
expect_exit 1 2
grep -q 'X11 connection broke' "$vantrel_log" || fail "no word on the broken connection"
echo "real window: all passed"
