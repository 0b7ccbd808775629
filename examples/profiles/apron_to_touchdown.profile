; From engine start on the apron to touchdown, in eight minutes: start,
; taxi, take-off from runway 09, climb, a standard-rate right turn onto
; west, cruise at 12 000 ft, descent, the ILS to runway 27 and the landing
; roll.
; Each "at SECONDS" line starts a keyframe of token = value lines, in the
; simulator's units and signs (bank 80 is positive with the left wing down,
; so a right turn banks negative; turn rate 70 is positive to the right, in
; 1/256 units: 1152 is the needle on its 2 MIN mark, 3 degrees a second).
; Flight values glide from one keyframe to the next; handles, switches and
; radios step at their keyframe; the gear legs run in 6 s, the flaps in 4 s
; over their whole travel and the speed brake in 2 s.

at 0            ; cold on the apron, battery on, starter pressed
  364 = 1
  565 = 0
  740 = 0
  619 = 1
  368 = 1
  563 = 1
  627 = 0
  625 = 0
  620 = 0
  631 = 519.67
  561 = 519.67
  418 = 0
  732 = 61444
  759 = 24
  761 = 0
  279 = 1
  61 = 0
  74 = 460
  76 = 29.92
  65 = 0
  78 = 0
  80 = 0
  70 = 0
  69 = 0
  83 = 88
  84 = 88
  855 = 88
  45 = 268
  557 = 36000
  604 = 0
  351 = 624
  558 = 0
  330 = 0
  326 = 0
  332 = 16383
  333 = 16383
  334 = 16383
  320 = 16000
  321 = 16000
  289 = 7549747
  291 = 7549747
  293 = 7549747
  297 = 7549747
  299 = 7549747
  23 = 0x2180     ; ground 121.80
  24 = 0x0950     ; NAV1 on the ILS of runway 27, 109.50
  27 = 0x1330
  16 = 0x0345
  38 = 0x7000
  39 = 45
  550 = 270
  59 = 200
  40 = 0
  41 = 0
  43 = 0
  44 = 0

at 12           ; light-up
  563 = 0
  627 = 28
  625 = 30
  631 = 1391.67
  561 = 545.67
  418 = 2500
  759 = 26
  557 = 36012
  604 = 12

at 30           ; idling, generator and avionics on, gyro erected
  565 = 1
  740 = 1
  620 = 1
  627 = 52
  625 = 55
  631 = 1301.67
  561 = 599.67
  418 = 4200
  759 = 28
  761 = 30
  279 = 0
  13 = 1
  557 = 36030
  604 = 30
  558 = 0.08

at 40           ; brakes off, taxi
  320 = 0
  321 = 0
  61 = 0
  558 = 0.2
  627 = 60
  625 = 62
  557 = 36040
  604 = 40

at 80           ; lined up on runway 09, flaps for take-off
  23 = 0x1870     ; tower 118.70
  61 = 0
  330 = 5461
  558 = 0.2
  627 = 60
  625 = 62
  557 = 36080
  604 = 80

at 90           ; full power
  14 = 1
  558 = 1
  627 = 100
  625 = 100
  631 = 1661.67
  561 = 626.67
  418 = 5600
  761 = 50
  61 = 40
  557 = 36090
  604 = 90

at 110          ; rotate
  61 = 140
  78 = 10
  65 = 0
  74 = 460
  557 = 36110
  604 = 110

at 118          ; airborne
  61 = 165
  78 = 12
  65 = 2601       ; 2000 ft/min
  74 = 700
  351 = 780
  557 = 36118
  604 = 118

at 128          ; gear and flaps up
  332 = 0
  333 = 0
  334 = 0
  330 = 0
  14 = 0
  61 = 210
  78 = 10
  65 = 3901       ; 3000 ft/min
  74 = 1200
  351 = 624
  557 = 36128
  604 = 128

at 150          ; climbing right turn onto west: rolling in
  80 = 0
  70 = 0
  69 = 0
  83 = 88
  84 = 88
  61 = 250
  74 = 2300
  557 = 36150
  604 = 150

at 155          ; 35 degrees of right bank: 3 degrees a second at 255 kt true
  80 = -35
  70 = 1152
  83 = 95.5
  84 = 95.5

at 211          ; rolling out
  80 = -35
  70 = 1152
  83 = 262.5
  84 = 262.5

at 216          ; rolled out on west
  80 = 0
  70 = 0
  83 = 270
  84 = 270
  855 = 270
  61 = 260
  78 = 8
  65 = 3901
  74 = 5600
  557 = 36216
  604 = 216

at 260          ; levelling at 12 000 ft
  61 = 270
  78 = 4
  65 = 1300
  74 = 11600
  558 = 0.9
  627 = 96
  625 = 96
  631 = 1634.67
  561 = 653.67
  418 = 5200
  761 = 45
  557 = 36260
  604 = 260

at 275          ; cruise
  61 = 290
  78 = 2.5
  65 = 0
  74 = 12000
  289 = 7340032
  291 = 7340032
  297 = 7340032
  557 = 36275
  604 = 275

at 305          ; descent
  61 = 290
  78 = 2.5
  65 = 0
  74 = 12000
  558 = 0.9
  627 = 96
  625 = 96
  557 = 36305
  604 = 305

at 320
  558 = 0.4
  627 = 70
  625 = 70
  631 = 1409.67
  78 = -3
  65 = -3901      ; 3000 ft/min down
  61 = 280

at 360          ; slowing down for the approach, gear down
  74 = 3000
  61 = 190
  78 = -1
  65 = -1950
  332 = 16383
  333 = 16383
  334 = 16383
  330 = 8192
  14 = 1
  855 = 268
  83 = 268
  84 = 268
  40 = 60         ; localizer alive
  41 = 60
  43 = 1
  44 = 1
  557 = 36360
  604 = 360

at 375          ; on the ILS, full flaps, turning gently right onto the beam
  61 = 150
  74 = 1500
  78 = -2.5
  80 = -4
  70 = 195
  69 = 4
  65 = -910       ; 700 ft/min down
  330 = 16383
  558 = 0.62
  627 = 74
  625 = 74
  40 = 18
  41 = 22
  557 = 36375
  604 = 375

at 440          ; over the threshold
  61 = 135
  74 = 510
  78 = -2.5
  80 = 0
  70 = 0
  69 = 0
  40 = 0
  41 = 0
  557 = 36440
  604 = 440

at 446          ; touchdown
  61 = 125
  74 = 460
  78 = 2
  65 = 0
  351 = 900
  558 = 0.08
  627 = 55
  625 = 58
  557 = 36446
  604 = 446

at 470          ; rollout, brakes on
  61 = 30
  78 = 0
  351 = 624
  320 = 20000
  321 = 20000
  326 = 16383
  330 = 16383
  627 = 52
  625 = 55
  631 = 1301.67
  557 = 36470
  604 = 470
