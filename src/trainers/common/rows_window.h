#pragma once

#include "trainers/common/rows_table.h"
#include "trainers/common/trainer_window.h"

class QFrame;
class QListWidget;
class QPushButton;

// Where a trainer with several partial products puts things. Columns follow the place
// value, so the layout of the fields comes from the trainer's tables.
struct RowsLayout
{
    TrainerSetup setup;
    const char *title;
    int gapPanelTop; // twips: the gap panel covers the single problem
    int problemTop;  // px: the line with the multiplicand and the multiplier
    int boxHeight;   // px
    int rowPitch;    // px from one partial product to the next
};

// Form2 and Form3: a four-digit number times a two- or three-digit number, as single or
// gap problems, with the partial products flush with the sum or as a staircase.
class RowsWindow : public TrainerWindow
{
    Q_OBJECT
public:
    RowsWindow(Services &services, const RowsTables &tables, const RowsLayout &layout,
               QWidget *parent = nullptr);

    // Deals a single or a gap problem, as chosen, in the display chosen.
    void NextProblem() override;

    // "Normal", "Lücke" and the "Treppe"/"Bündig" switch.
    void chooseSingleMode();
    void chooseGapMode();
    void switchDisplay();

    bool isGapMode() const { return m_gapMode; }
    bool isStaircase() const { return m_display == WrittenDisplay::Staircase; }
    const RowsTables &tables() const { return m_tables; }

protected:
    CellTable cellTable() const override { return m_gapMode ? m_gapCells : m_singleCells; }
    void renderLayout() override;
    void leaveToMenu() override;
    // The worksheet writes the partial products as the display shows them.
    WrittenDisplay sheetDisplay() const override
    {
        return isStaircase() ? WrittenDisplay::Staircase : WrittenDisplay::Flush;
    }

private:
    void buildSingleLayout();
    void buildGapPanel();
    void addProblemLine(QWidget *panel, const std::vector<const char *> &multiplicand,
                        const std::vector<const char *> &multiplier);
    // The place of the gap panel (and of the single layout) with its top at `topTwips`.
    QRect panelRect(int topTwips) const;
    // A box in `column` whose top is at window y `top`, in the panel's coordinates.
    QRect cell(int column, int top) const;
    void placeGapPanel();
    // Top of answer row r (the partial products, then the sum), of the line of the sum's
    // carries and of the rule under them.
    int rowTop(int row) const;
    int sumCarryTop() const;
    int sumRuleTop() const;
    // The small box of the carry into column `place` of the sum, in the panel's coordinates.
    QRect sumCarryRect(int place) const;
    int onesColumn() const { return 4 + m_tables.multiplierDigits; }

    const RowsTables &m_tables;
    RowsLayout m_layout;
    CellTable m_singleCells;
    CellTable m_gapCells;
    bool m_gapMode = false;
    WrittenDisplay m_display = WrittenDisplay::Flush;
    QFrame *m_gapPanel = nullptr;
    QWidget *m_singleLayout = nullptr;
    QPushButton *m_displaySwitch = nullptr;
    QListWidget *m_liste1 = nullptr;
    QListWidget *m_liste2 = nullptr;
};
