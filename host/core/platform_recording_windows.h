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

}  // namespace korvel::host
