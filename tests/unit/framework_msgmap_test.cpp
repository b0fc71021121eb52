// Message-map lookup and runtime class records, without windows: which
// handler a message reaches in a two-level class hierarchy.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"

namespace {

constexpr UINT kSharedCommand = 100;   // handled by both classes
constexpr UINT kBaseOnlyCommand = 101;
constexpr UINT kDerivedOnlyCommand = 102;

class CBaseTarget : public CWnd {
  DECLARE_DYNAMIC(CBaseTarget)

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
IMPLEMENT_DYNAMIC(CBaseTarget, CWnd)

class CDerivedTarget : public CBaseTarget {
  DECLARE_DYNAMIC(CDerivedTarget)

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
IMPLEMENT_DYNAMIC(CDerivedTarget, CBaseTarget)

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
    case Route::Window:
      return target.DispatchWindowMessage(c.messageOrCode, 0, 0, &result);
    case Route::Command:
      return target.DispatchCommand(c.messageOrCode, c.id, MAKEWPARAM(c.id, c.messageOrCode), 0);
    case Route::Reflect:
      return target.DispatchReflected(c.messageOrCode, 0, 0, &result);
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
  EXPECT_TRUE(target.DispatchCommand(BN_CLICKED, kSharedCommand, 0, 0));
  EXPECT_FALSE(target.DispatchCommand(BN_CLICKED, kDerivedOnlyCommand, 0, 0));
  LRESULT result = 0;
  EXPECT_TRUE(target.DispatchWindowMessage(WM_DESTROY, 0, 0, &result));
  EXPECT_EQ("base-shared;base-destroy;", target.calls);
}

TEST(FrameworkMessageMap, HandlerResultIsPassedBack) {
  CDerivedTarget target;
  LRESULT result = 0;
  ASSERT_TRUE(target.DispatchWindowMessage(WM_ERASEBKGND, 0, 0, &result));
  EXPECT_EQ(7, result);
}

TEST(FrameworkRuntimeClass, NamesAndAncestry) {
  CDerivedTarget derived;
  CBaseTarget base;
  const CRuntimeClass* info = derived.GetRuntimeClass();
  EXPECT_STREQ("CDerivedTarget", info->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CBaseTarget), info->m_pBaseClass);
  EXPECT_STREQ("CBaseTarget", base.GetRuntimeClass()->m_lpszClassName);

  struct KindCase {
    const CObject* object;
    const CRuntimeClass* cls;
    BOOL expected;
  } cases[] = {
      {&derived, RUNTIME_CLASS(CDerivedTarget), TRUE}, {&derived, RUNTIME_CLASS(CBaseTarget), TRUE},
      {&derived, RUNTIME_CLASS(CWnd), TRUE},           {&derived, RUNTIME_CLASS(CCmdTarget), TRUE},
      {&derived, RUNTIME_CLASS(CObject), TRUE},        {&derived, RUNTIME_CLASS(CDialog), FALSE},
      {&base, RUNTIME_CLASS(CDerivedTarget), FALSE},   {&base, RUNTIME_CLASS(CWnd), TRUE},
  };
  for (const KindCase& c : cases) {
    EXPECT_EQ(c.expected, c.object->IsKindOf(c.cls))
        << c.object->GetRuntimeClass()->m_lpszClassName << " vs " << c.cls->m_lpszClassName;
  }
}

TEST(FrameworkRuntimeClass, FrameworkClassesChainToTheRoot) {
  const char* expected[] = {"CDialog", "CWnd", "CCmdTarget", "CObject"};
  const CRuntimeClass* c = RUNTIME_CLASS(CDialog);
  for (const char* name : expected) {
    ASSERT_NE(nullptr, c);
    EXPECT_STREQ(name, c->m_lpszClassName);
    c = c->m_pBaseClass;
  }
  EXPECT_EQ(nullptr, c);
  EXPECT_EQ(RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CButton)->m_pBaseClass);
  EXPECT_EQ(RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CStatic)->m_pBaseClass);
}

}  // namespace
