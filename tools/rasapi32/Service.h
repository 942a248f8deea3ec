#pragma once
// The service's shared state: the one modem port, the connections by handle, and the events
// that RasConnectionNotification registered.

#include <windows.h>

#include <ras.h>

#include <string>

#include "Connection.h"
#include "Plan.h"

namespace standin {

void TraceDial(const DialRequest& request, const std::wstring& phone, DWORD result,
               HRASCONN handle);

// The part of RasDial after its parameters were checked.
DWORD Dial(const DialRequest& request, HRASCONN* handle);
DWORD HangUp(HRASCONN handle);
DWORD GetStatus(HRASCONN handle, Connection::Status& status);
DWORD AddNotification(HRASCONN handle, HANDLE event, DWORD flags);

// For a connection: sets the events registered for its handle or for all, as their flags ask.
void Signal(HRASCONN handle, DWORD flag);
// For a connection whose release has passed: deletes it and lets the port go.
void Release(HRASCONN handle, bool signalDisconnection);

// Connections not released yet; readable without a lock at DLL_PROCESS_DETACH.
long Unreleased();

}  // namespace standin
