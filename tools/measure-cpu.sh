#!/usr/bin/env bash
# Measures the game as a player runs it, beside a baseline window that has the game's three
# timers and does nothing else, both on a bare X server of its own (tools/desktop.sh). Prints each
# figure beside its target.
#
#   tools/measure-cpu.sh
#
# Takes four to eight minutes: builds what it needs (Release) into build-perf/, then makes two
# runs of the game with the baseline beside it.
#  1. The CPU run, with the trace off: 30 s idle after the splash, then 30 s of scripted play
#     (Start, the cannon sweeping left and right and firing); the CPU time of both over the same
#     spans, and their peak resident memory (VmHWM). CPU time is read to the nanosecond from
#     /proc/PID/task/*/schedstat; utime + stime of /proc/PID/stat, which count the same time in
#     10 ms ticks, too coarse for the baseline's few dozen, are printed beside it.
#  2. The trace run, with QT_LOGGING_RULES="starveil.trace.debug=true": the time from process
#     start to the splash's first paint, the shot timer's gaps from the end of one tick to the
#     start of the next (300 ticks idle, 300 in play), and the game's share of a core during a
#     cannon loss sequence, waited for with the cannon standing still under the formation.
#     "Process start" is a CLOCK_MONOTONIC reading that build-perf/tools/stamp_exec takes right
#     before it execs the game, so loading the program counts; "first paint" is the end of the
#     splash window's first paint event. The baseline marks its own ticks alongside, so its
#     30 ms timer's gaps show what this machine allows at the same moments.
# The logs and the trace of the last run stay in build-perf/run/.
# The trace is never on in the CPU run: its lines would be counted as the game's work.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly out=build-perf
readonly span_s=30
readonly shot_ticks=300
readonly patience_s=60    # for a window to show up
readonly loss_patience_s=300
readonly loss_move_s=40 # standing still that long without a hit, the cannon moves
readonly start_button=(324 20)
readonly game_title='Starveil by Pellamy'
readonly box_title='Starveil'
clk_tck=$(getconf CLK_TCK)
readonly clk_tck

log() { echo "measure-cpu: $*" >&2; }

# ---- build ---------------------------------------------------------------------------------

build() {
  tools/setup.sh
  log "building the game (Release) and the baseline into $out/"
  cmake -S . -B "$out/game" -DCMAKE_BUILD_TYPE=Release -DSTARVEIL_TESTS=OFF >/dev/null
  cmake --build "$out/game" -j"$(nproc)" --target starveil >/dev/null
  cmake -S tools/perf -B "$out/tools" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$out/tools" -j"$(nproc)" >/dev/null
}

# ---- processes -----------------------------------------------------------------------------

pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

stop() {
  local pid=$1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  local kept=()
  for p in "${pids[@]}"; do [[ $p == "$pid" ]] || kept+=("$p"); done
  pids=("${kept[@]}")
}

