// The flight instruments as a pilot reads and handles them: every pointer,
// card and picture at the readings printed on its face, the feel of every
// knob and switch, and each input of a picture varied on its own.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;
using ::PixelPoint;
using korvel::host::ElementState;
using korvel::host::PixelTravel;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double pi = 3.14159265358979323846;
constexpr double g = 624.0;                            // one g in the load factor's units
constexpr double per_ft_min = 256.0 / 60.0 / 3.28084;  // 1/256 m/s in one ft/min

enum { as_fine = 1, as_main = 2 };
enum { alt_disc = 1, alt_ten_thousand = 2, alt_thousand = 3, alt_hundred = 4 };
enum { vsi_metric_face = 1, vsi_metric_needle = 2, vsi_imperial_needle = 3 };
enum { att_horizon = 1, att_bank = 2, att_aircraft = 3, att_flag = 4 };
enum { tc_metric_face = 1, tc_ball = 2, tc_needle = 4 };
enum { dg_card = 1, dg_bug = 2, dg_setting_knob = 4, dg_bug_knob = 5 };
enum { dgs_card = 1, dgs_bug = 2 };
enum { clock_hour = 1, clock_minute = 2, clock_second = 3 };
enum { accel_load = 1, accel_min = 2, accel_max = 3 };
enum { cabin_face = 1, cabin_needle = 2 };

struct Pivot {
    double x, y;
};

// Degrees clockwise from twelve o'clock of a dial point seen from a pivot.
double bearing(Pivot p, double x, double y) {
    const double a = std::atan2(x - p.x, p.y - y) * 180.0 / pi;
    return a < 0.0 ? a + 360.0 : a;
}

