#pragma once

#include "store/SettingsTables.h"

// The macro table of a port's tail messages: element t of port p's table is
// the macro that port p plays for its tail message t (1-3).
// Port 1-3; anything outside throws std::out_of_range.
TextArray SettingsTables::* TailMessageMacros(int port);
