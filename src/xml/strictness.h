#pragma once
#include <string>

namespace xml {

// How configuration mistakes that older files may contain (an unknown child
// element, text after a number, an end tag that names another element) are
// treated: by default they are reported as warnings on standard output and
// the run goes on; in strict mode they are errors. Process-wide, set once at
// start-up (the `--strict` option).
bool strict_mode();
void set_strict_mode(bool strict);

// In strict mode throws util::Exception(message); otherwise writes
// "warning: " + message on standard output and returns.
void warn_or_throw(const std::string& message);

}  // namespace xml
