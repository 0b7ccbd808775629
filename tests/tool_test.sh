#!/usr/bin/env bash
# korvel-panel on the command line: what it prints, what it writes, and how
# it refuses what it cannot use.
set -u
tool=$1 source=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# expect STATUS PATTERN -- COMMAND...: the exit status and a line of the output
expect() {
  local status=$1 pattern=$2; shift 3
  local output code
  output=$("$@" 2>&1); code=$?
  [ "$code" -eq "$status" ] || fail "'$*' exited $code, not $status: $output"
  LC_ALL=C grep -q -a -E -- "$pattern" <<<"$output" || fail "'$*' did not print /$pattern/: $output"
}

expect 0 '^58 gauges; 224 elements' -- "$tool" list
expect 0 '^ 1  Shut_Down' -- "$tool" list
expect 0 'parent help 0xAB86' -- "$tool" list --detailed

expect 0 "wrote $out/panel.png \(6 windows\)" -- "$tool" render -o "$out/panel.png"
for window in main_panel radio_stack_panel annunciator_panel mini_controls_panel throttle_panel compass_panel; do
  [ -s "$out/panel-$window.png" ] || fail "no picture of the $window window"
done
expect 0 "wrote $out/radios.png" -- "$tool" render --window radio_stack_panel \
  --click Radio_COM 270 20 left --state "$source/examples/states/cruise.flt" -o "$out/radios.png"
expect 0 'wrote' -- "$tool" render "$source/examples/panel.cfg" --state "$source/examples/states/ils_approach.flt" \
  --set 74=1200 --updates 5 -o "$out/ils.png"

expect 0 '^Communications Radio COM1 - 121.800 MHz$' -- "$tool" tooltip Radio_COM 100 20
expect 0 '^Communications Radio COM1 - 132.450 MHz$' -- "$tool" tooltip Radio_COM 100 20 \
  --state "$source/examples/states/cruise.flt"
expect 0 "simulator's help text 0x3002" -- "$tool" tooltip Airspeed 150 150
expect 0 '^Heading bug adjust knob \(45.\)$' -- "$tool" tooltip Directional_Gyro 230 260 --set 855=45.5

# A configuration with a bad line: reported with its number, the rest drawn.
cat > "$out/bad.cfg" <<'CFG'
[Window00]
size_mm=400,200
gauge00=Korvel_Instr!Airspeed, 0, 0, 200
gauge01=Cessna!Clock, 200, 0, 200
gauge02=Korvel_Instr!Clock, 200, 0, 200
CFG
expect 2 'bad.cfg:4: gauge01 names module Cessna' -- "$tool" render "$out/bad.cfg" -o "$out/bad.png"
[ -s "$out/bad.png" ] || fail "the bad configuration drew nothing"

# Errors end the tool.
expect 1 'cannot read the panel configuration' -- "$tool" render "$out/missing.cfg" -o "$out/x.png"
expect 1 'cannot read the flight state' -- "$tool" render --state "$out/missing.flt" -o "$out/x.png"
expect 1 'no simulator variable has token 5000' -- "$tool" render --set 5000=1 -o "$out/x.png"
expect 1 'the panel places no gauge Radio_XYZ' -- "$tool" render --click Radio_XYZ 1 1 left -o "$out/x.png"
expect 1 'left or right' -- "$tool" render --click Radio_COM 1 1 middle -o "$out/x.png"
expect 1 'the panel has no window nowhere' -- "$tool" render --window nowhere -o "$out/x.png"

[ "$failures" -eq 0 ] && echo "korvel-panel: all checks passed"
exit $((failures > 0))
