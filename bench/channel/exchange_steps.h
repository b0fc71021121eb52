// Where the time of one command-channel exchange goes: the platform calls
// the launcher's channel makes for one path notice, in its order, against
// the running service, each timed on its own.
#pragma once
#include <string>
#include <utility>
#include <vector>

// Mean microseconds of each step over `exchanges` exchanges, in order, named
// ("mutex wait", "open request event x2", ...). Empty when the service's
// objects could not be opened.
std::vector<std::pair<std::string, double>> TimeExchangeSteps(int exchanges);
