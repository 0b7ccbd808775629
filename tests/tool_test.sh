#!/usr/bin/env bash
# korvel-panel on the command line: what it prints, what it writes, and how
# it refuses what it cannot use.
set -u
tool=$1 source=$2 out=$3 sanitized=${4:-0}
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
expect 0 '^Airspeed indicator \(help 0x3002\)$' -- "$tool" tooltip Airspeed 150 150
expect 0 '^Show or hide the radio stack \(help 0xAB86\)$' -- "$tool" tooltip Radios_Toggle 5 5
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

# --window N is [WindowNN], ident=N the window of that ident, a name any case.
printf '[Window Titles]\nWindow00=First\nWindow01=Second\n[Window00]\nsize_mm=50\nident=1\n[Window01]\nsize_mm=60\nident=0\n' \
  > "$out/swapped.cfg"
expect 0 "wrote $out/w.png \(Second: 0 gauges\)" -- "$tool" render "$out/swapped.cfg" --window 1 -o "$out/w.png"
expect 0 "wrote $out/w.png \(First: 0 gauges\)" -- "$tool" render "$out/swapped.cfg" --window 0 -o "$out/w.png"
expect 0 "wrote $out/w.png \(First: 0 gauges\)" -- "$tool" render "$out/swapped.cfg" --window ident=1 -o "$out/w.png"
expect 0 "wrote $out/w.png \(Second: 0 gauges\)" -- "$tool" render "$out/swapped.cfg" --window main_PANEL -o "$out/w.png"
expect 0 "wrote $out/w.png \(Radio Stack: 7 gauges\)" -- "$tool" render --window RADIO_STACK_PANEL -o "$out/w.png"
# The names offered are the ones that reach the window: "1" is [Window01]'s.
expect 1 '^  0 or ident=1: \[Window00\] "First"' -- "$tool" render "$out/swapped.cfg" --window nowhere -o "$out/w.png"
expect 1 '^  1 or ident=0: \[Window01\] "Second"' -- "$tool" render "$out/swapped.cfg" --window nowhere -o "$out/w.png"

# Two textures of one name and two windows of one ident: a picture each.
printf '[Window Titles]\nWindow00=A\nWindow01=B\n%b\n%b\n%b\n' \
  '[Window00]\nsize_mm=50\nident=MAIN_PANEL\n[Window01]\nsize_mm=50\nident=MAIN_PANEL' \
  '[VCockpit01]\nsize_mm=64\ntexture=$NONE\ngauge00=Korvel_Instr!Clock, 0, 0, 64' \
  '[VCockpit02]\nsize_mm=64\ntexture=$NONE\ngauge00=Korvel_Instr!Airspeed, 0, 0, 64' > "$out/twins.cfg"
expect 0 'twins.cfg:16: warning: \[VCockpit02\] draws on the texture \$NONE, as \[VCockpit01\] \(line 12\) does' -- \
  "$tool" check "$out/twins.cfg"
"$tool" render "$out/twins.cfg" -o "$out/twins.png" >/dev/null 2>&1 || fail "the twins did not draw"
for picture in twins-main_panel twins-main_panel-window01 twins-vc-none twins-vc-none-vcockpit02; do
  [ -s "$out/$picture.png" ] || fail "no $picture.png: two windows wrote one file"
done
cmp -s "$out/twins-vc-none.png" "$out/twins-vc-none-vcockpit02.png" && fail "the two textures drew the same"

# A window too large to draw leaves the others drawn, and says so.
printf '[Window Titles]\nWindow00=Main\nWindow01=Huge\n[Window00]\nsize_mm=100,50\n[Window01]\nsize_mm=30000,200\n' \
  > "$out/huge.cfg"
expect 2 "huge.cfg:7: warning: \[Window01\] is 30000 by 200 units, larger than any screen" -- \
  "$tool" render "$out/huge.cfg" -o "$out/huge.png"
[ -s "$out/huge-window0.png" ] && [ -s "$out/huge.png" ] || fail "the main window and the overview were not written"
expect 0 'huge.cfg:7: warning: \[Window01\] is 30000 by 200 units' -- "$tool" check "$out/huge.cfg"

