// quillox-all: converts every program of an application folder with QUILLOX, several at a time.
#pragma once

#include <string>
#include <vector>

namespace batch {

/// A whole run over `arguments` (without the program name); `invoked_as` is the name the
/// command was started under, beside which QUILLOX is looked for. Returns the exit code.
int run_quillox_all(const std::string& invoked_as, const std::vector<std::string>& arguments);

/// A whole run over a command line as `main` receives it; returns the exit code.
int run_quillox_all(int argc, char** argv);

}  // namespace batch