// How far one dial direction lies from another, in (-180, 180].
double off_by(double angle, double wanted) {
    double d = std::fmod(angle - wanted, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

// The direction a fraction of the way clockwise from one direction to another.
double part_way(double from, double to, double fraction) {
    double turn = std::fmod(to - from, 360.0);
    if (turn < 0.0) turn += 360.0;
    return from + fraction * turn;
}

// A reading and where the face puts it: a dial point, or, where the face
// counts in turns, an angle clockwise from twelve o'clock (y left out).
struct Mark {
    double reading;
    double x;
    double y = nan;
};

// A moving part as its face pins it: the dial point it stands over (a
// needle's hub, a sprite's centre, a slider's or image's corner) and, for
// needles and sprites, that point's place in the part's own picture.
testing::AssertionResult pinned(const PlacedGauge& gauge, std::size_t element, PixelPoint at, PixelPoint centre = {}) {
    const ElementHeader& e = *gauge.element(element).record;
    if (e.position.x == at.x && e.position.y == at.y && e.centre.x == centre.x && e.centre.y == centre.y)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << gauge.name() << " element " << element << " stands at (" << e.position.x
                                       << ", " << e.position.y << ") with centre (" << e.centre.x << ", " << e.centre.y
                                       << ")";
}

struct Needle {
    std::size_t element;
    Pivot pivot;
    PixelPoint hub;  // in the needle's picture
};

testing::AssertionResult lands(const PlacedGauge& gauge, const Needle& needle, const Mark& m) {
    const auto where = pinned(gauge, needle.element, {int(needle.pivot.x), int(needle.pivot.y)}, needle.hub);
    if (!where) return where;
    const auto pose = gauge.needle_pose(needle.element);
    const bool by_angle = std::isnan(m.y);
    const double wanted = by_angle ? m.x : bearing(needle.pivot, m.x, m.y);
    bool ok = std::abs(off_by(pose.angle, wanted)) < 1e-6;
    if (!by_angle) ok = ok && std::abs(pose.x - m.x) < 1e-6 && std::abs(pose.y - m.y) < 1e-6;
    if (ok) return testing::AssertionSuccess();
    auto failure = testing::AssertionFailure()
                   << gauge.name() << " element " << needle.element << " at reading " << m.reading << " points at "
                   << pose.angle << " deg (" << pose.x << ", " << pose.y << "), not at " << wanted << " deg";
    if (!by_angle) failure << " (" << m.x << ", " << m.y << ")";
    return failure;
}

// Sets each reading (times the variable's units per reading) and checks the mark.
void expect_marks(Host& host, const PlacedGauge& gauge, const Needle& needle, std::uint32_t token, double unit,
                  std::initializer_list<Mark> marks) {
    for (const Mark& m : marks) {
        set_and_update(host, token, m.reading * unit);
        EXPECT_TRUE(lands(gauge, needle, m));
    }
}

// The turn a sprite is drawn with, in degrees (its value times its scale).
double sprite_turn(const PlacedGauge& gauge, std::size_t sprite) {
    const auto& record = *reinterpret_cast<const SpriteElement*>(gauge.element(sprite).record);
    return gauge.element(sprite).rotation * record.rotation_scale;
}

// How far a sprite is drawn below its resting place, in pixels.
double sprite_drop(const PlacedGauge& gauge, std::size_t sprite) {
    const auto& record = *reinterpret_cast<const SpriteElement*>(gauge.element(sprite).record);
    return gauge.element(sprite).y * record.y_scale;
}

// How far a slider is drawn right of and below its resting place, in pixels.
PixelTravel slider_shift(const PlacedGauge& gauge, std::size_t slider) {
    const auto& record = *reinterpret_cast<const SliderElement*>(gauge.element(slider).record);
    return {gauge.element(slider).x * record.x_scale, gauge.element(slider).y * record.y_scale};
}

// A knob's or a disc's picture: a needle's angle, or a sprite's turn.
double picture_angle(const PlacedGauge& gauge, std::size_t element) {
    if (gauge.element(element).record->kind == element_sprite) return sprite_turn(gauge, element);
    return gauge.needle_pose(element).angle;
}

std::optional<std::int32_t> face_if(bool shown, std::int32_t bitmap) {
    return shown ? std::optional<std::int32_t>(bitmap) : std::nullopt;
}

// -- Where the readings land ----------------------------------------------

TEST(PitotStaticFaces, EveryPointerStandsOnTheReadingPrintedForIt) {
    Host host;
    PlacedGauge& as = host.place("Airspeed");
    PlacedGauge& alt = host.place("Altimeter");
    PlacedGauge& vsi = host.place("Vertical_Speed");
    PlacedGauge& tc = host.place("Turn_Coordinator");

    // The main pointer turns half a dial from 0 to 500 kt and on to the 600
    // mark, where it stays; the fine pointer goes once round per 100 kt.
    const Needle main{as_main, {150, 150}, {24, 15}}, fine{as_fine, {150, 150}, {13, 8}};
    const double mark_600 = bearing(main.pivot, 106, 211);
    // clang-format off
    expect_marks(host, as, main, 61, 1.0,
                 {{0, 150, 80}, {100, 36}, {250, 90}, {400, 144}, {500, 150, 220}, {550, part_way(180, mark_600, 0.5)},
                  {600, 106, 211}, {700, 106, 211}, {5000, 106, 211}});
    // clang-format on
    expect_marks(host, as, fine, 61, 1.0,
                 {{0, 150, 40}, {10, 36}, {25, 90}, {50, 150, 260}, {90, 324}, {100, 0}, {150, 150, 260}, {625, 90}});

    // Each altimeter pointer goes once round its 0-9 digits per 1000,
    // 10 000 and 100 000 ft; below sea level the 100 ft pointer rests on 0
    // while the others turn back.
    const struct {
        Needle pointer;
        double feet_per_turn;
    } pointers[] = {{{alt_hundred, {132, 132}, {35, 13}}, 1000},
                    {{alt_thousand, {132, 132}, {33, 14}}, 10000},
                    {{alt_ten_thousand, {132, 132}, {-41, 6}}, 100000}};
    for (double feet : {-300.0, -1.0, 100.0, 999.0, 1000.0, 12345.0, 99999.0}) {
        set_and_update(host, 74, feet);
        for (const auto& p : pointers) {
            const bool resting = p.pointer.element == alt_hundred && feet < 0;
            EXPECT_TRUE(
                lands(alt, p.pointer, resting ? Mark{feet, 132, 82} : Mark{feet, feet / p.feet_per_turn * 360}));
        }
    }
    for (const auto& p : pointers)
        expect_marks(host, alt, p.pointer, 74, p.feet_per_turn, {{0, 132, 82}, {0.5, 132, 182}});
    // The barometric disc turns 90 degrees per inch of mercury from 29.9 and
    // stops at the window's ends, 27.9 and 31.5; no setting leaves it loose.
    EXPECT_TRUE(pinned(alt, alt_disc, {198, 104}, {131, 134}));
    // clang-format off
    const std::pair<double, double> settings[] = {{27.9, -180}, {27.91, -179.1}, {29.9, 0},  {30.4, 45},
                                                  {31.49, 143.1}, {31.5, 144},   {32.4, 144}, {20, -180},
                                                  {nan, -180}};
    // clang-format on
    for (const auto& [setting, degrees] : settings) {
        set_and_update(host, 76, setting);
        EXPECT_NEAR(sprite_turn(alt, alt_disc), degrees, 1e-9) << setting;
    }

    // The imperial face in ft/min and the metric face in m/s, each with its
    // own needle, pegged beyond 8000 ft/min and 80 m/s either way.
    const Needle imperial_needle{vsi_imperial_needle, {151, 151}, {7, 7}};
    const Needle metric_needle{vsi_metric_needle, {151, 151}, {7, 7}};
    EXPECT_TRUE(pinned(vsi, vsi_metric_face, {0, 0}));
    for (bool imperial : {true, false, true}) {
        SCOPED_TRACE(imperial ? "imperial" : "metric");
        if (imperial == tc.icon_bitmap(tc_metric_face).has_value()) {
            EXPECT_TRUE(host.click(tc, 120, 120));
        }
        host.update();
        EXPECT_EQ(vsi.icon_bitmap(vsi_metric_face), face_if(!imperial, 470));
        EXPECT_EQ(vsi.hidden(vsi_imperial_needle), !imperial);
        EXPECT_EQ(vsi.hidden(vsi_metric_needle), imperial);
        for (std::size_t needle : {vsi_metric_needle, vsi_imperial_needle})
            EXPECT_EQ(vsi.image_flags(needle) & ~image_hidden_flag, 0x4083u) << "only the hidden bit changes";
        // The graduations between the marks that the table names (6000 ft/min;
        // 10 and 50 m/s) lie evenly between their neighbours.
        const auto between = [&](double x0, double y0, double x1, double y1, double fraction) {
            return part_way(bearing(imperial_needle.pivot, x0, y0), bearing(imperial_needle.pivot, x1, y1), fraction);
        };
        if (imperial) {
            // clang-format off
            expect_marks(host, vsi, imperial_needle, 65, per_ft_min,
                         {{0, 30, 151},     {500, 38, 108},     {1000, 57, 78},     {2000, 105, 43},
                          {3000, 151, 37},  {4000, 189, 45},    {8000, 267, 130},   {30000, 267, 130},
                          {-500, 38, 194},  {-1000, 60, 221},   {-2000, 105, 260},  {-3000, 151, 265},
                          {-4000, 187, 251}, {-8000, 261, 170}, {-30000, 261, 170},
                          {6000, between(189, 45, 267, 130, 0.5)}, {-6000, between(261, 170, 187, 251, 0.5)}});
            // clang-format on
        } else {
            // clang-format off
            expect_marks(host, vsi, metric_needle, 65, 256.0,
                         {{0, 33, 150}, {20, 151, 32}, {30, 192, 36}, {80, 261, 110}, {200, 261, 110},
                          {-20, 151, 268}, {-30, 192, 266}, {-80, 261, 191}, {-200, 261, 191},
                          {10, between(33, 150, 151, 32, 0.5)}, {50, between(192, 36, 261, 110, 0.4)},
                          {-10, between(151, 268, 33, 150, 0.5)}, {-50, between(261, 191, 192, 266, 0.6)}});
            // clang-format on
        }
    }
}

TEST(GyroFaces, HorizonBankPointerAircraftTurnNeedleAndBallStandWhereTheAttitudePutsThem) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    PlacedGauge& tc = host.place("Turn_Coordinator");

    // The horizon bar: 1.3 pixels per degree, down for nose up, no further
    // than 45 degrees of pitch; it turns against the bank.
    EXPECT_TRUE(pinned(att, att_horizon, {38, 38}, {150, 150}));
    // clang-format off
    const std::pair<double, double> pitches[] = {{0, 0},     {10, 13},     {-10, -13}, {45, 58.5},
                                                 {46, 58.5}, {-45, -58.5}, {-90, -58.5}};
    // clang-format on
    for (const auto& [pitch, drop] : pitches) {
        set_and_update(host, 78, pitch);
        EXPECT_NEAR(sprite_drop(att, att_horizon), drop, 1e-12) << pitch;
    }
    for (double bank : {30.0, -45.0}) {
        set_and_update(host, 80, bank);
        EXPECT_EQ(sprite_turn(att, att_horizon), -bank);
    }
    // The bank pointer: at the bottom of the dial wings level, at three
    // o'clock in a 90 degree bank one way and at nine o'clock the other.
    // clang-format off
    expect_marks(host, att, {att_bank, {150, 150}, {0, 5}}, 80, 1.0,
                 {{-90, 200, 150}, {-30, 150}, {0, 180}, {30, 210}, {60, 240}, {90, 100, 150}});
    // clang-format on
    // The miniature aircraft rises 0.2 pixels per unit of its setting; the
    // warning flag hangs at the top of the dial.
    EXPECT_TRUE(pinned(att, att_aircraft, {70, 137}));
    EXPECT_TRUE(pinned(att, att_flag, {104, 16}));
    for (const auto& [bars, rise] : {std::pair{10.0, 2.0}, std::pair{-25.0, -5.0}}) {
        set_and_update(host, 612, bars);
        EXPECT_NEAR(slider_shift(att, att_aircraft).y, -rise, 1e-12) << bars;
        EXPECT_EQ(slider_shift(att, att_aircraft).x, 0.0);
    }

    // The turn needle: upright in level flight, on the standard-rate marks
    // at 4.5 (1152 / 256) either way and pegged there beyond; on both faces.
    const Needle turn{tc_needle, {118, 194}, {25, 15}};
    const double left = bearing(turn.pivot, 89, 48);
    const double right = bearing(turn.pivot, 147, 48);
    EXPECT_TRUE(pinned(tc, tc_metric_face, {0, 0}));
    for (bool imperial : {true, false}) {
        if (!imperial) {
            EXPECT_TRUE(host.click(tc, 120, 120));
        }
        // clang-format off
        expect_marks(host, tc, turn, 70, 1.0,
                     {{0, part_way(left, right, 0.5)}, {576, part_way(left, right, 0.75)}, {1152, 147, 48},
                      {1280, 147, 48}, {2000, 147, 48}, {-1152, 89, 48}, {-1280, 89, 48}, {-5000, 89, 48}});
        // clang-format on
        EXPECT_EQ(tc.icon_bitmap(tc_metric_face), face_if(!imperial, 1020));
    }
    // The ball: 0.546875 pixels sideways per unit of deflection, rising by
    // the square of the deflection over 1638.4 as it follows its tube.
    EXPECT_TRUE(pinned(tc, tc_ball, {104, 137}));
    const struct {
        double deflection, right, down;
    } balls[] = {{0, 0, 0}, {64, 35, -2.5}, {-64, -35, -2.5}, {16, 8.75, -0.15625}};
    for (const auto& b : balls) {
        set_and_update(host, 69, b.deflection);
        EXPECT_EQ(slider_shift(tc, tc_ball).x, b.right) << b.deflection;
        EXPECT_EQ(slider_shift(tc, tc_ball).y, b.down) << b.deflection;
    }
}

TEST(HeadingFaces, CardsBugsKnobPicturesAndTheCompassStripStandWhereTheHeadingsPutThem) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    PlacedGauge& dgs = host.place("Directional_Gyro_Small");
    PlacedGauge& compass = host.place("Whiskey_Compass");

    // The bug needle stands at bug minus heading from the top of the dial,
    // unwrapped; the small gyro's ring turns by heading minus bug, so that
    // both bugs stay on their card mark while the cards turn by the heading.
    EXPECT_TRUE(pinned(dg, dg_card, {25, 25}, {150, 150}));
    EXPECT_TRUE(pinned(dgs, dgs_card, {25, 25}, {150, 150}));
    EXPECT_TRUE(pinned(dgs, dgs_bug, {25, 25}, {150, 150}));
    const Needle bug{dg_bug, {150, 150}, {15, 112}};
    const struct { double heading, bug; } pairs[] = {{0, 0}, {90, 90}, {350, 10}, {10, 350}, {0, 270}, {200, 100}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(testing::Message() << "heading " << p.heading << ", bug " << p.bug);
        host.variables().set(84, p.heading);
        set_and_update(host, 855, p.bug);
        EXPECT_EQ(sprite_turn(dg, dg_card), p.heading);
        EXPECT_EQ(sprite_turn(dgs, dgs_card), p.heading);
        EXPECT_EQ(dg.element(dg_bug).value, p.bug - p.heading);
        EXPECT_TRUE(lands(dg, bug, {p.bug, p.bug - p.heading}));
        EXPECT_EQ(sprite_turn(dgs, dgs_bug), p.heading - p.bug);
    }
    // The knob pictures: half a turn per 30 degrees of bug, and half a turn
    // per 65536 / 6 of gyro setting, which is 3 degrees per degree of gyro.
    // clang-format off
    expect_marks(host, dg, {dg_bug_knob, {242, 276}, {24, 24}}, 855, 1.0,
                 {{0, 242, 256}, {10, 60}, {30, 242, 296}, {45, 270}, {359, 354}});
    // clang-format on
    // clang-format off
    expect_marks(host, dg, {dg_setting_knob, {50, 276}, {24, 24}}, 85, 65536.0 / 360.0,
                 {{0, 50, 256}, {1, 3}, {-1, -3}, {60, 50, 296}, {120, 0}});
    // clang-format on

    // The compass strip runs backwards over its travel as the heading grows.
    EXPECT_TRUE(pinned(compass, 1, {0, 10}));
    const std::pair<double, double> headings[] = {{0, 1.0}, {90, 0.75}, {180, 0.5}, {270, 0.25}, {360, 0.0}};
    for (const auto& [heading, travel] : headings) {
        set_and_update(host, 83, heading);
        EXPECT_NEAR(compass.travel(1).x, travel, 1e-12) << heading;
        EXPECT_EQ(compass.travel(1).y, 0.0);
    }
}

