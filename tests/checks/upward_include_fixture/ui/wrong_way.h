// A ui/ header that reaches up into app/: the include-layer check must
// reject it (only the dialog itself may reach the application object).
#pragma once
#include "app/quarnel_app.h"
