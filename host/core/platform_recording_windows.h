// The Windows build's view of what the module asks of the platform. The real
// DirectSound, winmm and kernel do the work; the module's imports are bent
// through recorders that write the same PlatformLog the native stand-ins
// write, and that refuse a step when a test asks, so one test reads both
// builds alike.
#pragma once

#include <windows.h>

namespace korvel::host {

// Points the loaded module's imports of DirectSoundCreate, mmioOpenA,
// mmioClose, GlobalAlloc, GlobalFree, FindResourceA, FreeResource,
// GetModuleFileNameA, malloc, calloc and realloc at the recorders. Imports the module does not have are
// left alone; calling it again for the same load changes nothing.
void install_platform_recording(HMODULE module);

// A real, hidden top-level window of the class, for the module's FindWindowA
// to find; the class is registered on first use. Returns the HWND.
void* create_host_window(const char* class_name);

// Destroys every window create_host_window made and unregisters their
// classes. Call it on the thread that made them.
void destroy_host_windows();

}  // namespace korvel::host
