// The message dialog: time from DoModal to the first complete paint of the
// update question, against the platform's MessageBoxW with the same text and
// style; and GDI objects and private bytes before, during and after, over 50
// dialogs, which must not grow. Each dialog is closed as soon as it has
// painted completely, with IDCANCEL, as the Cancel button would close it.
//   quarnel_bench_dialog [--dialogs N]
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "app/quarnel_app.h"
#include "bench/common/bench_row.h"
#include "bench/common/clock.h"
#include "i18n/catalogue.h"
#include "res/resource.h"
#include "tools/harness/first_paint_watch.h"
#include "tools/harness/gdi_object_count.h"
#include "ui/msg_dlg.h"

namespace {

struct Usage {
  int gdiObjects = -1;
  double privateKiB = -1;
};

// Committed private memory, summed over the address space: what Windows
// calls private bytes. Wine reports no PrivateUsage, so it is counted here.
double PrivateKiB() {
  unsigned long long bytes = 0;
  MEMORY_BASIC_INFORMATION region;
  const BYTE* address = nullptr;
  while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    const BYTE* next = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return bytes / 1024.0;
}

Usage CurrentUsage() {
  Usage usage;
  usage.gdiObjects = LiveGdiObjectCount();
  usage.privateKiB = PrivateKiB();
  return usage;
}

// What the watch's callback saw of the dialog on the screen.
struct ShownState {
  Usage during;
  bool timedOut = false;
};

void CloseWhenPainted(HWND root, bool complete, void* context) {
  ShownState* state = static_cast<ShownState*>(context);
  state->during = CurrentUsage();
  state->timedOut = !complete;
  if (root) PostMessageW(root, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

struct DialogSample {
  double ms = -1;  // DoModal to first complete paint; negative: never
  Usage during;
  Usage after;
  INT_PTR result = -1;
};

DialogSample ShowUpdateQuestion(FirstPaintWatch& watch, ShownState& state) {
  DialogSample sample;
  CMsgDlg dialog;
  dialog.m_strMessage = LoadServiceLanguageString(IDS_MSG_UPDATE_QUESTION);
  dialog.m_nStyle = MB_ICONINFORMATION | MB_OKCANCEL;
  dialog.m_nLanguage = LANGUAGE_FROM_SERVICE;
  watch.Arm();
  const LONGLONG start = CounterNow();
  sample.result = dialog.DoModal();
  sample.after = CurrentUsage();
  sample.during = state.during;
  if (watch.Complete()) sample.ms = CounterMs(start, watch.CompletedAt());
  return sample;
}

double ShowMessageBox(FirstPaintWatch& watch, const CString& text) {
  watch.Arm();
  const LONGLONG start = CounterNow();
  MessageBoxW(nullptr, text, L"Quarnel", MB_ICONINFORMATION | MB_OKCANCEL);
  return watch.Complete() ? CounterMs(start, watch.CompletedAt()) : -1;
}

std::string KiB(double value) { return std::to_string(static_cast<long long>(value)) + " KiB"; }

void ReportLatency(const std::vector<double>& ours, const std::vector<double>& floor) {
  const SampleSummary oursSummary = Summarize(ours), floorSummary = Summarize(floor);
  PrintRow(FormatRow("5 dialog: DoModal to first paint", FormatSummary(oursSummary, "ms", 1),
                     "MessageBoxW " + FormatSummary(floorSummary, "ms", 1),
                     Ratio(oursSummary.median, floorSummary.median), "(measured)", "-"));
}

void ReportUsage(const std::vector<DialogSample>& samples, const Usage& before) {
  if (samples.empty()) return;
  const DialogSample& first = samples.front();
  const DialogSample& last = samples.back();
  const std::string count = std::to_string(samples.size());
  PrintRow(FormatRow("5 dialog: GDI objects",
                     "before " + std::to_string(before.gdiObjects) + ", during " +
                         std::to_string(first.during.gdiObjects) + ", after #1 " +
                         std::to_string(first.after.gdiObjects) + ", after #" + count + " " +
                         std::to_string(last.after.gdiObjects),
                     "-", 0.0 / 0.0, "no growth #1 -> #" + count,
                     last.after.gdiObjects <= first.after.gdiObjects ? "yes" : "NO"));
  // The heap keeps freed blocks and may settle over the first dialogs; a
  // leak of one decoded background alone (581x343, 32 bpp) is 778 KiB.
  const double growth = last.after.privateKiB - first.after.privateKiB;
  PrintRow(FormatRow(
      "5 dialog: private bytes",
      "before " + KiB(before.privateKiB) + ", during " + KiB(first.during.privateKiB) +
          ", after #1 " + KiB(first.after.privateKiB) + ", after #" + count + " " +
          KiB(last.after.privateKiB),
      "-", 0.0 / 0.0, "growth #1 -> #" + count + " <= 64 KiB", growth <= 64 ? "yes" : "NO"));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int dialogs = 50;
  if (argc == 3 && std::wcscmp(argv[1], L"--dialogs") == 0) dialogs = std::max(2, _wtoi(argv[2]));
  CQuarnelApp app;
  app.StartUp();
  ShownState state;
  FirstPaintWatch watch(CloseWhenPainted, &state);
  if (!watch.Hooked()) {
    PrintNote("dialog: the message hook could not be installed");
    return 1;
  }
  // Only the launcher's dialog runs while its resource use is followed.
  const Usage before = CurrentUsage();
  std::vector<DialogSample> samples;
  int failures = 0;
  for (int i = 0; i < dialogs; ++i) {
    samples.push_back(ShowUpdateQuestion(watch, state));
    if (samples.back().ms < 0 || samples.back().result != IDCANCEL) ++failures;
  }
  // Then the latency, alternating with the platform's message box.
  const CString text = LoadServiceLanguageString(IDS_MSG_UPDATE_QUESTION);
  std::vector<double> ours, floor;
  for (int i = 0; i < dialogs; ++i) {
    const double dialog = ShowUpdateQuestion(watch, state).ms;
    const double box = ShowMessageBox(watch, text);
    if (dialog >= 0)
      ours.push_back(dialog);
    else
      ++failures;
    if (box >= 0)
      floor.push_back(box);
    else
      ++failures;
  }
  if (failures)
    PrintNote("dialog: " + std::to_string(failures) + " dialogs did not paint or close");
  if (samples.front().ms >= 0) {
    PrintNote("dialog: the first dialog of the process took " +
              std::to_string(static_cast<int>(samples.front().ms)) + " ms to paint");
  }
  ReportLatency(ours, floor);
  ReportUsage(samples, before);
  return 0;
}
