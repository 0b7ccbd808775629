// The two records the module exports, and the host's service table that the
// host hands over through ImportTable.
#pragma once

#include "module/records.h"

using PanelWindowToggle = std::int32_t(KORVEL_CALL*)(std::uint32_t panel_id);
using TriggerKeyEvent = std::int32_t(KORVEL_CALL*)(std::uint32_t event, std::uint32_t value);
using LookupVar = void(KORVEL_CALL*)(ModuleVariable* variable);
using ExecuteCalculatorCode = std::int32_t(KORVEL_CALL*)(const char* code, double* number_result,
                                                         std::int32_t* integer_result, const char** text_result);

inline constexpr int gauge_count = 58;

#if UINTPTR_MAX == 0xFFFFFFFFu
#pragma pack(push, 4)
#endif

// The host's table. Only four entries are used; the others are the host's.
struct PanelServices {
    void* unused_0[35];
    PanelWindowToggle panel_window_toggle;
    TriggerKeyEvent trigger_key_event;
    void* unused_37[3];
    LookupVar lookup_var;
    void* unused_41[28];
    ExecuteCalculatorCode execute_calculator_code;
};

struct ModuleImports {
    std::uint32_t services_id;  // 0xF
    PanelServices* services;    // written by the host before it calls the module
    std::uint32_t end_id;       // 0
    void* end_pointer;          // null
};

struct ModuleLinkage {
    std::uint32_t module_id;  // 0x13
    ModuleRoutine module_init;
    ModuleRoutine module_deinit;
    std::uint32_t flags;
    std::uint32_t status;
    std::uint32_t version;                 // 0x900
    GaugeHeader* gauges[gauge_count + 1];  // null after the last
};

#if UINTPTR_MAX == 0xFFFFFFFFu
#pragma pack(pop)
#endif

static_assert(sizeof(void*) != 4 || offsetof(PanelServices, panel_window_toggle) == 0x8C);
static_assert(sizeof(void*) != 4 || offsetof(PanelServices, trigger_key_event) == 0x90);
static_assert(sizeof(void*) != 4 || offsetof(PanelServices, lookup_var) == 0xA0);
static_assert(sizeof(void*) != 4 || offsetof(PanelServices, execute_calculator_code) == 0x114);
static_assert(sizeof(void*) != 4 || sizeof(ModuleImports) == 16);
static_assert(sizeof(void*) != 4 || offsetof(ModuleImports, services) == 4);
static_assert(sizeof(void*) != 4 || offsetof(ModuleLinkage, version) == 5 * 4);
static_assert(sizeof(void*) != 4 || offsetof(ModuleLinkage, gauges) == 6 * 4);
static_assert(sizeof(void*) != 4 || sizeof(ModuleLinkage) == 65 * 4);

inline constexpr std::uint32_t import_services_id = 0xF;
inline constexpr std::uint32_t linkage_module_id = 0x13;
inline constexpr std::uint32_t linkage_version = 0x900;

extern "C" {
extern ModuleLinkage Linkage;
extern ModuleImports ImportTable;
}
