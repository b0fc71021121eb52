#include "app/setup_payload.h"

#include "res/resource.h"

StepResult LoadPayload(const void*& data, DWORD& size) {
  data = nullptr;
  size = 0;
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  if (!resource) return StepResult::FailedWithLastError(StepId::kPayload);
  size = SizeofResource(nullptr, resource);
  HGLOBAL loaded = size ? LoadResource(nullptr, resource) : nullptr;
  data = loaded ? LockResource(loaded) : nullptr;
  // These calls leave no error of their own behind.
  if (!data) return StepResult::Failed(StepId::kPayload, ERROR_RESOURCE_DATA_NOT_FOUND);
  return StepResult::Done(StepId::kPayload);
}
