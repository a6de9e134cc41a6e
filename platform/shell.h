#pragma once
// Handing a file to the desktop.
#include <string>

namespace platform {

// Opens the file with the desktop's handler for its type (xdg-open). True
// when the handler accepted it.
bool ShellOpen(const std::string& path);

}  // namespace platform
