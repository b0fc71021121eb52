// Names of the kernel objects through which clients reach the product's
// service. Each is formed from a format string and an argument, as the
// service forms them.
#pragma once
#include <windows.h>

#include <stddef.h>

// The command mutex, "Global\2017PellunCmdMutex".
constexpr LPCWSTR kCommandMutexFormat = L"Global\\%sCmdMutex";
constexpr LPCWSTR kCommandMutexArgument = L"2017Pellun";
// The exchange's objects, each formed with kServiceArgument.
constexpr LPCWSTR kRequestEventFormat = L"Global\\%sEvent";
constexpr LPCWSTR kEndEventFormat = L"Global\\%sEndEvent";
constexpr LPCWSTR kSharedMemoryFormat = L"Global\\%sMem";
constexpr LPCWSTR kServiceArgument = L"ZelvaneSvc";

// Room for any of the names above, with a wide margin.
constexpr size_t kObjectNameChars = 64;

// Writes `format` to `out` with its first "%s" replaced by `argument`. false,
// `out` emptied (or untouched when null or of no capacity), when an argument
// is null or the name would not fit; never writes past out[capacity - 1].
bool FormatObjectName(LPCWSTR format, LPCWSTR argument, WCHAR* out, size_t capacity);

// The names one exchange needs: request event, end event, shared memory.
struct ExchangeObjectNames {
  WCHAR requestEvent[kObjectNameChars];
  WCHAR endEvent[kObjectNameChars];
  WCHAR sharedMemory[kObjectNameChars];

  // Forms all three; false if any of them does not fit.
  bool Form();
};
