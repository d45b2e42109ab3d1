#include "store/TailMessageMacros.h"

#include <array>
#include <stdexcept>
#include <string>

TextArray SettingsTables::* TailMessageMacros(int port)
{
    using S = SettingsTables;
    static constexpr std::array<TextArray S::*, Count::Ports> kTables{&S::P1MessageNum, &S::P2MessageNum,
                                                                      &S::P3MessageNum};
    if (port < 1 || port > Count::Ports)
        throw std::out_of_range("port " + std::to_string(port) + " has no tail message macros");
    return kTables[static_cast<std::size_t>(port - 1)];
}
