// Dynamic type information: each class that declares it carries one
// CRuntimeClass naming the class and pointing to its base's record, so an
// object can say what it is without the C++ runtime's type information
// (the launcher is built without RTTI).
#pragma once
#include <windows.h>

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;  // null for the root

  // TRUE when this class is `baseClass` or derives from it.
  BOOL IsDerivedFrom(const CRuntimeClass* baseClass) const;
};

#define RUNTIME_CLASS(className) (&className::class##className)

#define DECLARE_DYNAMIC(className)                         \
 public:                                                   \
  static const CRuntimeClass class##className;             \
  const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(className, baseClassName)                          \
  const CRuntimeClass className::class##className = {                        \
      #className, RUNTIME_CLASS(baseClassName)};                             \
  const CRuntimeClass* className::GetRuntimeClass() const {                  \
    return RUNTIME_CLASS(className);                                         \
  }

// Root of the framework's classes. The type query comes first in the virtual
// table, then the destructor, as in the framework the launcher is written for.
class CObject {
 public:
  static const CRuntimeClass classCObject;
  // The record of the object's most derived class that declares one.
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() {}

  // TRUE when the object's class is `runtimeClass` or derives from it.
  BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
};
