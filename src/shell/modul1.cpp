#include "shell/modul1.h"

void StartNumberCatchingValues(Modul1 &values)
{
    values.catcherColumn = 14;
    values.catcherRow = 9;
    for (int i = 1; i <= 10; ++i) {
        values.digitColumns[i] = i + 3;
        values.digitRows[i] = i + 3;
    }
    values.digitsLeft = QStringLiteral("0123456789");
}