# A window closed as the panel loads is named, and --all-windows draws it.
printf '[Window Titles]\nWindow00=Main\nWindow01=Radios\n[Window00]\nsize_mm=100,50\nident=MAIN_PANEL\n%b\n%b\n' \
  'gauge00=Korvel_Instr!Compass_Toggle, 0, 0, 19, 19, aMAIN_PANEL' \
  '[Window01]\nsize_mm=100,50\nident=RADIO_STACK_PANEL' > "$out/closing.cfg"
expect 0 '\[Window00\] "Main" \(MAIN_PANEL\) is not drawn: line 7.s Compass_Toggle closes it when the panel loads' -- \
  "$tool" render "$out/closing.cfg" -o "$out/closing.png"
expect 0 "wrote $out/closing-main_panel.png \(Main: 1 gauge, hidden\)" -- \
  "$tool" render "$out/closing.cfg" --all-windows -o "$out/closing.png"
expect 0 "wrote $out/closing.png \(2 windows\)" -- "$tool" render "$out/closing.cfg" --all-windows -o "$out/closing.png"
expect 1 'excludes' -- "$tool" render --all-windows --window 0 -o "$out/x.png"

# A gauge line too long to read, and keys the simulator does not read: not
# placed, and the statuses say so.
{
  printf '[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=400,200\n'
  printf 'gauge00=Korvel_Instr!Clock, 0, 0, 100, 100, t // %0200d\n' 0
  printf 'gauge01=Korvel_Instr!Airspeed, 100, 0, 100\ngauge01=Korvel_Instr!Altimeter, 200, 0, 100\n'
  printf 'gauge5=Korvel_Instr!Attitude, 300, 0, 100\n'
} > "$out/lost.cfg"
expect 1 'lost.cfg:5: error: gauge00: the line is 249 characters long, and the simulator reads none longer than 199' -- \
  "$tool" check "$out/lost.cfg"
expect 1 'lost.cfg:7: error: gauge01: gauge01 is also on line 6, and the simulator reads only the first' -- \
  "$tool" check "$out/lost.cfg"
expect 1 'lost.cfg:8: error: gauge5: the simulator reads gauge keys of two digits' -- "$tool" check "$out/lost.cfg"
expect 2 '^korvel-panel: 1 of 4 Korvel_Instr gauge lines placed' -- "$tool" render "$out/lost.cfg" -o "$out/lost.png"

# What is no panel is refused as such.
mkdir -p "$out/folder.cfg"
expect 1 'folder.cfg is a folder, not a panel configuration file' -- "$tool" check "$out/folder.cfg"
: > "$out/empty.cfg"
expect 1 'empty.cfg: error: the file is empty' -- "$tool" check "$out/empty.cfg"
expect 1 'empty.cfg has no window to draw' -- "$tool" render "$out/empty.cfg" -o "$out/x.png"
head -c 5000000 /dev/urandom > "$out/junk.cfg"
expect 1 'junk.cfg: error: not a text file' -- "$tool" check "$out/junk.cfg"
[ "$("$tool" check "$out/junk.cfg" | wc -l)" -le 3 ] || fail "binary junk gave more than its one error"
printf '\357\273\277[Window Titles]\r\nWindow00=Main\r\n[Window00]\r\nsize_mm=100\r\n' > "$out/marked.cfg"
expect 0 'marked.cfg:1: warning: the file starts with a UTF-8 byte-order mark' -- "$tool" check "$out/marked.cfg"
expect 0 '^0 errors, 1 warning$' -- "$tool" check "$out/marked.cfg"

