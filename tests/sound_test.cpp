// Click sounds as the platform sees them: which gauge opened a device, which
// wave its buffer holds, what played, what was released, and how any refusal
// of the platform silences the whole module for good.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/core/host.h"
#include "tests/whole_panel.h"

namespace {

using korvel::host::Host;
using korvel::host::PlacedGauge;
using korvel::host::PlayedSound;
using platform::SoundStep;

constexpr std::int32_t switch_x = 25;
constexpr std::int32_t switch_y = 15;

int count_calls(const Host& host, const std::string& call) {
    const auto& calls = const_cast<Host&>(host).platform_log().calls;
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

// Every memory file closed, every data block and resource given back.
void expect_loader_cleaned_up(Host& host) {
    const auto& log = host.platform_log();
    EXPECT_EQ(log.memory_files_opened, log.memory_files_closed);
    EXPECT_EQ(log.blocks_allocated, log.blocks_freed);
    EXPECT_EQ(log.resources_found, log.resources_freed);
}

TEST(ClickSound, TheSwitchLoadsItsWaveIntoABufferOfItsOwnAndPlaysItOncePerClick) {
    Host host;
    PlacedGauge& rmi = host.place("RMI_Switch");
    const auto& log = host.platform_log();

    ASSERT_EQ(log.devices.size(), 1u);
    EXPECT_STREQ(log.devices[0].owner, "RMI_Switch");
    EXPECT_EQ(log.devices[0].window, platform::host_process().windows.at(0).second)
        << "the device cooperates with the simulator's main window";
    EXPECT_EQ(log.devices[0].cooperative_level, 1u);

    ASSERT_EQ(log.buffers.size(), 1u);
    const platform::SoundBufferRecord& buffer = log.buffers[0];
    EXPECT_EQ(buffer.description_size, 36u);
    EXPECT_EQ(buffer.flags, 0x80E0u);
    EXPECT_EQ(buffer.bytes, 3828u);
    EXPECT_EQ(buffer.format.format_tag, 1);
    EXPECT_EQ(buffer.format.channels, 1);
    EXPECT_EQ(buffer.format.samples_per_second, 22050u);
    EXPECT_EQ(buffer.format.bits_per_sample, 16);
    EXPECT_EQ(buffer.format.extra_size, 0) << "a 16-byte format chunk has no extra bytes";
    EXPECT_EQ(host.wave_in_buffer(0), 10u);
    EXPECT_EQ(buffer.locks, 1);
    EXPECT_EQ(buffer.unlocks, 1);
    EXPECT_EQ(buffer.position_sets, 1);
    EXPECT_EQ(buffer.plays, 0) << "nothing plays before a click";
    expect_loader_cleaned_up(host);

    host.click(rmi, switch_x, switch_y);
    host.click(rmi, switch_x, switch_y);
    EXPECT_EQ(host.sounds_played(), (std::vector<PlayedSound>{{"RMI_Switch", 10}, {"RMI_Switch", 10}}));
    EXPECT_EQ(log.plays[0].flags, 0u) << "played once, no looping";
}

// The sample panel's eight sound-owning gauges, installed in the panel's own
// order: the COM radio first, so the radios' Microsoft ADPCM click is the
// first wave to load. Decoded to PCM, it loads like the others, and no
// radio silences the rest of the panel.
TEST(ClickSound, EverySoundOwningGaugeOfTheSamplePanelClicksTheRadiosFirst) {
    // clang-format off
    const std::vector<std::string> owners = {"Radio_COM", "Radio_ADF",  "Radio_IFF",  "Radio_NAV",
                                             "Radio_NAV1", "Radio_NAV2", "Elec_Board", "RMI_Switch"};
    // clang-format on
    Host host;
    std::vector<PlacedGauge*> placed;
    for (GaugeHeader* header : host.gauge_table())
        if (std::find(owners.begin(), owners.end(), header->name) != owners.end())
            placed.push_back(&host.place(*header, whole_panel::parameters_for(header->name)));
    ASSERT_EQ(placed.size(), owners.size());
    ASSERT_EQ(placed.front()->name(), "Radio_COM") << "the sample panel installs the COM radio first";
    const auto gauge = [&](std::string_view name) -> PlacedGauge& {
        return **std::find_if(placed.begin(), placed.end(), [&](PlacedGauge* g) { return g->name() == name; });
    };

    const auto& log = host.platform_log();
    EXPECT_EQ(count_calls(host, "CreateSoundBuffer refused"), 0);
    EXPECT_EQ(log.live_buffers(), 8);
    for (const platform::FormatOffered& offered : log.formats_offered) EXPECT_EQ(offered.format.format_tag, 1);
    expect_loader_cleaned_up(host);

    host.click(gauge("Radio_COM"), 70, 80);     // main switch
    host.click(gauge("Radio_ADF"), 270, 200);   // main switch
    host.click(gauge("Radio_IFF"), 40, 40);     // main switch
    host.click(gauge("Radio_NAV"), 110, 100);   // main switch
    host.click(gauge("Radio_NAV1"), 110, 100);  // main switch
    host.click(gauge("Radio_NAV2"), 110, 100);  // main switch
    host.click(gauge("Elec_Board"), 141, 52);   // battery
    host.click(gauge("Elec_Board"), 96, 54);    // generator
    host.click(gauge("RMI_Switch"), switch_x, switch_y);
    EXPECT_EQ(host.sounds_played(), (std::vector<PlayedSound>{{"Radio_COM", 30},
                                                              {"Radio_ADF", 30},
                                                              {"Radio_IFF", 30},
                                                              {"Radio_NAV", 10},
                                                              {"Radio_NAV1", 10},
                                                              {"Radio_NAV2", 10},
                                                              {"Elec_Board", 10},
                                                              {"Elec_Board", 10},
                                                              {"RMI_Switch", 10}}));
    for (PlacedGauge* g : placed) host.kill(*g);
    EXPECT_EQ(log.live_buffers(), 0);
    EXPECT_EQ(log.live_devices(), 0);
}

TEST(ClickSound, KillReleasesTheBufferBeforeTheDeviceAndLaterClicksAreSilent) {
    Host host;
    PlacedGauge& rmi = host.place("RMI_Switch");
    host.kill(rmi);
    const auto& log = host.platform_log();
    EXPECT_TRUE(log.buffers[0].released);
    EXPECT_TRUE(log.devices[0].released);
    const auto buffer_released = std::find(log.calls.begin(), log.calls.end(), "Release buffer");
    const auto device_released = std::find(log.calls.begin(), log.calls.end(), "Release device");
    EXPECT_LT(buffer_released, device_released);

    PlacedGauge& again = host.place("RMI_Switch");
    host.kill(again);
    host.service(again, 12);  // a second kill finds an empty slot
    EXPECT_EQ(count_calls(host, "Release device"), 2);
    EXPECT_TRUE(host.sounds_played().empty());
}

// One step refused per test: a module that went silent stays silent for the
// rest of its life, so each case needs a freshly loaded module.
class RefusedStep : public testing::TestWithParam<SoundStep> {};

TEST_P(RefusedStep, TurnsAllSoundOffForGoodWhileTheSwitchGoesOnWorking) {
    const SoundStep step = GetParam();
    Host host;
    host.platform_faults().failing_step = step;
    PlacedGauge& rmi = host.place("RMI_Switch");
    const auto& log = host.platform_log();
    EXPECT_EQ(count_calls(host, std::string(platform::step_name(step)) + " refused"), 1);
    EXPECT_EQ(log.live_buffers(), 0) << "a buffer made before the refusal is given back at once";
    expect_loader_cleaned_up(host);

    host.platform_faults() = {};
    const auto made = [&] {
        return count_calls(host, "DirectSoundCreate") + count_calls(host, "CreateSoundBuffer") +
               count_calls(host, "Play");
    };
    const int made_before = made();
    host.update(rmi);
    EXPECT_EQ(rmi.icon_bitmap(1), 3170);
    host.click(rmi, switch_x, switch_y);
    host.update(rmi);
    EXPECT_EQ(rmi.icon_bitmap(1), 3171) << "the lever moves without sound";
    PlacedGauge& later = host.place("RMI_Switch");
    host.click(later, switch_x, switch_y);
    EXPECT_EQ(made(), made_before) << "no later install or click makes or plays anything";
    EXPECT_TRUE(host.sounds_played().empty());
    host.kill(later);
    EXPECT_EQ(log.live_devices(), 0) << "the device is given back even with sound off";
    EXPECT_EQ(log.live_buffers(), 0);
}

INSTANTIATE_TEST_SUITE_P(ClickSound, RefusedStep,
                         testing::Values(SoundStep::create_device, SoundStep::cooperative_level,
                                         SoundStep::create_buffer, SoundStep::lock, SoundStep::unlock,
                                         SoundStep::set_position),
                         [](const testing::TestParamInfo<SoundStep>& info) {
                             return std::string(platform::step_name(info.param));
                         });

TEST(ClickSound, ARefusedPlayGivesTheBufferBackAndSilencesEveryLaterClick) {
    Host host;
    PlacedGauge& rmi = host.place("RMI_Switch");
    host.platform_faults().failing_step = SoundStep::play;
    host.platform_faults().succeed_first = 1;
    host.click(rmi, switch_x, switch_y);
    host.click(rmi, switch_x, switch_y);
    host.click(rmi, switch_x, switch_y);
    EXPECT_EQ(host.sounds_played().size(), 1u);
    EXPECT_EQ(count_calls(host, "Play refused"), 1) << "after the refusal nothing is asked again";
    EXPECT_TRUE(host.platform_log().buffers[0].released);
    host.kill(rmi);
    EXPECT_TRUE(host.platform_log().devices[0].released) << "the device is still given back at kill";
}

TEST(ClickSound, WithoutTheSimulatorsWindowTheModuleStaysSilent) {
    Host host;
    host.remove_host_windows();
    PlacedGauge& rmi = host.place("RMI_Switch");
    EXPECT_EQ(count_calls(host, "SetCooperativeLevel refused"), 1);
    host.click(rmi, switch_x, switch_y);
    EXPECT_TRUE(host.sounds_played().empty());
    EXPECT_EQ(host.platform_log().live_devices(), 0);
}

TEST(ClickSound, TheHostsExecutableNameChoosesTheWindowClassLookedFor) {
    struct Case {
        const char* executable;
        bool combat_window;
    };
    // clang-format off
    const Case cases[] = {
        {"C:\\Program Files\\FS9\\fs9.exe", false},   // fs9: no '2' anywhere
        {"C:\\FS2002\\fs2002.exe", false},           // third character '2'
        {"D:\\Games\\CFS2.exe", true},               // first character 'C'
        {"D:\\Games\\cfs9.exe", false},              // comparisons are case-sensitive
        {"E:\\sim\\abc2.exe", true},                 // fourth character '2'
        {"C", true},                                 // a one-letter name
        {"fs", false},
        {"", false},
        {"E:/sim/x2.y2", false},                     // the extension goes, "x2" is all that is left
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable);
        Host host;
        void* fs98 = platform::host_process().windows.at(0).second;
        void* combat = host.add_host_window("MSCFSMAIN");
        host.set_host_executable(c.executable);
        host.place("RMI_Switch");
        ASSERT_EQ(host.platform_log().devices.size(), 1u);
        EXPECT_EQ(host.platform_log().devices[0].window, c.combat_window ? combat : fs98);
    }
}

TEST(ClickSound, ReinstallingWithoutAKillGivesBackWhatTheFirstInstallMade) {
    Host host;
    PlacedGauge& rmi = host.place("RMI_Switch");
    host.service(rmi, 2, host.library().handle());  // the window reopened
    PlacedGauge& copy = host.place("RMI_Switch");   // a second copy shares the slot
    const auto& log = host.platform_log();
    EXPECT_EQ(log.devices.size(), 3u);
    EXPECT_EQ(log.live_devices(), 1);
    EXPECT_EQ(log.live_buffers(), 1);
    host.click(rmi, switch_x, switch_y);
    host.click(copy, switch_x, switch_y);
    EXPECT_EQ(host.sounds_played().size(), 2u) << "both copies play the one slot";
    EXPECT_EQ(log.plays[0].buffer, 2);
    EXPECT_EQ(log.plays[1].buffer, 2);
}

TEST(ClickSound, AThousandInstallAndKillCyclesLeaveNothingBehind) {
    Host host;
    for (int i = 0; i < 1000; ++i) {
        PlacedGauge& rmi = host.install(*host.find_gauge("RMI_Switch"));
        if (i % 2 == 0) host.service(rmi, 2, host.library().handle());
        host.kill(rmi);
    }
    const auto& log = host.platform_log();
    EXPECT_EQ(log.devices.size(), 1500u);
    EXPECT_EQ(log.live_devices(), 0);
    EXPECT_EQ(log.live_buffers(), 0);
    expect_loader_cleaned_up(host);
}

}  // namespace
