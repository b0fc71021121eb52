// The performance counter: one clock for every process under one wineserver
// (and on Windows), so a time taken here compares with a stand-in's "qpc".
#pragma once
#include <windows.h>

// The counter now.
inline LONGLONG CounterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// Milliseconds between two counter readings.
inline double CounterMs(LONGLONG from, LONGLONG to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
