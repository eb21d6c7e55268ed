#pragma once

#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_table.h"

class QFrame;

// Form1: a four-digit number times a one-digit, tens or hundreds number, as single
// problems or as gap problems.
class OneRowWindow : public TrainerWindow
{
    Q_OBJECT
public:
    explicit OneRowWindow(Services &services, QWidget *parent = nullptr);

    // Deals a single problem of the mode chosen, or in a gap mode a gap problem.
    void NextProblem() override;

    OneRowMode mode() const { return m_mode; }

    // The mode buttons "mal E", "mal Z", "mal H" and "Lücke".
    void chooseSingleMode(OneRowMode mode);
    void chooseGapMode();

protected:
    CellTable cellTable() const override { return oneRowCells(m_mode); }
    void renderLayout() override;
    QString solvedText(const Exercise &exercise) const override;
    void leaveToMenu() override;

private:
    void buildSingleLayout();
    void buildGapPanel();
    void placeGapPanel();

    OneRowMode m_mode = OneRowMode::E;
    QFrame *m_gapPanel = nullptr;
    QWidget *m_singleLayout = nullptr;
};
