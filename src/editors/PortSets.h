#pragma once

#include "editors/ControlKinds.h"

#include <vector>

// The choice of a set of ports, stored as its port digits in ascending order:
// "NONE" is "0", "Ports 1 & 3" is "13", "All Ports" is "123".
const std::vector<ListEntry>& PortSetEntries();
