#!/usr/bin/env bash
# Starts a desktop headless on a display of its own, runs a command in it with the session's
# variables set, and takes everything it started down again, however the command ends:
#   tools/desktop.sh [--scale N] [--desktop-scale PERCENT [--x11-scaling system|themselves]]
#                    <desktop> <command> [<argument>...]
# Desktops:
#   x                a bare X server (Xvfb)
#   openbox          openbox on an X server
#   kde-x11          KDE Plasma's KWin on an X server
#   kde-wayland      KDE Plasma's KWin as a Wayland compositor, with XWayland
#   gnome            GNOME's mutter as a Wayland compositor, with XWayland
#   weston-xwayland  weston with XWayland
#   weston           weston alone: native Wayland, no X display
# --scale N runs the command's Qt windows at scale N (QT_SCALE_FACTOR) on a screen of 800N x 600N
# pixels; the screen is 1024 x 768 otherwise. --desktop-scale PERCENT scales the screen as the desktop's
# own display settings would (kde-wayland and gnome), on a screen of 8 x 6 PERCENT pixels: KWin's
# output scale, with X11 programs enlarged by KWin (--x11-scaling system, Plasma's default) or
# told to scale themselves through Xft.dpi (themselves); mutter's monitor scale, with
# gsd-xsettings telling X11 programs a whole scale, and fractional scaling turned on for a
# fractional PERCENT or for --x11-scaling system. The command gets DISPLAY, WAYLAND_DISPLAY,
# XDG_SESSION_TYPE, XDG_CURRENT_DESKTOP, XAUTHORITY and a session bus where the desktop has them,
# and an XDG_RUNTIME_DIR of its own, which also tells this script's processes apart: whatever
# still runs with it at the end is ended. The desktop's own output goes to <desktop>.log there.
# Its exit status is the command's. tools/setup.sh desktops installs the desktops.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)

patience_s=60 # for a server to come up; a busy machine may take long
scale=1 desktop_scale=100 x11_scaling=system
while [[ ${1:-} == --* ]]; do
  case $1 in
    --scale) scale=$2 ;;
    --desktop-scale) desktop_scale=$2 ;;
    --x11-scaling) x11_scaling=$2 ;;
    *) break ;;
  esac
  shift 2
