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
expect 0 "wrote $out/panel-main_panel.png \(Main Panel: 42 gauges\)" -- "$tool" render -o "$out/panel.png"
expect 0 '^korvel-panel: 58 of 58 Korvel_Instr gauge lines placed, 0 lines of other modules, 0 lines not read$' -- \
  "$tool" render -o "$out/panel.png"
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
expect 0 '^Heading bug adjust knob \(45°\)$' -- "$tool" tooltip Directional_Gyro 230 260 --set 855=45.5

# A configuration with lines of other modules and a line of this module that
# names no gauge: the rest is drawn, the report counts each kind of line, and
# the exit status says a line of this module was not placed.
printf '[Window Titles]\r\nWindow00=Tableau de bord \351t\351\r\n[Window00]\r\nsize_mm=400,200\r\n%s\r\n%s\r\n%s\r\n%s\r\n' \
  'gauge00=Korvel_Instr!Airspeed, 0, 0, 200' 'gauge01=Cessna!Clock, 200, 0, 100, 100' \
  'gauge02=Korvel_Instr!Clok, 200, 0, 200' 'gauge03=Korvel_Instr!Clock, 200, 0' > "$out/bad.cfg"
expect 2 'bad.cfg:7: error: gauge02: Korvel_Instr has no gauge named "Clok"' -- "$tool" render "$out/bad.cfg" -o "$out/bad.png"
expect 2 "wrote $out/bad-window0.png \(Tableau de bord été: 2 gauges\)" -- "$tool" render "$out/bad.cfg" -o "$out/bad.png"
expect 2 '^korvel-panel: 2 of 3 Korvel_Instr gauge lines placed, 1 line of other modules, 0 lines not read$' -- \
  "$tool" render "$out/bad.cfg" -o "$out/bad.png"
[ -s "$out/bad.png" ] || fail "the bad configuration drew nothing"

# Every line placed: status 0, even with another module's gauges and warnings.
printf '[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=400,200\ngauge00=Korvel_Instr!Airspeed, 0, 0\n%s\n%s\n' \
  'gauge01=Cessna!Clock, 200, 0, 100, 100' 'gauge02=korvel_instr!clock, 200, 0, 100' > "$out/good.cfg"
expect 0 'good.cfg:7: warning: gauge02: the gauge is spelled Clock in Korvel_Instr' -- \
  "$tool" render "$out/good.cfg" -o "$out/good.png"
expect 0 '^korvel-panel: 2 of 2 Korvel_Instr gauge lines placed, 1 line of other modules' -- \
  "$tool" render "$out/good.cfg" -o "$out/good.png"

# The checker: one finding a line in the compilers' form, a count, status 1 on errors.
messy="$source/tests/data/check/messy_panel.cfg"
expect 1 "messy_panel.cfg:9: warning: \"tgps_panel\": window names are read in capitals only" -- "$tool" check "$messy"
expect 1 'messy_panel.cfg:10: warning: "c//": c is followed by a comment' -- "$tool" check "$messy"
expect 1 'messy_panel.cfg:11: note: click opens window 225' -- "$tool" check "$messy"
expect 1 'messy_panel.cfg:24: error: gauge15: Korvel_Instr has no gauge named "Airspeedo"' -- "$tool" check "$messy"
expect 1 '^1 error, [0-9]+ warnings$' -- "$tool" check "$messy"
expect 2 'retrofit/panel.cfg:35: error: gauge15' -- "$tool" render "$source/examples/retrofit/panel.cfg" -o "$out/retrofit.png"
expect 2 "wrote $out/retrofit-vc-vc_panel.png \(VC_Panel: 3 gauges\)" -- \
  "$tool" render "$source/examples/retrofit/panel.cfg" -o "$out/retrofit.png"
expect 0 '^0 errors, [0-9]+ warnings?$' -- "$tool" check "$source/examples/panel.cfg"
expect 1 'cannot read the panel configuration' -- "$tool" check "$out/missing.cfg"

# A failed pitot-static system shows on the panel: in cruise the airspeed
# needle rests at its stop instead of showing 290 kt.
cruise="$source/examples/states/cruise.flt"
expect 0 'wrote' -- "$tool" render --state "$cruise" --window main_panel -o "$out/fail1.png"
expect 0 'wrote' -- "$tool" render --state "$cruise" --fail pitot_static --window main_panel -o "$out/fail2.png"
cmp -s "$out/fail1.png" "$out/fail2.png" && fail "the pitot-static failure changed nothing on the panel"
expect 1 "no instrument fails by the key 'wings'" -- "$tool" render --fail wings -o "$out/x.png"

# Errors end the tool.
expect 1 'cannot read the panel configuration' -- "$tool" render "$out/missing.cfg" -o "$out/x.png"
expect 1 'cannot read the flight state' -- "$tool" render --state "$out/missing.flt" -o "$out/x.png"
expect 1 'no simulator variable has token 5000' -- "$tool" render --set 5000=1 -o "$out/x.png"
expect 1 'the panel places no gauge Radio_XYZ' -- "$tool" render --click Radio_XYZ 1 1 left -o "$out/x.png"
expect 1 'left or right' -- "$tool" render --click Radio_COM 1 1 middle -o "$out/x.png"
expect 1 'the panel has no window nowhere' -- "$tool" render --window nowhere -o "$out/x.png"
expect 1 "whole numbers of the gauge's pixels, not 'ten'" -- "$tool" render --click Radio_COM ten 1 left -o "$out/x.png"
expect 1 'updates' -- "$tool" render --updates many -o "$out/x.png"
expect 1 'cannot write /no/such/folder/x.png' -- "$tool" render --window main_panel -o /no/such/folder/x.png
# The editor writes only the file it was started with: without one it does not start.
expect 1 '--edit needs the panel.cfg to edit' -- "$tool" serve --edit --port 1

[ "$failures" -eq 0 ] && echo "korvel-panel: all checks passed"
exit $((failures > 0))
