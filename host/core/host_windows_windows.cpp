#include "host/core/host_windows_windows.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace korvel::host {

namespace {

struct HostWindows {
    std::vector<std::string> classes;  // registered here, so unregistered here
    std::vector<HWND> windows;
};

HostWindows& host_windows() {
    static HostWindows made;
    return made;
}

}  // namespace

void* create_host_window(const char* class_name) {
    if (class_name == nullptr) return nullptr;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HostWindows& made = host_windows();
    try {
        if (std::find(made.classes.begin(), made.classes.end(), class_name) == made.classes.end()) {
            WNDCLASSEXA c{};
            c.cbSize = sizeof c;
            c.lpfnWndProc = DefWindowProcA;
            c.hInstance = instance;
            c.lpszClassName = class_name;
            if (RegisterClassExA(&c) != 0)
                made.classes.emplace_back(class_name);
            else if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                return nullptr;
        }
        made.windows.reserve(made.windows.size() + 1);
    } catch (...) {
        return nullptr;
    }
    // Top-level, not message-only, or FindWindowA would not see it; never
    // shown, since nobody looks at it.
    HWND window = CreateWindowExA(0, class_name, class_name, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320,
                                  240, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) made.windows.push_back(window);
    return window;
}

void destroy_host_windows() {
    HostWindows& made = host_windows();
    for (HWND window : made.windows) DestroyWindow(window);
    made.windows.clear();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const std::string& name : made.classes) UnregisterClassA(name.c_str(), instance);
    made.classes.clear();
}

}  // namespace korvel::host