TEST(CockpitFaces, ClockAccelerometerAndCabinAltimeterReadAsTheirDials) {
    Host host;
    PlacedGauge& clock = host.place("Clock");
    PlacedGauge& accel = host.place("Accelerometer");
    PlacedGauge& cabin = host.place("Cabin_Altitude");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    host.variables().set(351, -g);

    // Twelve at the top; the hands go round in 12 hours, an hour and a minute.
    // clang-format off
    const Needle hour{clock_hour, {118, 117}, {11, 11}}, minute{clock_minute, {118, 117}, {9, 9}},
        second{clock_second, {118, 117}, {46, 8}};
    // clang-format on
    for (double t : {0.0, 30.0, 1800.0, 21600.0, 22500.0, 45296.0, 86399.0}) {
        set_and_update(host, 557, t);
        EXPECT_TRUE(lands(clock, hour, {t, t / 43200 * 360}));
        EXPECT_TRUE(lands(clock, minute, {t, t / 3600 * 360}));
        EXPECT_TRUE(lands(clock, second, {t, t / 60 * 360}));
    }
    for (const Needle& hand : {hour, minute, second}) expect_marks(host, clock, hand, 557, 1.0, {{0, 118, 67}});
    expect_marks(host, clock, hour, 557, 1.0, {{21600, 118, 137}});
    expect_marks(host, clock, minute, 557, 1.0, {{1800, 118, 167}});
    expect_marks(host, clock, second, 557, 1.0, {{30, 118, 167}});

    // The accelerometer: 0 at the left, 10 at the right, the negative values
    // at the bottom; pegged beyond -5 and 10 g. The memories read alike.
    // clang-format off
    const Needle load{accel_load, {131, 131}, {42, 15}}, lowest{accel_min, {131, 131}, {43, 15}},
        highest{accel_max, {131, 131}, {43, 15}};
    // clang-format on
    const double minus_5 = bearing(load.pivot, 201, 201);
    const double zero = bearing(load.pivot, 44, 167);
    const double ten = bearing(load.pivot, 223, 169);
    // Until the load factor first goes positive the maximum memory stays on 0.
    EXPECT_TRUE(lands(accel, highest, {0, 44, 167}));
    // clang-format off
    expect_marks(host, accel, load, 351, g,
                 {{-40, 201, 201}, {-5, 201, 201}, {-4, part_way(minus_5, zero, 0.2)}, {0, 44, 167},
                  {5, part_way(zero, ten, 0.5)}, {10, 223, 169}, {20, 223, 169}});
    // clang-format on
    EXPECT_TRUE(lands(accel, lowest, {-40, 201, 201}));
    EXPECT_TRUE(lands(accel, highest, {20, 223, 169}));

    // The cabin altimeter, its cabin at the aircraft's altitude: 10 at the
    // lower left, 25 at the top, 40 at the lower right and pegged there. The
    // metric face only relabels the dial.
    host.variables().set(868, 1);
    EXPECT_TRUE(pinned(cabin, cabin_face, {0, 0}));
    const Needle needle{cabin_needle, {100, 100}, {32, 18}};
    const auto between = [&](double x0, double y0, double x1, double y1, double fraction) {
        return part_way(bearing(needle.pivot, x0, y0), bearing(needle.pivot, x1, y1), fraction);
    };
    for (bool imperial : {true, false}) {
        if (!imperial) {
            EXPECT_TRUE(host.click(tc, 120, 120));
        }
        // clang-format off
        expect_marks(host, cabin, needle, 74, 1.0,
                     {{0, 100, 176}, {10000, 64, 164}, {25000, 100, 26}, {40000, 135, 161}, {60000, 135, 161},
                      {5000, between(100, 176, 64, 164, 0.5)}, {17500, between(64, 164, 100, 26, 0.5)},
                      {32500, between(100, 26, 135, 161, 0.5)}});
        // clang-format on
        EXPECT_EQ(cabin.icon_bitmap(cabin_face), face_if(!imperial, 2310));
    }
}

