// The three-hand clock: each hand a two-row table that the host continues
// for ever, one turn per 12 hours, per hour and per minute.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

// clang-format off
NonlinearityEntry hour_table[] = {
    {118, 67, 0},
    {118, 137, 21600},
};

NonlinearityEntry minute_table[] = {
    {118, 67, 0},
    {118, 167, 1800},
};

NonlinearityEntry second_table[] = {
    {118, 67, 0},
    {118, 167, 30},
};

constinit ElementChain<StaticImageElement, NeedleElement, NeedleElement, NeedleElement, StaticImageElement>
    clock_elements{
        &clock_gauge,
        static_image(1070, {0, 0}, image_lit),
        needle(1100, {118, 117}, {11, 11}, image_lit_dib, token::time_of_day_seconds, hour_table),
        needle(1090, {118, 117}, {9, 9}, image_lit_dib, token::time_of_day_seconds, minute_table),
        needle(1080, {118, 117}, {46, 8}, image_lit_dib, token::time_of_day_seconds, second_table),
        static_image(1110, {0, 0}, image_plain),
    };

constinit MouseRect clock_rects[] = {
    whole_gauge(),
    host_tooltip(help::clock),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader clock_gauge = gauge_header("Clock", 100, clock_elements.list, clock_rects);
