// Where a needle points for a value: the host's reading of a needle table.
//
// Each row's point is turned into an angle about the needle's pivot,
// clockwise from twelve o'clock. Going from one stored row to the next the
// needle always turns clockwise, by less than a full turn (rows that share a
// point add no turn), so tables stored clockwise about their dial read as
// drawn, whichever way their values run. Between rows the angle and the
// distance from the pivot are interpolated linearly in the value; beyond the
// first and last row the end segment's angle is continued, which turns a
// two-row table on for ever and keeps a needle pegged where the end rows
// share a point. A needle without rows takes its value as the angle itself.
#pragma once

#include "module/records.h"

namespace korvel::host {

struct DialPose {
    double angle;  // degrees clockwise from twelve o'clock, not wrapped
    double x;      // the dial point the needle points at, in gauge pixels
    double y;
};

DialPose needle_pose(const NeedleElement& needle, double value);
DialPose needle_pose(const NonlinearityEntry* rows, std::uint32_t count, PixelPoint pivot, double value);

// The angle of a point seen from a pivot, in [0, 360).
double angle_of(PixelPoint pivot, double x, double y);

}  // namespace korvel::host
