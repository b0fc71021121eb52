// Message-map lookup without windows: which handler a message reaches in a
// two-level class hierarchy.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"

namespace {

constexpr UINT kSharedCommand = 100;  // handled by both classes
constexpr UINT kBaseOnlyCommand = 101;
constexpr UINT kDerivedOnlyCommand = 102;

class CBaseTarget : public CWnd {
 public:
  std::string calls;
  void OnDestroy() { calls += "base-destroy;"; }
  BOOL OnEraseBkgnd(CDC*) {
    calls += "base-erase;";
    return 7;
  }
  void OnSharedCommand() { calls += "base-shared;"; }
  void OnBaseOnly() { calls += "base-only;"; }
  void OnReflectedFocus() { calls += "base-reflect-focus;"; }
  void OnReflectedClick() { calls += "base-reflect-click;"; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CWnd)
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_COMMAND(kSharedCommand, OnSharedCommand)
  ON_BN_CLICKED(kBaseOnlyCommand, OnBaseOnly)
  ON_CONTROL_REFLECT(BN_SETFOCUS, OnReflectedFocus)
  ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
 public:
  void OnDestroy() { calls += "derived-destroy;"; }
  void OnSharedCommand() { calls += "derived-shared;"; }
  void OnDerivedOnly() { calls += "derived-only;"; }
  void OnSharedNotify() { calls += "derived-notify;"; }
  void OnReflectedFocus() { calls += "derived-reflect-focus;"; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
  ON_WM_DESTROY()
  ON_COMMAND(kSharedCommand, OnSharedCommand)
  ON_COMMAND(kDerivedOnlyCommand, OnDerivedOnly)
  ON_CONTROL(BN_DOUBLECLICKED, kSharedCommand, OnSharedNotify)
  ON_CONTROL_REFLECT(BN_SETFOCUS, OnReflectedFocus)
END_MESSAGE_MAP()

enum class Route { Window, Command, Reflect };

struct LookupCase {
  const char* name;
  Route route;
  UINT messageOrCode;
  UINT id;
  BOOL handled;
  const char* calls;
};

BOOL Deliver(CBaseTarget& target, const LookupCase& c) {
  LRESULT result = 0;
  switch (c.route) {
    case Route::Window: return target.Dispatch(AfxMsgWindow, c.messageOrCode, 0, 0, 0, 0, &result);
    case Route::Command:
      return target.Dispatch(AfxMsgCommand, WM_COMMAND, c.messageOrCode, c.id,
                             MAKEWPARAM(c.id, c.messageOrCode), 0, &result);
    case Route::Reflect:
      return target.Dispatch(AfxMsgReflect, WM_COMMAND, c.messageOrCode, 0, 0, 0, &result);
  }
  return FALSE;
}

TEST(FrameworkMessageMap, DerivedEntriesWinAndKindsStaySeparate) {
  const LookupCase cases[] = {
      {"derived window handler hides the base's", Route::Window, WM_DESTROY, 0, TRUE,
       "derived-destroy;"},
      {"base window handler still reachable", Route::Window, WM_ERASEBKGND, 0, TRUE, "base-erase;"},
      {"unmapped window message", Route::Window, WM_PAINT, 0, FALSE, ""},
      {"derived command hides the base's", Route::Command, BN_CLICKED, kSharedCommand, TRUE,
       "derived-shared;"},
      {"base-only command", Route::Command, BN_CLICKED, kBaseOnlyCommand, TRUE, "base-only;"},
      {"derived-only command", Route::Command, BN_CLICKED, kDerivedOnlyCommand, TRUE,
       "derived-only;"},
      {"notification code is part of the key", Route::Command, BN_DOUBLECLICKED, kSharedCommand,
       TRUE, "derived-notify;"},
      {"other code of a mapped id", Route::Command, BN_SETFOCUS, kSharedCommand, FALSE, ""},
      {"unknown id", Route::Command, BN_CLICKED, 555, FALSE, ""},
      {"a command entry is no reflect entry", Route::Reflect, BN_DOUBLECLICKED, 0, FALSE, ""},
      {"derived reflect hides the base's", Route::Reflect, BN_SETFOCUS, 0, TRUE,
       "derived-reflect-focus;"},
      {"base reflect still reachable", Route::Reflect, BN_CLICKED, 0, TRUE, "base-reflect-click;"},
      {"a reflect entry is no command entry", Route::Command, BN_SETFOCUS, 0, FALSE, ""},
  };
  for (const LookupCase& c : cases) {
    CDerivedTarget target;
    EXPECT_EQ(c.handled, Deliver(target, c)) << c.name;
    EXPECT_EQ(c.calls, target.calls) << c.name;
  }
}

TEST(FrameworkMessageMap, BaseObjectIgnoresDerivedEntries) {
  CBaseTarget target;
  LRESULT result = 0;
  EXPECT_TRUE(
      target.Dispatch(AfxMsgCommand, WM_COMMAND, BN_CLICKED, kSharedCommand, 0, 0, &result));
  EXPECT_FALSE(
      target.Dispatch(AfxMsgCommand, WM_COMMAND, BN_CLICKED, kDerivedOnlyCommand, 0, 0, &result));
  EXPECT_TRUE(target.Dispatch(AfxMsgWindow, WM_DESTROY, 0, 0, 0, 0, &result));
  EXPECT_EQ("base-shared;base-destroy;", target.calls);
}

TEST(FrameworkMessageMap, HandlerResultIsPassedBack) {
  CDerivedTarget target;
  LRESULT result = 0;
  ASSERT_TRUE(target.Dispatch(AfxMsgWindow, WM_ERASEBKGND, 0, 0, 0, 0, &result));
  EXPECT_EQ(7, result);
}

}  // namespace
