// The real Quarnel.exe on the install branch with the stand-in service
// running: the service hears the launcher's path, then its folder, before
// the installer copy exists; with no service the launcher installs all the
// same.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_channel_service.h"
#include "run_paths.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/standin_service_process.h"
#include "trace_log.h"

namespace {

size_t CountRecords(const std::vector<StandinRecord>& records, const std::wstring& event) {
  size_t count = 0;
  for (const StandinRecord& record : records) count += record.event == event ? 1 : 0;
  return count;
}

class InstallNotices : public ::testing::Test {
 protected:
  InstallNotices() {
    world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
    world.Env()[L"QUARNEL_TRACE"] = TracePath();
    DeleteFileW(serviceLog.c_str());
  }

  std::wstring TracePath() const { return world.LogPath() + L".trace"; }
  std::vector<std::wstring> Notices() const {
    return TraceMessages(ReadTraceLog(TracePath()), L"notice");
  }
  std::wstring TraceReport() const { return TraceText(ReadTraceLog(TracePath())); }

  // Starts the stand-in service logging to serviceLog and watching for the
  // first installer copy in the launcher's temporary folder.
  bool StartService() {
    const std::wstring copy = world.TempDir() + L"\\Quarnel_Setup1.exe";
    return service.Start(L"--status 0 --log \"" + serviceLog + L"\" --watch-file \"" + copy +
                         L"\"");
  }

  LauncherWorld world{L"notices"};
  const std::wstring serviceLog = std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\service-notices.log";
  StandinService service;
};

TEST_F(InstallNotices, TheServiceHearsThePathThenTheFolderBeforeTheInstallerIsWritten) {
  ASSERT_TRUE(StartService());
  NamedEvent release(L"QuarnelTestReleaseNoticesInstaller");
  world.Env()[L"QUARNEL_STANDIN_WAIT_EVENT"] = release.Name();
  ChildProcess launcher;
  ASSERT_TRUE(world.Start(launcher, world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"installer-start"));
  // While the installer runs the launcher keeps its handle to the command
  // mutex (nothing else here holds one), and owns it no longer.
  EXPECT_TRUE(CommandMutexExists());
  release.Set();
  ASSERT_TRUE(launcher.Wait(60000));
  EXPECT_EQ(0u, launcher.ExitCode());
  EXPECT_FALSE(CommandMutexExists()) << "the channel's handle outlived the run";

  const auto requests = ReadServiceLog(serviceLog);
  ASSERT_EQ(2u, requests.size());
  EXPECT_EQ(0, _wcsicmp(world.DownloadedLauncher().c_str(), requests[0].Field(L"path").c_str()))
      << requests[0].Field(L"path");
  EXPECT_EQ(0, _wcsicmp(world.DownloadDir().c_str(), requests[1].Field(L"path").c_str()))
      << "the folder, without a trailing backslash: " << requests[1].Field(L"path");
  for (const ServiceLogEntry& request : requests) {
    EXPECT_EQ(L"253", request.Field(L"command"));
    EXPECT_EQ(L"0", request.Field(L"status"));
    EXPECT_EQ(L"536", request.Field(L"size"));
    EXPECT_EQ(L"zero", request.Field(L"tail"));
    EXPECT_EQ(L"absent", request.Field(L"watch")) << "notice sent after the installer was written";
  }
  EXPECT_EQ(1u, CountRecords(world.Records(), L"installer-start"));
}

TEST_F(InstallNotices, WithoutAServiceTheLauncherInstallsAllTheSame) {
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"installer-start"));
  EXPECT_EQ(1u, CountRecords(world.Records(), L"installer-start"));
  EXPECT_FALSE(CommandMutexExists());
  const auto notices = Notices();
  ASSERT_EQ(2u, notices.size()) << TraceReport();
  EXPECT_EQ(0u, notices[0].find(L"notice 1: status 4 after ")) << notices[0];
  EXPECT_EQ(0u, notices[1].find(L"notice 2: status 4 after ")) << notices[1];
}

TEST_F(InstallNotices, AnUnansweredNoticeDelaysButDoesNotStopTheInstall) {
  // The launcher's wait cannot be shortened from outside: its first notice
  // waits out the whole bounded time-out, the second is answered.
  ASSERT_TRUE(service.Start(L"--ignore-first 1 --log \"" + serviceLog + L"\""));
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher(), L"", 120000));
  EXPECT_EQ(1u, CountRecords(world.Records(), L"installer-start"));
  const auto requests = ReadServiceLog(serviceLog);
  ASSERT_EQ(2u, requests.size());
  EXPECT_EQ(L"none", requests[0].Field(L"reply"));
  EXPECT_EQ(L"0", requests[1].Field(L"reply"));
  EXPECT_EQ(0, _wcsicmp(world.DownloadDir().c_str(), requests[1].Field(L"path").c_str()));
  const auto notices = Notices();
  ASSERT_EQ(2u, notices.size()) << TraceReport();
  EXPECT_EQ(0u, notices[0].find(L"notice 1: status 255 after ")) << notices[0];
  EXPECT_NE(std::wstring::npos, notices[0].find(L"late answer")) << notices[0];
  EXPECT_EQ(0u, notices[1].find(L"notice 2: status 0 after ")) << notices[1];
}

TEST_F(InstallNotices, ASilentServiceGetsTwo255sAndTheInstallGoesOn) {
  ASSERT_TRUE(service.Start(L"--never-answer --log \"" + serviceLog + L"\""));
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher(), L"", 180000));
  EXPECT_EQ(1u, CountRecords(world.Records(), L"installer-start"));
  const auto notices = Notices();
  ASSERT_EQ(2u, notices.size()) << TraceReport();
  EXPECT_EQ(0u, notices[0].find(L"notice 1: status 255 after ")) << notices[0];
  EXPECT_EQ(0u, notices[1].find(L"notice 2: status 255 after ")) << notices[1];
}

// A copy of the launcher at the root of drive C:, which in the test prefix
// is the prefix's own throwaway drive; removed afterwards.
class LauncherAtDriveRoot {
 public:
  explicit LauncherAtDriveRoot(const std::wstring& source) {
    m_copied = CopyFileW(source.c_str(), kPath, FALSE) != FALSE;
  }
  ~LauncherAtDriveRoot() {
    if (m_copied) DeleteFileW(kPath);
  }
  bool Copied() const { return m_copied; }
  static constexpr const wchar_t* kPath = L"C:\\Quarnel.exe";

 private:
  bool m_copied = false;
};

TEST_F(InstallNotices, ALauncherAtADriveRootAnnouncesTheBareDriveDesignator) {
  LauncherAtDriveRoot launcher(world.DownloadedLauncher());
  ASSERT_TRUE(launcher.Copied()) << GetLastError();
  ASSERT_TRUE(StartService());
  EXPECT_EQ(0u, world.Run(LauncherAtDriveRoot::kPath));
  const auto requests = ReadServiceLog(serviceLog);
  ASSERT_EQ(2u, requests.size());
  EXPECT_EQ(0, _wcsicmp(LauncherAtDriveRoot::kPath, requests[0].Field(L"path").c_str()))
      << requests[0].Field(L"path");
  // Folders go out without a trailing backslash, the root's included.
  EXPECT_EQ(0, _wcsicmp(L"C:", requests[1].Field(L"path").c_str())) << requests[1].Field(L"path");
}

}  // namespace
