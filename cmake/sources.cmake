# The source lists that the builds share: the top-level build and the
# resource tools (built on their own for the Windows build) take them from
# here. KORVEL_ROOT is the top of the tree.

# The module, as it goes into the DLL (its entry point apart) and into the
# native programs.
file(GLOB_RECURSE KORVEL_MODULE_SOURCES CONFIGURE_DEPENDS ${KORVEL_ROOT}/module/*.cpp)
list(FILTER KORVEL_MODULE_SOURCES EXCLUDE REGEX "module/dll_entry\\.cpp$")

# The native stand-ins for the Windows functions the module calls; a program
# adds the resources it embeds, or platform/no_resources.cpp for none.
set(KORVEL_STANDIN_SOURCES
  ${KORVEL_ROOT}/platform/resources.cpp
  ${KORVEL_ROOT}/platform/platform_log.cpp
  ${KORVEL_ROOT}/platform/kernel_standin.cpp
  ${KORVEL_ROOT}/platform/mmio_standin.cpp
  ${KORVEL_ROOT}/platform/dsound_standin.cpp)

# The host's core, in both builds; each build adds its way of loading the module.
set(KORVEL_HOST_CORE_SOURCES
  ${KORVEL_ROOT}/host/core/cp1252.cpp
  ${KORVEL_ROOT}/host/core/dial.cpp
  ${KORVEL_ROOT}/host/core/event_log.cpp
  ${KORVEL_ROOT}/host/core/gauge_records.cpp
  ${KORVEL_ROOT}/host/core/help_texts.cpp
  ${KORVEL_ROOT}/host/core/host.cpp
  ${KORVEL_ROOT}/host/core/mouse_map.cpp
  ${KORVEL_ROOT}/host/core/panel_windows.cpp
  ${KORVEL_ROOT}/host/core/simulation.cpp
  ${KORVEL_ROOT}/host/core/text.cpp
  ${KORVEL_ROOT}/host/core/tooltip_format.cpp
  ${KORVEL_ROOT}/host/core/variables.cpp)

# The renderer: display lists, and cairo painting them.
set(KORVEL_RENDER_SOURCES
  ${KORVEL_ROOT}/host/render/bitmaps.cpp
  ${KORVEL_ROOT}/host/render/dib.cpp
  ${KORVEL_ROOT}/host/render/display_list.cpp
  ${KORVEL_ROOT}/host/render/renderer.cpp
  ${KORVEL_ROOT}/host/render/png_file.cpp)