// -- The feel of the controls ----------------------------------------------

// Knobs step once on the press and once on every repeat while held, and
// turn their picture by one step each time; the right button does nothing.
TEST(FlightControlsFeel, KnobsStepOnThePressAndOnEveryRepeatTurningTheirPictureOneStepEach) {
    const struct Knob {
        const char* gauge;
        int x, y;
        std::uint32_t event;
        std::size_t picture;
        double degrees_per_step;
    } knobs[] = {
        {"Altimeter", 10, 210, 0x1015C, alt_disc, -0.9},  // a hundredth of an inch, 90 degrees per inch
        {"Altimeter", 40, 240, 0x1015B, alt_disc, 0.9},
        {"Directional_Gyro", 230, 260, 0x10158, dg_bug_knob, -6},  // a degree of bug
        {"Directional_Gyro", 250, 280, 0x10157, dg_bug_knob, 6},
        {"Directional_Gyro", 30, 260, 0x10156, dg_setting_knob, -3},  // a degree of gyro
        {"Directional_Gyro", 60, 280, 0x10155, dg_setting_knob, 3},
    };
    for (const Knob& k : knobs) {
        SCOPED_TRACE(testing::Message() << k.gauge << " event " << std::hex << k.event);
        Host host;
        PlacedGauge& gauge = host.place(k.gauge);
        host.variables().set(76, 29.92);
        host.variables().set(855, 100);
        host.variables().set(84, 90);
        host.variables().set(85, 0);
        host.update();
        const double rest = picture_angle(gauge, k.picture);
        EXPECT_TRUE(host.click(gauge, k.x, k.y));
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{k.event, 0}}));
        host.update();
        EXPECT_NEAR(picture_angle(gauge, k.picture) - rest, k.degrees_per_step, 1e-9);

        host.clear_logs();
        EXPECT_TRUE(host.hold(gauge, k.x, k.y, 4));
        EXPECT_EQ(host.key_events().entries(), std::vector<KeyEvent>(5, KeyEvent{k.event, 0}));
        host.update();
        EXPECT_NEAR(picture_angle(gauge, k.picture) - rest, 6 * k.degrees_per_step, 1e-9);

        host.clear_logs();
        EXPECT_FALSE(host.click(gauge, k.x, k.y, MouseButton::right));
        EXPECT_FALSE(host.mouse_event(gauge, k.x, k.y, mouse_left_click | mouse_right_click,
                                      mouse_left_click | mouse_right_click));
        EXPECT_TRUE(host.key_events().empty());
        EXPECT_TRUE(host.sounds_played().empty());
    }
}

