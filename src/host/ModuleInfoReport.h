#pragma once
// lumivane --module-info: the module's version information and its item's
// name and description, read from the module's file.

#include <ostream>
#include <string>

namespace host {

// Prints the report to out; problems go to err. Exit status: 0 when the
// module carries its version information, 1 otherwise.
int PrintModuleInfo(const std::string& modulePath, std::ostream& out, std::ostream& err);

}  // namespace host
