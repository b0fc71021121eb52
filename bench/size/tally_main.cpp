// Prints the resources of an executable by what they are for, one line each:
//   RES<TAB>class<TAB>bytes<TAB>count
//   quarnel_bench_resources PATH
#include <windows.h>

#include <cstdio>

#include "bench/size/resource_tally.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarnel_bench_resources PATH\n");
    return 2;
  }
  HMODULE module =
      LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    std::fprintf(stderr, "quarnel_bench_resources: cannot load %ls\n", argv[1]);
    return 1;
  }
  for (const auto& entry : TallyResources(module)) {
    std::printf("RES\t%s\t%llu\t%u\n", entry.first.c_str(), entry.second.bytes,
                entry.second.count);
  }
  FreeLibrary(module);
  return 0;
}
