// The library entry of the Windows build. The loader calls it on process and
// thread attach and detach; the module has nothing to do then.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
