// Prints the resources of an executable by what they are for, one line each:
//   RES<TAB>class<TAB>bytes<TAB>count
//   quarnel_bench_resources PATH
#include <windows.h>

#include <cstdio>

#include "bench/size/resource_tally.h"

namespace {

// A module loaded as data, freed on every path.
class DataModule {
 public:
  explicit DataModule(const wchar_t* path)
      : m_module(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataModule() {
    if (m_module) FreeLibrary(m_module);
  }
  DataModule(const DataModule&) = delete;
  DataModule& operator=(const DataModule&) = delete;
  HMODULE Get() const { return m_module; }

 private:
  HMODULE m_module;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarnel_bench_resources PATH\n");
    return 2;
  }
  const DataModule module(argv[1]);
  if (!module.Get()) {
    std::fprintf(stderr, "quarnel_bench_resources: cannot load %ls\n", argv[1]);
    return 1;
  }
  for (const auto& entry : TallyResources(module.Get())) {
    std::printf("RES\t%s\t%llu\t%u\n", entry.first.c_str(), entry.second.bytes, entry.second.count);
  }
  return 0;
}
