#pragma once

#include "trainers/common/rows_window.h"

// Form3: "Dreireihige Multiplikation".
class ThreeRowWindow final : public RowsWindow
{
    Q_OBJECT
public:
    explicit ThreeRowWindow(Services &services, QWidget *parent = nullptr);
};
