#pragma once

namespace app {

// The release of the Ostrel tools, printed by --version.
inline const char* version() { return "1.0.0"; }

}  // namespace app