// The reset knob resets on the press and again on every repeat, each time to
// the load factor of that moment.
TEST(FlightControlsFeel, TheAccelerometerResetActsOnThePressAndOnEveryRepeat) {
    Host host;
    PlacedGauge& accel = host.place("Accelerometer");
    const auto memories = [&] { return std::pair{accel.element(accel_min).value, accel.element(accel_max).value}; };
    set_and_update(host, 351, 3 * g);
    EXPECT_EQ(memories(), std::pair(0.0, 3 * g));
    host.variables().set(351, 2 * g);
    EXPECT_TRUE(host.click(accel, 20, 230));
    host.update();
    EXPECT_EQ(memories(), std::pair(2 * g, 2 * g));

    set_and_update(host, 351, -g);
    host.variables().set(351, g);
    EXPECT_TRUE(host.mouse_event(accel, 20, 230, mouse_left_click | mouse_repeat, mouse_left_click | mouse_repeat));
    host.update();
    EXPECT_EQ(memories(), std::pair(g, g)) << "a repeat resets as the press does";
    set_and_update(host, 351, 4 * g);
    host.variables().set(351, 0.5 * g);
    EXPECT_TRUE(host.hold(accel, 2, 210, 3));
    host.update();
    EXPECT_EQ(memories(), std::pair(0.5 * g, 0.5 * g));

    set_and_update(host, 351, 2 * g);
    EXPECT_FALSE(host.click(accel, 20, 230, MouseButton::right));
    for (const auto& [x, y] : {std::pair{52, 230}, {1, 230}, {20, 209}, {20, 260}}) {
        EXPECT_FALSE(host.click(accel, x, y)) << "beyond the knob at " << x << "," << y;
    }
    host.update();
    EXPECT_EQ(memories(), std::pair(0.5 * g, 2 * g));
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_TRUE(host.sounds_played().empty());
}