done
[[ $# -ge 2 ]] || { sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
desktop=$1
shift
width=1024 height=768
((scale == 1)) || width=$((800 * scale)) height=$((600 * scale))
((desktop_scale == 100)) || width=$((8 * desktop_scale)) height=$((6 * desktop_scale))
# The scale as the desktops write it: 2, 1.5, 1.25.
scale_factor=$(printf '%d.%02d' $((desktop_scale / 100)) $((desktop_scale % 100)) | sed 's/\.\{0,1\}0*$//')

log() { printf 'desktop: %s\n' "$*" >&2; }
fail() {
  log "$desktop did not start: $*"
  exit 1
}

# The session's variables are the command's only; this shell's own go.
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP \
  DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM QT_SCALE_FACTOR
XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/desktop.XXXXXX")
export XDG_RUNTIME_DIR
readonly runtime=$XDG_RUNTIME_DIR
# The desktops' settings are the session's own, read from files there and never the user's.
export XDG_CONFIG_HOME=$runtime/config GSETTINGS_BACKEND=keyfile
mkdir "$XDG_CONFIG_HOME"
readonly output=$runtime/$desktop.log

# Every process that carries this session's runtime directory, but this shell.
session_processes() {
  local environ pid
  for environ in $(grep -lzx "XDG_RUNTIME_DIR=$runtime" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ//[^0-9]/}
    ((pid == $$ || pid == BASHPID)) || echo "$pid"
  done
}

# Asks them to end, and after a few seconds makes them.
take_down() {
  local pids attempt signal=TERM
  for attempt in {1..50}; do
    mapfile -t pids < <(session_processes)
    ((${#pids[@]})) || break
    ((attempt < 40)) || signal=KILL
    kill -"$signal" "${pids[@]}" 2>/dev/null || true
    sleep 0.1
  done
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap take_down EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

wait_until() {
  local what=$1 deadline=$((SECONDS + patience_s))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || fail "no $what within ${patience_s}s; its output: $(tail -n 20 "$output")"
    sleep 0.1
  done
}

# In the background, its output to the desktop's log.
run() { "$@" >>"$output" 2>&1 & }

# Xvfb on a display number of its own, far above the low ones that servers searching for a free
# number try first: a client started beside such a search could not always connect.
start_x_server() {
  local attempt number ready=$runtime/x-ready
  for attempt in {1..5}; do
    number=$((1000 + RANDOM % 29000))
    rm -f "$ready"
    # -noreset: by default the server resets when its last client leaves, and a manager that
    # connects during that reset is turned away.
    Xvfb ":$number" -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
      3>"$ready" >>"$output" 2>&1 &
    # It writes its number once it takes connections, and ends if the number is taken.
    local pid=$! deadline=$((SECONDS + patience_s))
    while [[ ! -s $ready ]] && kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
      sleep 0.1
    done
    if [[ -s $ready ]] && answers ":$number"; then
      export DISPLAY=:$number XDG_SESSION_TYPE=x11
      return
    fi
    log "Xvfb on :$number did not answer; starting another"
    kill "$pid" 2>/dev/null || true
  done
  fail "Xvfb found no display that answers; its output: $(tail -n 20 "$output")"
}

# Whether the X display takes a connection within a few seconds: having said it is ready is
# not enough on a busy machine.
answers() {
  local deadline=$((SECONDS + 10))
  until xprop -display "$1" -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

manager_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

pipewire_answers() { pw-cli info 0 >/dev/null 2>&1; }

start_session_bus() {
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$runtime/bus
  run dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS"
  wait_until "session bus" test -S "$runtime/bus"
}

# XWayland puts its socket there, and the compositors start it only where everyone may.
x_socket_directory() {
  # Another desktop starting beside this one may make it first.
  mkdir -p -m 1777 /tmp/.X11-unix
  [[ $(stat -c %a /tmp/.X11-unix) == 1777 ]] || chmod 1777 /tmp/.X11-unix ||
    fail "/tmp/.X11-unix must be writable by all (mode 1777)"
}

# A compositor that runs a program of its own in its session gives that program the session's
# variables; this one writes them down and stays.
session_child() {
  local child=$runtime/session-child
  printf '#!/bin/sh\nenv >"%s.env.part" && mv "%s.env.part" "%s.env"\nexec sleep infinity\n' \
    "$child" "$child" "$child" >"$child"
  chmod +x "$child"
  echo "$child"
}

take_session_variables() {
  wait_until "session" test -s "$1.env"
  local name value
  for name in DISPLAY WAYLAND_DISPLAY XAUTHORITY; do
    value=$(sed -n "s/^$name=//p" "$1.env")
    if [[ -n $value ]]; then export "$name=$value"; else unset "$name"; fi
  done
  export XDG_SESSION_TYPE=wayland
  [[ -z ${DISPLAY:-} ]] || wait_until "X display that answers" answers "$DISPLAY"
}

start_weston() {
  local socket=wayland-0
  # --debug lets a screenshot client in; XWayland, when asked for, takes the first free display.
  local args=(--backend=headless-backend.so --use-pixman "--socket=$socket" "--width=$width"
    "--height=$height" --idle-time=0 --no-config --debug "--log=$runtime/weston.log")
  [[ $1 == xwayland ]] && x_socket_directory && args+=(--xwayland)
  run weston "${args[@]}"
  wait_until "Wayland socket" test -S "$runtime/$socket"
  export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland
  [[ $1 == xwayland ]] || return 0
  wait_until "X display" grep -q 'xserver listening on display' "$runtime/weston.log"
  export DISPLAY
  DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log")
  wait_until "X display that answers" answers "$DISPLAY"
}

start_kwin_wayland() {
  # The installed program carries a file capability that a sandbox may refuse to run; a copy
  # runs without it, and must keep its name, by which KWin picks its platform.
  mkdir "$runtime/kwin"
  cp "$(command -v kwin_wayland)" "$runtime/kwin/kwin_wayland"
  local child
  child=$(session_child)
  local args=(--virtual --xwayland)
  if ((desktop_scale == 100)); then
    args+=(--width "$width" --height "$height")
  else
    # KWin 5 takes the output's scale from its command line, and its size there in the scaled
    # units; KWin 6 takes the scale from its saved outputs.
    args+=(--width 800 --height 600 --scale "$scale_factor")
    printf '[{"name":"outputs","data":[{"connectorName":"Virtual-0","scale":%s}]}]\n' \
      "$scale_factor" >"$XDG_CONFIG_HOME/kwinoutputconfig.json"
    [[ $x11_scaling == system ]] || printf '[Xwayland]\nScale=%s\n' "$scale_factor" >"$XDG_CONFIG_HOME/kwinrc"
  fi
  # Its ScreenShot2 interface answers any program of the session: the tests take the screen so. Its
  # fake input lets any program in too: the tests press keys so in natively drawn windows.
  KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    run "$runtime/kwin/kwin_wayland" "${args[@]}" \
    --no-lockscreen --no-global-shortcuts --exit-with-session "$child"
  take_session_variables "$child"
  # Plasma tells X11 programs that scale themselves the screen's dots per inch. Under KWin 6 other
  # X resources ("*customization: -color") are loaded a moment after its X server starts, and may
  # replace those merged before: merged again until they stay.
  if ((desktop_scale != 100)) && [[ $x11_scaling == themselves ]]; then
    local held=0 attempt
    for attempt in {1..20}; do
      if xrdb -query | grep '^Xft\.dpi:' >/dev/null; then
        ((++held < 3)) || break
      else
        held=0
        echo "Xft.dpi: $((96 * desktop_scale / 100))" | xrdb -merge
      fi
      sleep 0.5
    done
  fi
}

start_mutter() {
  local child
  child=$(session_child)
  # Fractional scales need the experimental feature; with it, mutter enlarges X11 windows itself.
  if ((desktop_scale % 100)) || [[ $desktop_scale != 100 && $x11_scaling == system ]]; then
    mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
    printf "[org/gnome/mutter]\nexperimental-features=['scale-monitor-framebuffer']\n" \
      >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
  fi
  # PipeWire carries mutter's screen casts, by which the tests take the screen. Its session
  # manager, which links a cast to its reader, gives up at once on a PipeWire not yet answering,
  # and the cast then never sends a frame.
  run pipewire
  wait_until "PipeWire" pipewire_answers
  run wireplumber
  run mutter --headless --wayland --virtual-monitor "${width}x${height}" -- "$child"
  take_session_variables "$child"
  ((desktop_scale == 100)) || scale_mutter_monitor
  # GNOME's settings daemon tells X11 programs the scale, as Xft.dpi.
  run /usr/libexec/gsd-xsettings
  wait_until "X settings" bash -c 'xprop -root RESOURCE_MANAGER 2>/dev/null | grep -q Xft.dpi'
}

# The monitor's scale as GNOME's display settings set it: the nearest one mutter offers for the
# monitor's mode, through its DisplayConfig interface.
scale_mutter_monitor() {
  local state serial connector mode scales chosen
  local call=(gdbus call --session --dest org.gnome.Mutter.DisplayConfig
    --object-path /org/gnome/Mutter/DisplayConfig --method)
  wait_until "display settings" "${call[@]}" org.gnome.Mutter.DisplayConfig.GetCurrentState >/dev/null
  state=$("${call[@]}" org.gnome.Mutter.DisplayConfig.GetCurrentState)
  serial=$(sed -n 's/^(uint32 \([0-9]*\),.*/\1/p' <<<"$state")
  connector=$(sed -n "s/^[^']*'\([^']*\)'.*/\1/p" <<<"$state")
  mode=$(sed -n "s/^[^[]*\[[^[]*\[('\([^']*\)'.*/\1/p" <<<"$state")
  scales=$(sed -n "s/^[^[]*\[[^[]*\[('[^']*', [^[]*\[\([^]]*\)\].*/\1/p" <<<"$state")
  chosen=$(tr ',' '\n' <<<"$scales" | awk -v want="$scale_factor" '
    { d = $1 - want; if (d < 0) d = -d; if (best == "" || d < bestd) { best = $1; bestd = d } }
    END { print best }')
  [[ -n $serial && -n $connector && -n $mode && -n $chosen ]] ||
    fail "mutter's display settings did not say its monitor: $state"
  "${call[@]}" org.gnome.Mutter.DisplayConfig.ApplyMonitorsConfig "$serial" 1 \
    "[(0, 0, $chosen, 0, true, [('$connector', '$mode', @a{sv} {})])]" '@a{sv} {}' >/dev/null ||
    fail "mutter did not take the scale $chosen"
}

case $desktop in
  x) start_x_server ;;
  openbox)
    start_x_server
    run openbox --sm-disable
    wait_until "window manager" manager_running
    ;;
  kde-x11)
    start_x_server
    start_session_bus
    export XDG_CURRENT_DESKTOP=KDE
    run kwin_x11
    wait_until "window manager" manager_running
    ;;
  kde-wayland)
    x_socket_directory
    start_session_bus
    export XDG_CURRENT_DESKTOP=KDE
    start_kwin_wayland
    ;;
  gnome)
    x_socket_directory
    start_session_bus
    export XDG_CURRENT_DESKTOP=GNOME
    start_mutter
    ;;
  weston-xwayland) start_weston xwayland ;;
  weston) start_weston native ;;
  *)
    log "no desktop named $desktop"
    exit 2
    ;;
esac
((scale == 1)) || export QT_SCALE_FACTOR=$scale

# In the background, so that a signal to this script ends it at once, with the terminal's input
# and Ctrl-C, which a background command ignores unless told. Ctrl-C is the command's own: it may
# end it, or not, as in a shell.
(
  trap - INT
  exec "$@"
) <&0 &
command=$!
trap : INT
while true; do
  status=0
  wait "$command" || status=$?
  kill -0 "$command" 2>/dev/null || break
done
exit "$status"
