#pragma once

#include "platform/ui/services.h"

namespace platform {

// The Qt implementation.
TServices& QtServices();

}  // namespace platform
