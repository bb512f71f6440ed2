#!/usr/bin/env bash
# The controls as a user meets them: typed characters and keypad keys, the pointer, clicks and
# scrub mode, driven through a real X server and checked on the frames the window shows.
#   real_controls_test.sh <vantrel binary>
VANTREL=$1
source "$(dirname "$0")/x_session.sh"
learn_frames
start_x_server --window-manager
start_vantrel
xdotool windowfocus --sync "$window"

frame=""
wrap() { echo $(((($1 % 24) + 24) % 24)); }

# Presses a key and checks the frame the animation settles on, $2 frames from where it was.
expect_step() {
    local key=$1 change=$2 want
    want=$(wrap $((frame + change)))
    xdotool key "$key"
    wait_for_frame "$want" 3
    frame=$(settled_frame)
    [[ $frame == "$want" ]] || fail "after $key the animation moved on from $want to $frame"
}

# Presses a key and checks the animation runs from there: the key's own tick moves two frames,
# each further tick one more, in the direction $2.
expect_run() {
    local key=$1 direction=$2
    xdotool key "$key"
    wait_for_frame "$(wrap $((frame + 2 * direction)))" 3
    wait_for_frame "$(wrap $((frame + 3 * direction)))" 3
}

changing() {
    local first
    first=$(shown_frame)
    sleep 0.4
    [[ $(shown_frame) != "$first" ]]
}

echo "== keyboard"
xdotool key slash
frame=$(settled_frame)
[[ $frame != "?" ]] || fail "no frame shown"
for key in asterisk period space KP_Multiply; do expect_step "$key" +1; done
for key in slash KP_Divide; do expect_step "$key" -1; done
for key in a 5 equal F1 Shift_L Left; do expect_step "$key" 0; done

for key in plus comma KP_Add; do
    expect_run "$key" +1
    xdotool key slash
    frame=$(settled_frame)
    [[ $(settled_frame 0.6) == "$frame" ]] || fail "/ after $key did not stop the animation"
done
for key in minus KP_Subtract; do
    expect_run "$key" -1
    xdotool key period
    frame=$(settled_frame)
done

echo "== mouse"
xdotool mousemove --window "$window" 20 20 # fast, but stopped
frame=$(settled_frame 0.5)
xdotool click 1 # scrub mode on
sleep 0.5
scrub() { # moves the pointer to $1,$2 and expects the frame $3 steps on
    xdotool mousemove --window "$window" "$1" "$2"
    frame=$(wrap $((frame + $3)))
    wait_for_frame "$frame" 2
    [[ $(settled_frame 0.4) == "$frame" ]] || fail "scrubbing to $1,$2 did not stop on $frame"
}
scrub 20 60 +1   # down
scrub 20 100 +1  # down
scrub 20 80 -1   # up
scrub 120 80 +1  # sideways
xdotool click 1  # leave scrub mode: it was stopped, so it stays stopped
[[ $(settled_frame 0.6) == "$frame" ]] || fail "leaving scrub mode from a stop started a run"

xdotool key plus
sleep 0.3
changing || fail "+ did not start a run"
xdotool click 1 # scrub mode on: runs on until the pointer moves
changing || fail "entering scrub mode stopped the run by itself"
xdotool mousemove --window "$window" 30 120
sleep 0.3
changing && fail "the first scrub motion did not stop the run"
xdotool click 1 # leaving scrub mode resumes the run
sleep 0.3
changing || fail "leaving scrub mode did not resume the run"

echo "== double-click"
xdotool mousemove --window "$window" 100 100 click --repeat 2 --delay 80 1
expect_exit 0
echo "real controls: all passed"
