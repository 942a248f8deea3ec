// The process's end is the one event the trace gets from here.

#include <windows.h>

#include "Service.h"
#include "Trace.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) standin::TraceExit(standin::Unreleased());
  return TRUE;
}
