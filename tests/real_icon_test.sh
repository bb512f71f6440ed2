#!/usr/bin/env bash
# The built program's window as a desktop sees it: the icon it carries in every size, and a
# window class that the menu entry's StartupWMClass matches, so a dock puts the two together.
#   real_icon_test.sh <vantrel binary>
VANTREL=$1
source "$(dirname "$0")/x_session.sh"
entry=$(dirname "$0")/../shell/desktop/vantrel.desktop

start_x_server
start_vantrel

# xprop cuts long properties short unless told how much to read.
icons=$(xprop -len 1000000 -id "$window" -notype _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')
expected=$'Icon (48 x 48)\nIcon (128 x 128)\nIcon (256 x 256)'
[[ $icons == "$expected" ]] || fail "_NET_WM_ICON holds: ${icons:-nothing}"

class=$(xprop -id "$window" WM_CLASS)
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[[ $class == "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ]] ||
    fail "$class; the menu entry expects $wm_class"

xdotool windowfocus --sync "$window"
xdotool key Escape
expect_exit 0
echo "real icon: all passed"