// The cage button and the unit switch act once a press however long it is
// held, and go on acting on every further press.
TEST(FlightControlsFeel, TheCageButtonAndTheUnitSwitchActOnceAPress) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    PlacedGauge& vsi = host.place("Vertical_Speed");
    PlacedGauge& cabin = host.place("Cabin_Altitude");

    EXPECT_TRUE(host.hold(att, 260, 260, 5));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10345, 0}}));
    EXPECT_FALSE(host.click(att, 260, 260, MouseButton::right));
    EXPECT_FALSE(
        host.mouse_event(att, 260, 260, mouse_left_click | mouse_right_click, mouse_left_click | mouse_right_click));
    EXPECT_EQ(host.key_events().size(), 1u);

    bool imperial = true;
    const auto expect_faces = [&] {
        EXPECT_EQ(tc.icon_bitmap(tc_metric_face), face_if(!imperial, 1020));
        EXPECT_EQ(vsi.icon_bitmap(vsi_metric_face), face_if(!imperial, 470));
        EXPECT_EQ(cabin.icon_bitmap(cabin_face), face_if(!imperial, 2310));
        EXPECT_EQ(vsi.hidden(vsi_imperial_needle), !imperial);
    };
    for (int press = 1; press <= 6; ++press) {
        SCOPED_TRACE(press);
        EXPECT_TRUE(press % 2 ? host.click(tc, 120, 120) : host.hold(tc, 120, 120, 5));
        imperial = !imperial;
        host.update();
        host.update();
        expect_faces();
    }
    EXPECT_FALSE(host.click(tc, 120, 120, MouseButton::right));
    host.update();
    expect_faces();
    // A host that passes both buttons at once reaches the switch as one press.
    EXPECT_TRUE(host.mouse_event(tc, 120, 120, mouse_left_click, mouse_left_click | mouse_right_click));
    imperial = !imperial;
    host.update();
    expect_faces();
    EXPECT_EQ(host.key_events().size(), 1u) << "the unit switch sends nothing";
    EXPECT_TRUE(host.sounds_played().empty());
}

