#pragma once

#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_problem.h"

class QFrame;

// Form1: a four-digit number times a one-digit, tens or hundreds number, as single
// problems or as gap problems.
class OneRowWindow : public TrainerWindow
{
    Q_OBJECT
public:
    explicit OneRowWindow(Services &services, QWidget *parent = nullptr);

    void NextProblem() override;
    void NewSingleProblem();
    void NewGapProblem();
    const CaptionExercise &currentExercise() const override;

    OneRowMode mode() const { return m_mode; }
    const OneRowSingle &singleProblem() const { return m_single; }
    const OneRowGap &gapProblem() const { return m_gap; }

    // The mode buttons "mal E", "mal Z", "mal H" and "Lücke".
    void chooseSingleMode(OneRowMode mode);
    void chooseGapMode();

protected:
    CaptionExercise &exercise() override;
    void leaveToMenu() override;

private:
    void buildSingleLayout();
    void buildGapPanel();
    void placeGapPanel();

    OneRowMode m_mode = OneRowMode::E;
    OneRowSingle m_single;
    OneRowGap m_gap;
    QFrame *m_gapPanel = nullptr;
    QWidget *m_singleLayout = nullptr;
};
