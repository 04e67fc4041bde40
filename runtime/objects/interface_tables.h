// Interface dispatch tables.
#pragma once

#include <string>

namespace ql {

// A new build over every class object: each class that implements interfaces gets, per interface, a table
// whose slot i (from 1) holds the code of the nearest method in its chain named like the interface's i-th
// method. Classes already covered by this build are skipped. False when a class lacks such a method;
// problem then names the class, the interface and the method, and the build has stopped.
bool build_interface_tables(std::string& problem);

}  // namespace ql