// -- Each input on its own ---------------------------------------------------

// Every variable the flight instruments read, changed alone from a flying
// state: exactly the pictures that read it move, on every gauge.
TEST(FlightInputsAlone, EachVariableMovesOnlyThePicturesThatReadIt) {
    // clang-format off
    const std::pair<std::uint32_t, double> flying[] = {
        {61, 200},  {65, 1000}, {69, 10},   {70, 300},     {74, 30000}, {76, 29.92}, {78, 5},
        {80, 10},   {83, 90},   {84, 90},   {85, 0},       {276, 0},    {279, 0},    {335, 1},
        {351, g},   {557, 36000}, {612, 0}, {855, 120},   {868, 0}};
    // clang-format on
    // clang-format off
    const std::pair<std::uint32_t, double> changed[] = {
        {61, 250},  {65, -2000}, {69, -20},   {70, -600},  {74, 31000}, {76, 30.5}, {78, -8},
        {80, -25},  {83, 200},   {84, 100},   {85, 500},   {276, 1},    {279, 1},   {335, 2},
        {351, 3 * g}, {557, 36100}, {612, 10}, {855, 150}, {868, 1}};
    // clang-format on
    const struct {
        const char* gauge;
        std::vector<std::pair<std::uint32_t, std::vector<std::size_t>>> readers;
    } gauges[] = {
        {"Airspeed", {{61, {as_fine, as_main}}}},
        {"Altimeter", {{74, {alt_ten_thousand, alt_thousand, alt_hundred}}, {76, {alt_disc}}}},
        {"Vertical_Speed", {{65, {vsi_metric_needle, vsi_imperial_needle}}}},
        {"Attitude",
         {{78, {att_horizon}},
          {80, {att_horizon, att_bank}},
          {612, {att_aircraft}},
          {276, {att_flag}},
          {279, {att_flag}}}},
        {"Turn_Coordinator", {{69, {tc_ball}}, {70, {tc_needle}}}},
        {"Directional_Gyro", {{84, {dg_card, dg_bug}}, {855, {dg_bug, dg_bug_knob}}, {85, {dg_setting_knob}}}},
        {"Directional_Gyro_Small", {{84, {dgs_card, dgs_bug}}, {855, {dgs_bug}}}},
        {"Whiskey_Compass", {{83, {1}}}},
        {"Clock", {{557, {clock_hour, clock_minute, clock_second}}}},
        {"Accelerometer", {{351, {accel_load, accel_max}}}},
        {"Cabin_Altitude", {{74, {cabin_needle}}, {868, {cabin_needle}}, {335, {cabin_needle}}}},
    };
    const auto same = [](const ElementState& a, const ElementState& b) {
        const auto eq = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
        return eq(a.value, b.value) && eq(a.x, b.x) && eq(a.y, b.y) && eq(a.rotation, b.rotation) &&
               a.hidden == b.hidden;
    };
    for (const auto& gauge : gauges) {
        Host host;
        for (const auto& [token, value] : flying) host.variables().set(token, value);
        PlacedGauge& placed = host.place(gauge.gauge);
        host.update();
        // Dials, faces and glasses cover the whole gauge; only the turn
        // coordinator's ball tube sits over the ball alone.
        for (std::size_t i = 0; i < placed.element_count(); ++i) {
            if (placed.element(i).record->kind != element_static_image) continue;
            const bool tube = placed.name() == "Turn_Coordinator" && i == 3;
            EXPECT_TRUE(pinned(placed, i, tube ? PixelPoint{99, 129} : PixelPoint{0, 0}));
        }
        for (const auto& [token, value] : changed) {
            SCOPED_TRACE(testing::Message() << gauge.gauge << ", token " << token);
            std::vector<std::size_t> readers;
            for (const auto& [t, elements] : gauge.readers)
                if (t == token) readers = elements;
            const std::vector<ElementState> before(&placed.element(0), &placed.element(0) + placed.element_count());
            set_and_update(host, token, value);
            for (std::size_t i = 0; i < placed.element_count(); ++i) {
                const bool reads = std::find(readers.begin(), readers.end(), i) != readers.end();
                EXPECT_EQ(!same(before[i], placed.element(i)), reads) << "element " << i;
            }
            for (const auto& [t, v] : flying)
                if (t == token) set_and_update(host, t, v);
        }
        // Every other variable of the simulator, all at once, moves nothing.
        const std::vector<ElementState> before(&placed.element(0), &placed.element(0) + placed.element_count());
        for (std::uint32_t token = 1; token < korvel::host::VariableStore::token_limit; ++token) {
            const auto named = [token](const auto& f) { return f.first == token; };
            if (std::none_of(std::begin(flying), std::end(flying), named)) host.variables().set(token, 7);
        }
        host.update();
        for (std::size_t i = 0; i < placed.element_count(); ++i)
            EXPECT_TRUE(same(before[i], placed.element(i))) << gauge.gauge << " element " << i;
    }
}