# CPU time of a whole process, every thread, as /proc/PID/stat counts it: in clock ticks.
cpu_ticks() {
  # Fields after the command name, which may hold spaces: utime and stime are the 12th and 13th.
  sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# The same to the nanosecond: the run times of the live threads (a thread that has ended is
# missed, but the game's and the baseline's threads live as long as they do).
cpu_ns() {
  local task sum=0 ns rest
  for task in /proc/"$1"/task/*/schedstat; do
    read -r ns rest <"$task" 2>/dev/null && sum=$((sum + ns))
  done
  echo "$sum"
}

# Both readings of each process, and the time: "<game ticks> <game ns> <base ticks> <base ns> <t>".
sample() {
  echo "$(cpu_ticks "$1") $(cpu_ns "$1") $(cpu_ticks "$2") $(cpu_ns "$2") $(now)"
}

# What a span cost: "<game ticks> <game ns> <base ticks> <base ns> <seconds>".
span_between() {
  local a b
  read -ra a <<<"$1"
  read -ra b <<<"$2"
  echo "$((b[0] - a[0])) $((b[1] - a[1])) $((b[2] - a[2])) $((b[3] - a[3]))" \
    "$(awk -v a="${a[4]}" -v b="${b[4]}" 'BEGIN { printf "%.1f", b - a }')"
}

vmhwm_kib() {
  awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"
}

now() { echo "$EPOCHREALTIME"; }

window_of() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true
}

wait_for_window() {
  local title=$1 id deadline=$((SECONDS + patience_s))
  while ((SECONDS < deadline)); do
    id=$(window_of "$title")
    [[ -n $id ]] && { echo "$id"; return; }
    sleep 0.1
  done
  log "no window \"$title\" within ${patience_s}s"
  exit 1
}

# The X calls that drive the game may race a window that is just closing (a message box the
# game takes down as it answers): such a miss is not worth ending the run for.
click_start() {
  xdotool mousemove --window "$1" "${start_button[@]}" click 1 2>/dev/null || true
}

# Answers a message box if one is open ("GOOD JOB!", "INVASION!", "Sorry, Game Over.") and, as
# the game may have stopped, presses Start again. Prints 1 if there was one.
answer_box() {
  local game=$1 box
  box=$(window_of "$box_title")
  [[ -z $box ]] && return
  xdotool key --window "$box" Return 2>/dev/null || true
  sleep 0.2
  click_start "$game"
  echo 1
}

# Half a sweep: `steps` cannon steps one way, firing every fourth step, 25 keys a second.
sweep() {
  local game=$1 key=$2 steps=$3 keys=() i
  for ((i = 1; i <= steps; ++i)); do
    keys+=("$key")
    ((i % 4 == 0)) && keys+=(space)
  done
  xdotool key --window "$game" --delay 40 "${keys[@]}" 2>/dev/null || true
}

# Sweeps the cannon left and right, firing, for `seconds`; prints how many boxes were answered.
play_for() {
  local game=$1 seconds=$2 boxes=0 key=Left steps=20
  local end
  end=$(awk -v t="$(now)" -v s="$seconds" 'BEGIN { printf "%.6f", t + s }')
  while awk -v t="$(now)" -v e="$end" 'BEGIN { exit !(t < e) }'; do
    sweep "$game" "$key" "$steps"
    [[ -n $(answer_box "$game") ]] && ((++boxes))
    if [[ $key == Left ]]; then key=Right; else key=Left; fi
    steps=40
  done
  echo "$boxes"
}

# ---- the trace -----------------------------------------------------------------------------

# Lines "starveil.trace: <mono ns> <cpu ns> <event> <subject>" of the trace file. The readers
# below never stop a pipe early: with pipefail, a writer cut off would end the script.
trace_lines() { grep -a '^starveil.trace: ' "$1" || true; }

wait_for_trace() {
  local file=$1 pattern=$2 seconds=$3 deadline=$((SECONDS + $3))
  while ((SECONDS < deadline)); do
    grep -aqE "$pattern" "$file" && return 0
    sleep 0.2
  done
  return 1
}

# The game's shot timer, and the baseline's timer of the same interval.
readonly shot_timer=tmrBulletsMove
readonly baseline_timer=30ms

lines_in() { trace_lines "$1" | wc -l; }

# How many ticks of `timer` have ended since line `from` of the trace.
ticks_ended() { trace_lines "$1" | tail -n "+$2" | grep -c " tick-end $3\$" || true; }

# Mean and p99 of the gaps from the end of one tick of `timer` to the start of the next, over
# `count` gaps from line `from` of the trace on. Prints "<mean ms> <p99 ms> <gaps>".
tick_gaps() {
  local file=$1 from=$2 count=$3 timer=$4
  trace_lines "$file" | tail -n "+$from" | awk -v want="$count" -v timer="$timer" '
    $5 != timer { next }
    $4 == "tick-end" { ended = $2; next }
    $4 == "tick-start" && ended != "" && n < want { gap[n++] = ($2 - ended) / 1e6; ended = "" }
    END {
      if (n == 0) { print "- - 0"; exit }
      for (i = 0; i < n; ++i) sum += gap[i]
      # Insertion sort: a few hundred values.
      for (i = 1; i < n; ++i) { v = gap[i]; for (j = i - 1; j >= 0 && gap[j] > v; --j) gap[j + 1] = gap[j]; gap[j + 1] = v }
      k = int(0.99 * n + 0.999999) - 1; if (k < 0) k = 0
      printf "%.2f %.2f %d\n", sum / n, gap[k], n
    }'
}

# ---- the report ----------------------------------------------------------------------------

verdict() { awk -v v="$1" -v t="$2" 'BEGIN { if (v != "" && v + 0 <= t + 0) print "met"; else print "MISSED" }'; }

row() { printf "%-34s %-34s %-10s %s\n" "$@"; }

# ---- run 1: CPU time and memory ------------------------------------------------------------

cpu_run() {
  log "run 1: CPU time and memory, trace off"
  "$out/tools/baseline" 2>"$work/baseline.log" &
  local baseline=$!
  pids+=("$baseline")
  "$out/game/starveil" 2>"$work/game1.log" &
  local game_pid=$!
  pids+=("$game_pid")

  wait_for_window "Form1" >/dev/null
  local game
  game=$(wait_for_window "$game_title")
  sleep 2 # the splash's last events and the first paints

  log "idle for ${span_s}s"
  local before
  before=$(sample "$game_pid" "$baseline")
  sleep "$span_s"
  idle=$(span_between "$before" "$(sample "$game_pid" "$baseline")")
  memory_idle=("$(vmhwm_kib "$game_pid")" "$(vmhwm_kib "$baseline")")

  log "scripted play for ${span_s}s"
  click_start "$game"
  before=$(sample "$game_pid" "$baseline")
  play_boxes=$(play_for "$game" "$span_s")
  play=$(span_between "$before" "$(sample "$game_pid" "$baseline")")
  [[ -n $(window_of "$box_title") ]] && ((++play_boxes))

  kill -0 "$game_pid" 2>/dev/null || { log "the game ended early; see $work/game1.log"; exit 1; }
  memory=("$(vmhwm_kib "$game_pid")" "$(vmhwm_kib "$baseline")")
  stop "$game_pid"
  stop "$baseline"
}

# ---- run 2: start-up, timer gaps and the loss sequence -------------------------------------

trace_run() {
  log "run 2: start-up, shot timer and cannon loss, trace on"
  local trace="$work/trace.log" base_trace="$work/baseline-trace.log"
  "$out/tools/baseline" --trace 2>"$base_trace" &
  local baseline=$!
  pids+=("$baseline")
  QT_LOGGING_RULES="starveil.trace.debug=true" QT_FORCE_STDERR_LOGGING=1 \
    QT_MESSAGE_PATTERN='%{if-category}%{category}: %{endif}%{message}' \
    "$out/tools/stamp_exec" "$PWD/$out/game/starveil" 2>"$trace" &
  local game_pid=$!
  pids+=("$game_pid")

  wait_for_trace "$trace" ' first-paint Form1$' "$patience_s" ||
    { log "the splash never painted"; exit 1; }
  first_paint_ms=$(trace_lines "$trace" | awk '
    $4 == "exec" { start = $2 }
    $4 == "first-paint" && $5 == "Form1" && !done { printf "%.1f\n", ($2 - start) / 1e6; done = 1 }')

  local game
  game=$(wait_for_window "$game_title")
  sleep 2

  log "idle for $shot_ticks shot ticks"
  local from base_from
  from=$(($(lines_in "$trace") + 1)) base_from=$(($(lines_in "$base_trace") + 1))
  wait_for_ticks "$trace" "$from" "$shot_ticks"
  idle_gaps=$(tick_gaps "$trace" "$from" "$shot_ticks" "$shot_timer")
  idle_base_gaps=$(tick_gaps "$base_trace" "$base_from" "$shot_ticks" "$baseline_timer")

  log "scripted play for $shot_ticks shot ticks"
  click_start "$game"
  from=$(($(lines_in "$trace") + 1)) base_from=$(($(lines_in "$base_trace") + 1))
  # 300 ticks take a little over 9 s; the sweeps go on until they are all in.
  play_for "$game" 10 >/dev/null
  while (($(ticks_ended "$trace" "$from" "$shot_timer") <= shot_ticks)); do
    play_for "$game" 2 >/dev/null
  done
  play_gaps=$(tick_gaps "$trace" "$from" "$shot_ticks" "$shot_timer")
  play_base_gaps=$(tick_gaps "$base_trace" "$base_from" "$shot_ticks" "$baseline_timer")

  log "the cannon stands still until a rocket hits it (up to ${loss_patience_s}s)"
  answer_box "$game" >/dev/null
  click_start "$game" # lives to lose
  from=$(($(lines_in "$trace") + 1))
  local deadline=$((SECONDS + loss_patience_s)) next_move=$((SECONDS + loss_move_s)) key=Left
  local moves=0
  loss=
  while ((SECONDS < deadline)); do
    # Rockets may keep missing where the cannon stands: after a while it stands elsewhere, in
    # ever wider swings about its first place, unless a loss has begun.
    if ((SECONDS >= next_move)) && (($(losses_begun "$trace" "$from") == 0)); then
      sweep "$game" "$key" $((12 * ++moves))
      if [[ $key == Left ]]; then key=Right; else key=Left; fi
      next_move=$((SECONDS + loss_move_s))
    fi
    loss=$(trace_lines "$trace" | tail -n "+$from" | awk '
      $4 == "loss-start" { wall = $2; cpu = $3 }
      $4 == "loss-end" && wall != "" && !done {
        printf "%.2f %.3f\n", 100 * ($3 - cpu) / ($2 - wall), ($2 - wall) / 1e9
        done = 1
      }')
    [[ -n $loss ]] && break
    answer_box "$game" >/dev/null
    sleep 0.5
  done
  stop "$game_pid"
  stop "$baseline"
}

losses_begun() { trace_lines "$1" | tail -n "+$2" | grep -c ' loss-start' || true; }

# Waits until `count` + 1 shot ticks have ended, for `count` whole gaps.
wait_for_ticks() {
  local file=$1 from=$2 count=$3 deadline=$((SECONDS + patience_s))
  while ((SECONDS < deadline)); do
    (($(ticks_ended "$file" "$from" "$shot_timer") > count)) && return
    sleep 0.5
  done
  log "the shot timer stopped ticking"
  exit 1
}

# ---- main ----------------------------------------------------------------------------------

# Builds, then runs itself again on a desktop of its own to measure.
if [[ ${1:-} != --on-desktop ]]; then
  build
  tools/setup.sh desktops
  exec tools/desktop.sh x "$0" --on-desktop
fi
# The last run's logs and traces stay here for a closer look.
readonly work="$out/run"
rm -rf "$work"
mkdir -p "$work"
cpu_run
trace_run

# Prints "<game> / <baseline> = <ratio> x" for two CPU times in ns.
cpu_pair() {
  awk -v g="$1" -v b="$2" 'BEGIN {
    r = (b > 0 ? g / b : 0)
    printf "%.3f s / %.3f s = %.2f x\n", g / 1e9, b / 1e9, r
  }'
}
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
ratio_of() { awk -v g="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? g / b : 999) }'; }

read -r idle_gt idle_gns idle_bt idle_bns idle_s <<<"$idle"
read -r play_gt play_gns play_bt play_bns play_s <<<"$play"
idle_ratio=$(ratio_of "$idle_gns" "$idle_bns")
play_ratio=$(ratio_of "$play_gns" "$play_bns")
memory_idle_ratio=$(ratio_of "${memory_idle[0]}" "${memory_idle[1]}")
memory_ratio=$(ratio_of "${memory[0]}" "${memory[1]}")
read -r idle_mean idle_p99 idle_n <<<"$idle_gaps"
read -r idle_bmean idle_bp99 _ <<<"$idle_base_gaps"
read -r play_mean play_p99 play_n <<<"$play_gaps"
read -r play_bmean play_bp99 _ <<<"$play_base_gaps"

changes=$(git diff --quiet HEAD -- src 2>/dev/null || echo ' with uncommitted changes')
echo
echo "Starveil beside the baseline: $(git rev-parse --short HEAD)$changes," \
  "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
row "figure" "game / baseline" "target" "verdict"
row "idle CPU, ${idle_s} s" "$(cpu_pair "$idle_gns" "$idle_bns")" "<= 1.2 x" \
  "$(verdict "$idle_ratio" 1.2)"
row "scripted play CPU, ${play_s} s" "$(cpu_pair "$play_gns" "$play_bns")" "<= 3 x" \
  "$(verdict "$play_ratio" 3)"
if [[ -n $loss ]]; then
  read -r share loss_s <<<"$loss"
  row "cannon loss sequence, ${loss_s} s" "${share} % of a core" "<= 5 %" "$(verdict "$share" 5)"
else
  row "cannon loss sequence" "no hit within ${loss_patience_s} s" "<= 5 %" "not measured"
fi
row "peak resident memory, before Start" \
  "$(mib "${memory_idle[0]}") MiB / $(mib "${memory_idle[1]}") MiB = ${memory_idle_ratio} x" \
  "<= 1.3 x" "$(verdict "$memory_idle_ratio" 1.3)"
row "peak resident memory, after play" \
  "$(mib "${memory[0]}") MiB / $(mib "${memory[1]}") MiB = ${memory_ratio} x" "<= 1.3 x" \
  "$(verdict "$memory_ratio" 1.3)"
row "start to splash first paint" "${first_paint_ms} ms" "<= 150 ms" \
  "$(verdict "$first_paint_ms" 150)"
row "shot timer gap p99, idle (${idle_n})" "${idle_p99} ms / ${idle_bp99} ms" "<= 31 ms" \
  "$(verdict "$idle_p99" 31)"
row "shot timer gap mean, idle" "${idle_mean} ms / ${idle_bmean} ms" "" ""
row "shot timer gap p99, play (${play_n})" "${play_p99} ms / ${play_bp99} ms" "<= 31 ms" \
  "$(verdict "$play_p99" 31)"
row "shot timer gap mean, play" "${play_mean} ms / ${play_bmean} ms" "" ""
echo
echo "CPU times are summed from /proc/PID/task/*/schedstat (ns); /proc/PID/stat counted" \
  "idle $idle_gt / $idle_bt and play $play_gt / $play_bt ticks of 1/${clk_tck} s."
echo "Peak resident memory is VmHWM; a message box shown in play raises the game's."
echo "The baseline's gaps are those of its 30 ms timer over the same spans."
((play_boxes > 0)) && echo "The game showed $play_boxes message box(es) in the play span."
echo "Logs and traces: $work/"
