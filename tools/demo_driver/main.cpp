// Demo driver: runs the built launcher under Wine through the sample
// product's life on a scratch machine, answers its dialogs with real input,
// pictures them, checks every outcome and prints a numbered transcript.
// demo.sh runs it once for the product's life and once per user locale.
//
//   demo_driver life --out DIR [--launcher PATH]
//   demo_driver unsupported --out DIR --language N --locale NAME --label L
//                           [--launcher PATH]
//   demo_driver app-missing --out DIR --language N --answer ok|cancel --label L
//                           [--launcher PATH]
//   demo_driver reinstall   --out DIR [--launcher PATH]
//   demo_driver high-contrast --out DIR --label L [--launcher PATH]
//   demo_driver forget      (removes the product's registry traces and its folder)
//
// DIR receives the pictures, captions.txt and the machine (DIR\machine).
// Exit code 0 when every check held, 1 when one failed, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

#include "demo_steps.h"
#include "installed_product.h"
#include "product_state.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/scratch_dir.h"

namespace {

struct Options {
  std::wstring mode;
  std::map<std::wstring, std::wstring> values;
  std::wstring Value(const wchar_t* name, const std::wstring& fallback = L"") const {
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second;
  }
};

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
  if (argc < 2) return false;
  options->mode = argv[1];
  for (int i = 2; i + 1 < argc; i += 2) {
    if (std::wcsncmp(argv[i], L"--", 2) != 0) return false;
    options->values[argv[i] + 2] = argv[i + 1];
  }
  return (argc % 2) == 0;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: demo_driver life --out DIR [--launcher PATH]\n"
      "       demo_driver unsupported --out DIR --language N --locale NAME --label L\n"
      "       demo_driver app-missing --out DIR --language N --answer ok|cancel --label L\n"
      "       demo_driver reinstall --out DIR\n"
      "       demo_driver high-contrast --out DIR --label L\n"
      "       demo_driver forget\n");
  return 2;
}

int RunMode(const Options& options) {
  const std::wstring out = options.Value(L"out");
  if (out.empty()) return Usage();
  const std::wstring launcher = options.Value(L"launcher", BuiltLauncher());
  DemoMachine machine(out + L"\\machine", launcher);
  Transcript transcript;
  DemoContext context{machine, transcript, launcher, out, CarriesNsisInstaller(launcher)};
  if (options.mode == L"life") {
    RunProductLife(context);
  } else if (options.mode == L"reinstall") {
    RunUninstallAndReinstall(context);
  } else if (options.mode == L"high-contrast") {
    RunHighContrast(context, options.Value(L"label", L"8"));
  } else if (options.mode == L"app-missing") {
    const std::wstring language = options.Value(L"language");
    const std::wstring answer = options.Value(L"answer");
    if (language.empty() || (answer != L"ok" && answer != L"cancel")) return Usage();
    RunApplicationMissing(context, _wtoi(language.c_str()), answer == L"ok",
                          options.Value(L"label", L"6"));
  } else {
    const std::wstring language = options.Value(L"language");
    if (language.empty()) return Usage();
    RunUnsupportedWindows(context, _wtoi(language.c_str()), options.Value(L"locale"),
                          options.Value(L"label", L"5"));
  }
  if (transcript.failed()) transcript.Line(L"*** DEMO FAILED: the outcome above is wrong ***");
  return transcript.failed() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) return Usage();
  if (options.mode == L"forget") return ForgetProduct() && RemoveTree(SampleProductDir()) ? 0 : 1;
  if (options.mode != L"life" && options.mode != L"unsupported" && options.mode != L"app-missing" &&
      options.mode != L"reinstall" && options.mode != L"high-contrast") {
    return Usage();
  }
  return RunMode(options);
}
