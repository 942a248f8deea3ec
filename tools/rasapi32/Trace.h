#pragma once
// The trace that BRUMELKA_RAS_TRACE names: one UTF-8 line per event, each appended and the file
// closed again at once, so that a test can read it at any moment.

#include <windows.h>

#include <ras.h>

#include <string>
#include <string_view>

namespace standin {

std::wstring HandleNumber(HRASCONN handle);

void Trace(std::wstring_view line);
// For DLL_PROCESS_DETACH: a thread that was killed may still hold the trace's lock, and the
// heap's, so this one neither waits for the lock nor allocates.
void TraceExit(long unreleased);

}  // namespace standin
