// Installing or updating: the path notices to the service, then the
// installer written, checked, run and waited for.
#pragma once
#include "app/run_outcome.h"

// Announces the launcher's path and folder to the service (a failed notice
// changes nothing), then deploys and runs the installer, holding the command
// mutex's handle until it has ended. DeploySetup's outcome.
RunOutcome RunInstallBranch();
