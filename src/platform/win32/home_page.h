// The address opened with the shell when the main window goes away, set when building.
#pragma once

#include <string>

namespace tavori::win32 {

// Empty when the build names no home page: then no request is made.
std::string homePageAddress();

}  // namespace tavori::win32
