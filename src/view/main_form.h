#pragma once

#include "view/control.h"

namespace penlark {

// The main window as it stands when built, before start-up restores the saved settings.
Form mainWindowForm();

} // namespace penlark
