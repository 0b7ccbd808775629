#include "host/core/dial.h"

#include <cmath>

namespace korvel::host {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double no_table_radius = 100.0;

double clockwise_turn(double from, double to) {
    double turn = std::fmod(to - from, 360.0);
    if (turn < 0.0) turn += 360.0;
    return turn;
}

DialPose pose_at(PixelPoint pivot, double angle, double radius) {
    const double wrapped = std::isfinite(angle) ? std::fmod(angle, 360.0) : 0.0;
    const double r = wrapped * pi / 180.0;
    return {angle, pivot.x + radius * std::sin(r), pivot.y - radius * std::cos(r)};
}

}  // namespace

double angle_of(PixelPoint pivot, double x, double y) {
    const double dx = x - pivot.x;
    const double dy = y - pivot.y;
    if (dx == 0.0 && dy == 0.0) return 0.0;
    double a = std::atan2(dx, -dy) * 180.0 / pi;
    if (a < 0.0) a += 360.0;
    return a;
}

DialPose needle_pose(const NonlinearityEntry* rows, std::uint32_t count, PixelPoint pivot, double value) {
    if (rows == nullptr || count == 0) return pose_at(pivot, value, no_table_radius);

    const auto row_angle = [&](std::uint32_t i) { return angle_of(pivot, rows[i].x, rows[i].y); };
    const auto row_radius = [&](std::uint32_t i) {
        return std::hypot(double(rows[i].x - pivot.x), double(rows[i].y - pivot.y));
    };
    if (count == 1 || std::isnan(value)) return pose_at(pivot, row_angle(0), row_radius(0));

    // The segment that holds the value, or the end segment beyond the table.
    const bool rising = rows[count - 1].value >= rows[0].value;
    const auto before = [&](double a, double b) { return rising ? a < b : a > b; };
    std::uint32_t segment = 0;
    while (segment + 2 < count && !before(value, rows[segment + 1].value)) ++segment;

    // Rows on one point add no turn; comparing the points rather than their
    // angles keeps rounding from making a full turn of it.
    const auto turn_after = [&](std::uint32_t i) {
        if (rows[i].x == rows[i + 1].x && rows[i].y == rows[i + 1].y) return 0.0;
        return clockwise_turn(row_angle(i), row_angle(i + 1));
    };
    double angle = row_angle(0);
    for (std::uint32_t i = 0; i < segment; ++i) angle += turn_after(i);
    const double turn = turn_after(segment);

    const double v0 = rows[segment].value;
    const double v1 = rows[segment + 1].value;
    double t = v1 != v0 ? (value - v0) / (v1 - v0) : 0.0;
    if (!std::isfinite(t)) t = t > 0 ? 1.0 : 0.0;
    if (turn != 0.0) angle += t * turn;

    const double inside = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    const double radius = row_radius(segment) + inside * (row_radius(segment + 1) - row_radius(segment));
    return pose_at(pivot, angle, radius);
}

DialPose needle_pose(const NeedleElement& needle, double value) {
    return needle_pose(needle.table, needle.table_rows, needle.header.position, value);
}

}  // namespace korvel::host
