#pragma once

#include <array>

// The sixteen DTMF keys with their low (row) and high (column) tones, kept
// apart from the program's own table so that tests check against it.
struct DtmfKey {
    char key;
    int low;
    int high;
};

inline constexpr std::array<DtmfKey, 16> DtmfKeys = {{
    {'1', 697, 1209}, {'2', 697, 1336}, {'3', 697, 1477}, {'A', 697, 1633},
    {'4', 770, 1209}, {'5', 770, 1336}, {'6', 770, 1477}, {'B', 770, 1633},
    {'7', 852, 1209}, {'8', 852, 1336}, {'9', 852, 1477}, {'C', 852, 1633},
    {'*', 941, 1209}, {'0', 941, 1336}, {'#', 941, 1477}, {'D', 941, 1633},
}};

inline constexpr std::array<int, 4> DtmfRows = {697, 770, 852, 941};
inline constexpr std::array<int, 4> DtmfColumns = {1209, 1336, 1477, 1633};
