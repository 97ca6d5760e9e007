#include <windows.h>

// All start-up work waits for ORBXPlugin_Load; loading the DLL does nothing.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