# The checker's options: JSON for scripts, --quiet for warnings alone, and
# the module's gauges the panel leaves unused.
"$tool" check "$messy" --format json > "$out/messy.json"
python3 - "$out/messy.json" <<'PYTHON' || fail "check --format json: $(head -c 600 "$out/messy.json")"
import json, sys
report = json.load(open(sys.argv[1]))
findings = report["findings"]
keys = {"file", "line", "severity", "code", "message", "gauge", "window"}
assert all(set(f) == keys and f["code"] for f in findings), findings
assert report["errors"] == 1 and report["warnings"] == sum(f["severity"] == "warning" for f in findings)
misread = [f for f in findings if f["code"] == "window-misread" and f["line"] == 9]
assert misread and misread[0]["gauge"] == "GPS_Toggle" and misread[0]["window"] == "Window00", misread
assert "Shut_Down" in report["unused_gauges"] and "Radio_COM" not in report["unused_gauges"]
PYTHON
"$tool" check "$messy" --quiet | grep -q ': note: ' && fail "check --quiet printed notes"
expect 1 '^1 error, [0-9]+ warnings$' -- "$tool" check "$messy" --quiet
expect 1 '^unused: 44 of the module.s 58 gauges: Shut_Down, Engine_On, ATC_Toggle' -- "$tool" check "$messy"
expect 0 '^every gauge of the module is placed$' -- "$tool" check "$source/examples/panel.cfg"
expect 1 'format' -- "$tool" check "$messy" --format xml

# render's options: areas over a grid, and pictures beside the panel without -o.
expect 0 'wrote' -- "$tool" render --window main_panel --areas -o "$out/areas.png"
expect 0 'wrote' -- "$tool" render --window main_panel -o "$out/plain.png"
cmp -s "$out/areas.png" "$out/plain.png" && fail "--areas drew nothing"
mkdir -p "$out/beside" && cp "$out/good.cfg" "$out/beside/my_panel.cfg"
expect 0 "wrote $out/beside/my_panel-window0.png" -- "$tool" render "$out/beside/my_panel.cfg"
[ -s "$out/beside/my_panel.png" ] || fail "render without -o wrote no overview beside the panel"

expect 1 "no instrument fails by the key 'wings'; the keys are engine \(2\), pitot_static \(3\)" -- \
  "$tool" render --fail wings -o "$out/x.png"
expect 0 '^Communications Radio COM1 - 121.800 MHz$' -- "$tool" tooltip radio_com 100 20

# A panel of 7 500 gauge lines, most of them one radio: check's memory
# follows the file, not the copies times the copies.
awk 'BEGIN {
  split("Radio_COM Radio_COM Radio_COM Radio_COM GPS_Toggle", g, " ")
  print "[Window Titles]"; for (w = 0; w < 500; w++) printf "Window%02d=W%d\n", w, w
  for (w = 0; w < 500; w++) {
    printf "[Window%02d]\nsize_mm=1024,768\nident=%d\n", w, 20000 + w
    for (l = 0; l < 15; l++)
      printf "gauge%02d=Korvel_Instr!%s, %d, %d, 60,, tGPS_PANEL // %d\n", l, g[l % 5 + 1], (l % 5) * 200, int(l / 5) * 250, l
  }
}' > "$out/large.cfg"
# AddressSanitizer's shadow and redzones roughly triple what a build uses.
limit_mb=$((sanitized ? 600 : 200))
peak_kb=$(ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16 python3 -c '
import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$tool" check "$out/large.cfg")
[ "$peak_kb" -lt $((limit_mb * 1024)) ] || fail "check of 7 500 gauge lines took $((peak_kb / 1024)) MB, over $limit_mb MB"

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
expect 1 'the panel has no window nowhere; --window takes' -- "$tool" render --window nowhere -o "$out/x.png"
expect 1 '^  1, radio_stack_panel or ident=RADIO_STACK_PANEL: \[Window01\] "Radio Stack"' -- \
  "$tool" render --window nowhere -o "$out/x.png"
expect 1 "whole numbers of the gauge's pixels, not 'ten'" -- "$tool" render --click Radio_COM ten 1 left -o "$out/x.png"
expect 1 'updates' -- "$tool" render --updates many -o "$out/x.png"
expect 1 'cannot write /no/such/folder/x.png' -- "$tool" render --window main_panel -o /no/such/folder/x.png
# The editor writes only the file it was started with: without one it does not start.
expect 1 '--edit needs the panel.cfg to edit' -- "$tool" serve --edit --port 1

[ "$failures" -eq 0 ] && echo "korvel-panel: all checks passed"
exit $((failures > 0))
