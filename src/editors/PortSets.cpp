#include "editors/PortSets.h"

const std::vector<ListEntry>& PortSetEntries()
{
    static const std::vector<ListEntry> entries{
        {QStringLiteral("NONE"), QStringLiteral("0")},
        {QStringLiteral("Port 1"), QStringLiteral("1")},
        {QStringLiteral("Port 2"), QStringLiteral("2")},
        {QStringLiteral("Port 3"), QStringLiteral("3")},
        {QStringLiteral("Ports 1 & 2"), QStringLiteral("12")},
        {QStringLiteral("Ports 1 & 3"), QStringLiteral("13")},
        {QStringLiteral("Ports 2 & 3"), QStringLiteral("23")},
        {QStringLiteral("All Ports"), QStringLiteral("123")},
    };
    return entries;
}
