// A program without the C runtime, for the checks of the Windows floor: it imports only
// ExitProcess and PROBE_CALL (GetTickCount unless the build names another function taking no
// arguments), and ends with exit code 42 once it has run.
#include <windows.h>

#ifndef PROBE_CALL
#define PROBE_CALL GetTickCount
#endif

// The entry point the linker looks for in a console program built without start-up files.
void mainCRTStartup(void) {
  (void)PROBE_CALL();
  ExitProcess(42);
}
