#!/usr/bin/env bash
# Twenty seconds of everything a user can throw at the window short of quitting: typed
# characters (non-ASCII too), function keys, thousands of pointer motions, drags far outside,
# clicks. The program must stay up, its memory must stay flat, and the keys must still work.
#   real_storm_test.sh <vantrel binary>
VANTREL=$1
source "$(dirname "$0")/x_session.sh"
learn_frames
start_x_server --window-manager
start_vantrel
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")" # X and Y: the window's place on screen

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$vantrel_pid/status"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Far enough apart that two clicks never make a double-click.
last_click=0
spaced_click() {
    (($(now_ms) - last_click > 700)) || return 0
    xdotool "$@"
    last_click=$(now_ms)
}

characters=('a' 'Z' '7' '=' '+' '-' ',' '.' '*' '/' ' ' 'é' 'ß' 'Ж' '€' '字' '🙂' '?' '~')
storm_until=$((SECONDS + 20))
rss_at_5=""
events=0
while ((SECONDS < storm_until)); do
    case $((RANDOM % 8)) in
    0 | 1)
        text=""
        for _ in 1 2 3; do text+=${characters[RANDOM % ${#characters[@]}]}; done
        xdotool type --delay 1 -- "$text"
        ;;
    2) xdotool key "F$((RANDOM % 12 + 1))" ;;
    3 | 4)
        moves=()
        for _ in $(seq 20); do
            moves+=(mousemove $((X + RANDOM % 320 - 20)) $((Y + RANDOM % 560 - 20)))
        done
        xdotool "${moves[@]}"
        ;;
    5)
        # Dragged out of the window, where positions run far past the picture's edges.
        spaced_click mousemove --window "$window" 100 100 mousedown 1 \
            mousemove 0 0 mousemove 799 699 mousemove 5 690 mouseup 1
        ;;
    *) spaced_click mousemove --window "$window" $((RANDOM % 270)) $((RANDOM % 500)) click 1 ;;
    esac
    events=$((events + 1))
    if [[ -z $rss_at_5 ]] && ((SECONDS >= storm_until - 15)); then rss_at_5=$(rss_kb); fi
    kill -0 "$vantrel_pid" 2>/dev/null || fail "the program ended during the storm"
done
sleep 1
kill -0 "$vantrel_pid" 2>/dev/null || fail "the program ended after the storm"
growth=$(($(rss_kb) - rss_at_5))
echo "storm: $events bursts, memory grew by ${growth} kB after second 5"
((growth <= 5120)) || fail "memory grew by ${growth} kB"

# Leave the program stopped, in normal mode, with the slow scrub-mode delay: then "+" must run
# it forward at a pace the screenshots can follow.
sleep 0.8
xdotool mousemove --window "$window" 40 40 key slash
stopped=$(settled_frame)
xdotool mousemove --window "$window" 40 90
sleep 0.8
if [[ $(shown_frame) != "$stopped" ]]; then
    spaced_click click 1 # a motion stepped the frame: scrub mode was on, turn it off
    sleep 0.8
fi
spaced_click click 1 # scrub mode on
sleep 0.3
xdotool mousemove --window "$window" 40 120 # fixes the delay at the scrub value
sleep 0.8
spaced_click click 1 # scrub mode off, the delay kept
sleep 0.3
xdotool key plus
sleep 0.3
previous=$(shown_frame)
forward=0
for _ in $(seq 12); do
    current=$(shown_frame)
    [[ $current != "?" && $previous != "?" ]] || fail "the window shows no frame"
    step=$(((current - previous + 24) % 24))
    ((step <= 8)) || fail "after + the frames went from $previous to $current"
    forward=$((forward + step))
    previous=$current
done
((forward > 0)) || fail "+ did not run the animation"
echo "real storm: all passed"
