#pragma once

#include <QString>
#include <array>

// The start values a trainer hands to the number-catching game before it shows it.
struct Modul1
{
    static constexpr int tableSize = 21; // entries 0 to 20; 1 to 10 are used

    int catcherColumn = 14;
    int catcherRow = 9;
    std::array<int, tableSize> digitColumns{};
    std::array<int, tableSize> digitRows{};
    QString digitsLeft;
};

// Sets the start values exactly as a trainer does when the pupil takes the reward.
void StartNumberCatchingValues(Modul1 &values);
