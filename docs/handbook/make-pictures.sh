#!/usr/bin/env bash
# Makes the handbook's pictures from the programs themselves:
#   make-pictures.sh BIN_DIR HANDBOOK_DIR
# starts BIN_DIR/vantrel-sim, reads its stored measurements out with vantrel-cli read-memory,
# renders each as HANDBOOK_DIR/<lang>/pictures/demo-<n>.png (vantrel-cli render, numbers in
# the language's convention) and pictures the windows and dialogs with
# vantrel-handbook-shots (offscreen), for German and English.
set -euo pipefail
bin="$(cd "$1" && pwd)"
out="$2"
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [[ -n "$sim_pid" ]]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The simulated instrument (its stored measurements for the readout, its live stream for
# the online recording) prints its terminal's path on its first line.
start_sim() {
  sim_pid=""
  "$bin/vantrel-sim" --mode auto >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  for _ in $(seq 1 100); do
    [[ -s "$work/sim.out" ]] && break
    sleep 0.05
  done
  port="$(head -n 1 "$work/sim.out")"
  [[ -n "$port" ]] || { echo "make-pictures: vantrel-sim did not start" >&2; exit 1; }
}
stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}

# The programs' and Qt's own settings (the file dialogs' history) of these runs stay in the
# work folder: the user's settings are neither read nor changed.
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
start_sim
mkdir -p "$work/demo"
"$bin/vantrel-cli" read-memory --port "$port" --out "$work/demo" >"$work/demo.list"
stop_sim
mapfile -t demos <"$work/demo.list"
[[ ${#demos[@]} -gt 0 ]] || { echo "make-pictures: no measurement was read out" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen
for lang in GER ENG; do
  pictures="$out/$lang/pictures"
  mkdir -p "$pictures"
  rm -f "$pictures"/*.png
  if [[ $lang == GER ]]; then locale_name=de_DE.UTF-8; else locale_name=C; fi
  n=1
  for demo in "${demos[@]}"; do
    LC_ALL=$locale_name "$bin/vantrel-cli" --lang "$lang" render "$demo" "$pictures/demo-$n.png" --size 900x520
    n=$((n + 1))
  done
  start_sim
  # Qt's offscreen platform talks a lot; its output is shown only when something failed.
  if ! timeout 300 "$bin/vantrel-handbook-shots" --lang "$lang" --document "${demos[0]}" --out "$pictures" \
      --port "$port" >"$work/shots.log" 2>&1; then
    grep -v '^This plugin does not support' "$work/shots.log" >&2
    exit 1
  fi
  stop_sim
done
