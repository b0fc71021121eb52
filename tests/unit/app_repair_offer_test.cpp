// Which failed hand-offs the launcher offers to repair.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/repair_offer.h"
#include "app/run_outcome.h"

namespace {

// Only a Zelvane.exe the shell did not find is offered the repair; any other
// refusal is told as it is.
TEST(RepairOffer, OnlyAMissingMainApplicationIsOfferedIt) {
  const struct {
    StepResult handoff;
    bool repairable;
  } cases[] = {
      {StepResult::Failed(StepId::kHandoffStart, ERROR_FILE_NOT_FOUND), true},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_PATH_NOT_FOUND), true},
      {StepResult::Failed(StepId::kHandoffProgram, ERROR_FILE_NOT_FOUND), true},
      {StepResult::Done(StepId::kHandoffStart), false},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_BAD_EXE_FORMAT), false},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_ACCESS_DENIED), false},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_ACCESS_DISABLED_BY_POLICY), false},
      {StepResult::Failed(StepId::kHandoffPath, ERROR_FILENAME_EXCED_RANGE), false},
      {StepResult::Failed(StepId::kHandoffPath, ERROR_FILE_NOT_FOUND), false},
  };
  for (const auto& c : cases) {
    const RunOutcome handoff =
        c.handoff ? RunOutcome::Ended(RunEnd::kHandedOff)
                  : RunOutcome::Failed(RunEnd::kApplicationNotStarted, c.handoff, L"Zelvane.exe");
    EXPECT_EQ(c.repairable, IsRepairable(handoff)) << &c - cases;
  }
}

}  // namespace
