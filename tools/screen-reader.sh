#!/usr/bin/env bash
# Runs a command beside what a screen reader needs, in a desktop that tools/desktop.sh started:
#   tools/desktop.sh openbox tools/screen-reader.sh <command> [<argument>...]
# It starts a session bus unless the desktop has one, the accessibility bus (at-spi2-core) and
# speech-dispatcher, whose only voice writes each thing said as a line of the file SPOKEN_TEXT
# names, and sounds nothing. The command then starts Orca when it wants it (`orca --replace`), and
# finds there what Orca said. Orca's settings, speech-dispatcher's and libao's are this run's own,
# under XDG_RUNTIME_DIR, which tools/desktop.sh also takes down with everything started here.
# tools/setup.sh desktops installs what it starts.
set -euo pipefail

[[ $# -ge 1 ]] || { sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
[[ -n ${XDG_RUNTIME_DIR:-} && -n ${DISPLAY:-} ]] || {
  echo "screen-reader: run it inside tools/desktop.sh, on an X display" >&2
  exit 2
}
runtime=$XDG_RUNTIME_DIR
log=$runtime/screen-reader.log

if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]]; then
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$runtime/bus
  dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" >>"$log" 2>&1 &
  for _ in {1..600}; do
    [[ -S $runtime/bus ]] && break
    sleep 0.1
  done
fi

# This run's own settings, and a home for libao's, whose null driver keeps speech silent.
export XDG_CONFIG_HOME=$runtime/config XDG_DATA_HOME=$runtime/data HOME=$runtime/home
export SPOKEN_TEXT=$runtime/spoken.txt
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_DATA_HOME" "$HOME"
: >"$SPOKEN_TEXT"
echo "default_driver=null" >"$HOME/.libao"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
AudioOutputMethod "libao"
AddModule "written" "sd_generic" "written.conf"
DefaultModule written
LanguageDefaultModule "en" "written"
EOF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/written.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>$SPOKEN_TEXT"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "en"
EOF

/usr/libexec/at-spi-bus-launcher --launch-immediately >>"$log" 2>&1 &
speech-dispatcher --timeout 0 >>"$log" 2>&1 || true
exec "$@"
