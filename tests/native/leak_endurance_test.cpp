// Ten thousand panel loads: the whole panel installed, updated, clicked and
// killed again and again in one process, as a simulator does over a long
// session of panel reloads. LeakSanitizer watches the test process (a leak
// fails it at exit); the platform's counts show every sound object, memory
// file and data block given back each time.
#include <gtest/gtest.h>

#include "module/sound/sound.h"
#include "module/vocabulary.h"
#include "tests/whole_panel.h"

namespace {

using korvel::host::Host;

TEST(LeakEndurance, TenThousandLoadsOfTheWholePanelGiveBackEverything) {
    Host host;
    host.platform_log().keep_call_lists = false;
    const auto& log = host.platform_log();
    constexpr int loads = 10000;
    for (int load = 0; load < loads; ++load) {
        const auto gauges = whole_panel::place_all(host);
        host.variables().set(token::battery, load % 2);
        host.update(2);
        // A different control each load, so all of them are pressed along the way.
        const auto spots = whole_panel::click_spots(gauges);
        const auto& s = spots[load % spots.size()];
        host.click(*s.gauge, s.x, s.y, s.button);
        host.update();
        (void)host.tooltip(*s.gauge, s.x, s.y);
        for (auto* g : gauges) host.kill(*g);
        host.remove_killed();
        host.clear_logs();
        if (log.live_buffers() != 0 || log.live_devices() != 0 || log.memory_files_opened != log.memory_files_closed ||
            log.blocks_allocated != log.blocks_freed || log.resources_found != log.resources_freed) {
            FAIL() << "load " << load << " kept " << log.live_buffers() << " buffers, " << log.live_devices()
                   << " devices, " << log.memory_files_opened - log.memory_files_closed << " memory files, "
                   << log.blocks_allocated - log.blocks_freed << " data blocks, "
                   << log.resources_found - log.resources_freed << " resources";
        }
    }
    EXPECT_EQ(sound_enabled, 1) << "no load made a sound step fail";
    EXPECT_GT(log.buffers.size(), std::size_t{loads}) << "every load made its click sounds";
}

}  // namespace