TEST(FlightInputsAlone, TheAttitudeFlagRisesOnEitherConditionWordAlone) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    const struct {
        std::uint32_t a, b;
        bool flag;
    } conditions[] = {{0, 0, false},          {1, 0, true}, {0, 1, true}, {0x80000000u, 0, true},
                      {0, 0x80000000u, true}, {7, 9, true}, {0, 0, false}};
    for (const auto& c : conditions) {
        host.variables().set_word(276, c.a);
        host.variables().set_word(279, c.b);
        host.update();
        EXPECT_EQ(att.element(att_flag).value, c.flag ? 0.0 : -1.0) << c.a << " " << c.b;
        EXPECT_EQ(att.icon_bitmap(att_flag), face_if(c.flag, 2050));
    }
}

TEST(FlightInputsAlone, TheCabinAltitudeFollowsTheScheduleThePressurizationAndTheUnitsEachAlone) {
    Host host;
    PlacedGauge& cabin = host.place("Cabin_Altitude");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    const auto shown = [&](double aircraft, double unpressurized, std::uint32_t units) {
        host.variables().set(868, unpressurized);
        host.variables().set_word(335, units);
        set_and_update(host, 74, aircraft);
        return cabin.element(cabin_needle).value;
    };
    // Pressurized, in feet: the aircraft's altitude up to 10 000 ft, then a
    // quarter of the climb above it, held at 20 000 ft from 50 000 ft.
    // clang-format off
    const std::pair<double, double> schedule[] = {{-500, -500},     {0, 0},          {8000, 8000},
                                                  {9999, 9999},     {10000, 10000},  {10001, 10000.25},
                                                  {30000, 15000},   {49999, 19999.75}, {50000, 20000},
                                                  {50001, 20000},   {90000, 20000}};
    // clang-format on
    for (const auto& [aircraft, cabin_feet] : schedule) EXPECT_EQ(shown(aircraft, 0, 1), cabin_feet) << aircraft;
    // Any condition other than 0.0 leaves the cabin at the aircraft's altitude.
    for (double unpressurized : {1.0, 0.5, -1.0, 1e-300, nan}) {
        EXPECT_EQ(shown(30000, unpressurized, 1), 30000.0) << unpressurized;
        EXPECT_EQ(shown(60000, unpressurized, 1), 60000.0) << unpressurized;
    }
    EXPECT_EQ(shown(30000, -0.0, 1), 15000.0);
    // Only the unit setting 2 brings the altitude in metres.
    for (std::uint32_t units : {0u, 1u, 3u, 0x102u}) EXPECT_EQ(shown(3050, 0, units), 3050.0) << units;
    EXPECT_NEAR(shown(3050, 0, 2), 10000.0, 1e-9);
    EXPECT_NEAR(shown(9150, 0, 2), 15000.0, 1e-9);
    EXPECT_NEAR(shown(9150, 1, 2), 30000.0, 1e-9);
    // The dial's face changes nothing of the reading.
    EXPECT_TRUE(host.click(tc, 120, 120));
    EXPECT_EQ(shown(30000, 0, 1), 15000.0);
    EXPECT_EQ(host.tooltip(cabin, 100, 100).text, "Pressurized cabin altitude");
}

TEST(FlightInputsAlone, TheAccelerometerMemoriesMoveOnlyOutwardAndIgnoreANaN) {
    Host host;
    PlacedGauge& accel = host.place("Accelerometer");
    const struct {
        double load, lowest, highest;
    } steps[] = {{g, 0, g},
                 {-2 * g, -2 * g, g},
                 {6 * g, -2 * g, 6 * g},
                 {nan, -2 * g, 6 * g},
                 {2 * g, -2 * g, 6 * g},
                 {-2 * g, -2 * g, 6 * g},
                 {-3 * g, -3 * g, 6 * g}};
    for (const auto& s : steps) {
        set_and_update(host, 351, s.load);
        EXPECT_EQ(accel.element(accel_min).value, s.lowest) << s.load;
        EXPECT_EQ(accel.element(accel_max).value, s.highest) << s.load;
    }
}

}  // namespace
