#pragma once

#include "trainers/common/rows_window.h"

// Form2: "Zweireihige Multiplikation".
class TwoRowWindow final : public RowsWindow
{
    Q_OBJECT
public:
    explicit TwoRowWindow(Services &services, QWidget *parent = nullptr);
};
