// The demo's driver against the real launcher: the product's life, the
// unsupported-Windows message and the high-contrast question pass and leave
// their pictures; a launcher that does the wrong thing, or a locale Wine did
// not give, makes it fail loudly.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/scoped_handles.h"
#include "run_paths.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/scratch_dir.h"

namespace {

struct DriverRun {
  DWORD exitCode = STILL_ACTIVE;
  std::string transcript;
};

// Runs demo_driver.exe with `arguments`, its output captured in `outFile`.
DriverRun RunDriver(const std::wstring& arguments, const std::wstring& outFile) {
  DriverRun result;
  PROCESS_INFORMATION process = {};
  {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    const ScopedHandle out(CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return result;
    const std::wstring exe = StandinPath(L"demo_driver.exe");
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.Get();
    startup.hStdError = out.Get();
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
      return result;
    }
  }  // only the child holds the output file now, so it can be read when it ends
  const ScopedHandle thread(process.hThread);
  const ScopedHandle child(process.hProcess);
  if (WaitForSingleObject(child.Get(), 180000) != WAIT_OBJECT_0) TerminateProcess(child.Get(), 99);
  GetExitCodeProcess(child.Get(), &result.exitCode);
  ReadWholeFile(outFile, &result.transcript);
  return result;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The driver's language index of this program's user locale; -1 when it is
// none of the launcher's eight.
int OwnLanguage() {
  const WORD primaries[] = {LANG_ENGLISH, LANG_FRENCH,     LANG_GERMAN,  LANG_ITALIAN,
                            LANG_SPANISH, LANG_PORTUGUESE, LANG_CHINESE, LANG_JAPANESE};
  const WORD own = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()));
  for (int i = 0; i < 8; ++i) {
    if (primaries[i] == own) return i;
  }
  return -1;
}

class DemoDriver : public ::testing::Test {
 protected:
  ~DemoDriver() override { ResetProductState(); }
  std::wstring Out() const { return L"--out \"" + m_dir.Path() + L"\""; }
  std::wstring Log(const wchar_t* name) const { return m_dir.File(name); }
  ScratchDir m_dir{L"demo"};
};

TEST_F(DemoDriver, ProductLifeAndMessagePassWithTheirPictures) {
  const DriverRun life = RunDriver(L"life " + Out(), Log(L"life.txt"));
  ASSERT_EQ(0u, life.exitCode) << life.transcript;
  for (const char* step : {"[1] ", "[2] ", "[3] ", "[4] "}) {
    EXPECT_TRUE(Contains(life.transcript, step)) << step;
  }
  EXPECT_FALSE(Contains(life.transcript, "WRONG")) << life.transcript;
  EXPECT_TRUE(Contains(life.transcript, "Quarnel_Setup2.exe")) << life.transcript;
  EXPECT_TRUE(FileExists(m_dir.File(L"update-question-en.png")));

  const int language = OwnLanguage();
  if (language < 0) GTEST_SKIP() << "this prefix's user locale is none of the eight languages";
  const DriverRun message = RunDriver(L"unsupported " + Out() + L" --language " +
                                          std::to_wstring(language) + L" --locale own --label 5.1",
                                      Log(L"message.txt"));
  EXPECT_EQ(0u, message.exitCode) << message.transcript;
  EXPECT_TRUE(Contains(message.transcript, "only the message")) << message.transcript;
  EXPECT_TRUE(FileExists(m_dir.File(L"unsupported-" + std::to_wstring(language) + L"-own.png")));
  std::string captions;
  ASSERT_TRUE(ReadWholeFile(m_dir.File(L"captions.txt"), &captions));
  EXPECT_TRUE(Contains(captions, "update-question-en.png\tEnglish")) << captions;
  EXPECT_TRUE(Contains(captions, "unsupported Windows")) << captions;

  // The product from the life above, its Zelvane.exe gone: the repair
  // question, declined, code 12.
  const DriverRun missing =
      RunDriver(L"app-missing " + Out() + L" --language " + std::to_wstring(language) +
                    L" --answer cancel --label 6.1",
                Log(L"missing.txt"));
  EXPECT_EQ(0u, missing.exitCode) << missing.transcript;
  EXPECT_TRUE(Contains(missing.transcript, "exit code 12")) << missing.transcript;
  EXPECT_TRUE(FileExists(m_dir.File(L"repair-question-" + std::to_wstring(language) + L".png")));

  const DriverRun contrast = RunDriver(L"high-contrast " + Out() + L" --label 8", Log(L"hc.txt"));
  EXPECT_EQ(0u, contrast.exitCode) << contrast.transcript;
  EXPECT_TRUE(Contains(contrast.transcript, "ok: drawn in the theme's colours"))
      << contrast.transcript;
  EXPECT_TRUE(FileExists(m_dir.File(L"update-question-high-contrast.png")));
}

TEST_F(DemoDriver, WrongOutcomesFailLoudly) {
  struct Case {
    const char* name;
    std::wstring arguments;
    const char* expected;  // in the transcript
  };
  // A program that is not the launcher: it installs nothing.
  const std::wstring notLauncher = L" --launcher \"" + StandinPath(L"Zelvane.exe") + L"\"";
  const int otherLanguage = (OwnLanguage() + 1) % 8;
  const Case cases[] = {
      {"not a launcher", L"life " + Out() + notLauncher, "WRONG: the service received 0"},
      {"locale not given",
       L"unsupported " + Out() + L" --language " + std::to_wstring(otherLanguage) +
           L" --locale xx --label 5.9",
       "WRONG: Wine reports locale"},
      // No product installed: nothing to move aside, no message to see.
      {"no product",
       L"app-missing " + Out() + L" --language " + std::to_wstring(OwnLanguage()) +
           L" --answer ok --label 6.9",
       "WRONG: cannot move Zelvane.exe aside"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DriverRun run = RunDriver(c.arguments, Log(L"wrong.txt"));
    EXPECT_EQ(1u, run.exitCode) << run.transcript;
    EXPECT_TRUE(Contains(run.transcript, c.expected)) << run.transcript;
    EXPECT_TRUE(Contains(run.transcript, "DEMO FAILED")) << run.transcript;
  }
}

}  // namespace
