#pragma once
// The sizes of the records that the service accepts: the forms of every header version a
// program may have been built with. A record is read and written only within the size its
// caller gave, and the fields that the forms share sit at the same offsets in all of them.

#include <windows.h>

#include <ras.h>

#include <cstddef>

namespace standin {

template <typename Char>
struct Forms;

template <>
struct Forms<char> {
  using EntryName = RASENTRYNAMEA;
  using DialParams = RASDIALPARAMSA;
  using ConnStatus = RASCONNSTATUSA;
};

template <>
struct Forms<wchar_t> {
  using EntryName = RASENTRYNAMEW;
  using DialParams = RASDIALPARAMSW;
  using ConnStatus = RASCONNSTATUSW;
};

// The records are packed to 4 bytes, so a form ends on the next multiple of 4.
constexpr std::size_t AlignedTo4(std::size_t size) {
  return (size + 3) / 4 * 4;
}

// WINVER 0x601 adds the tunnel's end points and the sub-state, which MinGW's header lacks.
template <typename Char>
struct ConnStatus601 {
  typename Forms<Char>::ConnStatus base;
  RASTUNNELENDPOINT localEndPoint;
  RASTUNNELENDPOINT remoteEndPoint;
  DWORD rasconnsubstate;
};

// Before Windows 2000 a record ended with the entry name.
template <typename Char>
bool IsEntryNameSize(DWORD size) {
  using Record = typename Forms<Char>::EntryName;
  return size == offsetof(Record, dwFlags) || size == sizeof(Record);
}

// Before Windows 2000 without dwSubEntry and dwCallbackId, before Windows 7 without dwIfIndex.
template <typename Char>
bool IsDialParamsSize(DWORD size) {
  using Record = typename Forms<Char>::DialParams;
  return size == offsetof(Record, dwSubEntry) || size == offsetof(Record, dwIfIndex) ||
         size == sizeof(Record);
}

template <typename Char>
bool HasCallbackId(DWORD size) {
  return size >= offsetof(typename Forms<Char>::DialParams, dwIfIndex);
}

// WINVER 0x400 without the phone number, 0x401 with it, 0x601 with the end points.
template <typename Char>
bool IsConnStatusSize(DWORD size) {
  using Record = typename Forms<Char>::ConnStatus;
  return size == AlignedTo4(offsetof(Record, szPhoneNumber)) || size == sizeof(Record) ||
         size == sizeof(ConnStatus601<Char>);
}

template <typename Char>
bool HasPhoneNumber(DWORD size) {
  return size >= sizeof(typename Forms<Char>::ConnStatus);
}

}  // namespace standin
