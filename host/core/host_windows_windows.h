// The simulator's own windows, as the Windows build's host makes them: real,
// hidden top-level windows that the module's FindWindowA finds, as it finds
// the simulator's main window.
#pragma once

namespace korvel::host {

// A real, hidden top-level window of the class, for the module's FindWindowA
// to find; the class is registered on first use. Returns the HWND.
void* create_host_window(const char* class_name);

// Destroys every window create_host_window made and unregisters their
// classes. Call it on the thread that made them.
void destroy_host_windows();

}  // namespace korvel::host
