#include "trainers/common/rows_window.h"

#include "seams/services.h"
#include "trainers/common/cell_look.h"
#include "trainers/common/drop_field.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

// Columns: 0..3 the multiplicand, 4 the sign, then the multiplier digits. The last
// multiplier digit stands in the ones column of every answer row.
constexpr int columnLeft = 80;
constexpr int columnPitch = 40;
constexpr int boxWidth = 34;
constexpr int gapPanelLeft = 56;
constexpr int gapPanelAway = 6000; // twips: out of sight in single mode
constexpr int ruleGap = 4;         // px between a line of digits and the rule under it
// The carries of the addition stand small in a line of their own just above the sum's rule,
// each over the column it is carried into.
constexpr int carryWidth = 26;
constexpr int carryHeight = 24;

int columnX(int column, int left)
{
    return left + column * columnPitch;
}

} // namespace

RowsWindow::RowsWindow(Services &services, const RowsTables &tables, const RowsLayout &layout,
                       QWidget *parent)
    : TrainerWindow(services, layout.setup, parent)
    , m_tables(tables)
    , m_layout(layout)
    , m_singleCells(rowsCells(tables, false))
    , m_gapCells(rowsCells(tables, true))
{
    setWindowTitle(QString::fromUtf8(layout.title));
    setDealer([this](const SessionStatistics *child) {
        return dealRows(m_services.random, m_tables, m_gapMode, m_display, child);
    });

    buildSingleLayout();
    buildGapPanel();

    m_liste1 = new QListWidget(this);
    m_liste1->setObjectName(QStringLiteral("Liste1"));
    m_liste1->hide();
    m_liste2 = new QListWidget(this);
    m_liste2->setObjectName(QStringLiteral("Liste2"));
    m_liste2->hide();

    connect(addModeButton(QStringLiteral("Befehl21"), QStringLiteral("Normal"), 0),
            &QPushButton::clicked, this, &RowsWindow::chooseSingleMode);
    connect(addModeButton(QStringLiteral("Befehl13"), QStringLiteral("Lücke"), 1),
            &QPushButton::clicked, this, &RowsWindow::chooseGapMode);
    m_displaySwitch = addButton(QStringLiteral("Befehl12"), QStringLiteral("Treppe"), 2);
    m_displaySwitch->setToolTip(QStringLiteral("Darstellung der Teilprodukte umschalten"));
    connect(m_displaySwitch, &QPushButton::clicked, this, &RowsWindow::switchDisplay);
}

int RowsWindow::rowTop(int row) const
{
    const int firstRow = m_layout.problemTop + m_layout.boxHeight + 2 * ruleGap + 4;
    if (row < m_tables.multiplierDigits)
        return firstRow + row * m_layout.rowPitch;
    return sumRuleTop() + 2 * ruleGap;
}

int RowsWindow::sumCarryTop() const
{
    return rowTop(m_tables.multiplierDigits - 1) + m_layout.boxHeight + 3;
}

int RowsWindow::sumRuleTop() const
{
    return sumCarryTop() + carryHeight + 3;
}

QRect RowsWindow::panelRect(int topTwips) const
{
    const int bottom = rowTop(m_tables.multiplierDigits) + m_layout.boxHeight + 4;
    return QRect(gapPanelLeft, twipsToPx(topTwips), trainerButtonLeft - 8 - gapPanelLeft,
                 bottom - twipsToPx(m_layout.gapPanelTop));
}

QRect RowsWindow::cell(int column, int top) const
{
    // Window places seen from the corner of the panel, which stands at its gap position.
    return QRect(columnX(column, columnLeft - gapPanelLeft), top - twipsToPx(m_layout.gapPanelTop),
                 boxWidth, m_layout.boxHeight);
}

QRect RowsWindow::sumCarryRect(int place) const
{
    const QRect column = cell(onesColumn() - place, sumCarryTop());
    return QRect(column.x() + (boxWidth - carryWidth) / 2, column.y(), carryWidth, carryHeight);
}

void RowsWindow::addProblemLine(QWidget *panel, const std::vector<const char *> &multiplicand,
                                const std::vector<const char *> &multiplier)
{
    for (int i = 0; i < 4; ++i)
        addDigit(QLatin1String(multiplicand[std::size_t(i)]), cell(i, m_layout.problemTop), QString(), panel);
    addDigit(QString(), cell(4, m_layout.problemTop), QStringLiteral("·"), panel);
    for (int i = 0; i < m_tables.multiplierDigits; ++i)
        addDigit(QLatin1String(multiplier[std::size_t(i)]), cell(5 + i, m_layout.problemTop), QString(), panel);

    const QRect first = cell(0, m_layout.problemTop);
    const int ruleWidth = (onesColumn() + 1) * columnPitch - (columnPitch - boxWidth);
    addRule(QString(), QRect(first.x(), first.bottom() + 1 + ruleGap, ruleWidth, 3), panel);
    addRule(QString(), QRect(first.x(), cell(0, sumRuleTop()).y(), ruleWidth, 3), panel);
}

void RowsWindow::buildSingleLayout()
{
    // The single layout and the gap panel take the same place; only one is shown.
    m_singleLayout = new QWidget(this);
    m_singleLayout->setObjectName(QStringLiteral("singleLayout"));
    m_singleLayout->setGeometry(panelRect(m_layout.gapPanelTop));
    addProblemLine(m_singleLayout, m_tables.multiplicandLabels, m_tables.multiplierLabels);
    for (const RowField &f : m_tables.fields)
        addField(QLatin1String(f.field), cell(onesColumn() - (f.place - 1), rowTop(f.row)), m_singleLayout);
    for (std::size_t k = 0; k < m_tables.sumCarries.size(); ++k)
        addSmallField(QLatin1String(m_tables.sumCarries[k]), sumCarryRect(int(k) + 1), m_singleLayout);
}

void RowsWindow::buildGapPanel()
{
    m_gapPanel = new QFrame(this);
    m_gapPanel->setObjectName(QStringLiteral("Bild6"));
    m_gapPanel->setGeometry(panelRect(gapPanelAway));
    // In the window's colour, over the single layout.
    m_gapPanel->setAutoFillBackground(true);
    QPalette background = m_gapPanel->palette();
    background.setColor(QPalette::Window, CellLook::window);
    m_gapPanel->setPalette(background);
    m_gapPanel->hide();
    addProblemLine(m_gapPanel, m_tables.gapMultiplicand, m_tables.gapMultiplier);

    // Only the gaps are fields; the digits around them are given.
    QStringList gaps;
    for (const char *gap : m_tables.gaps)
        gaps << QLatin1String(gap);
    for (std::size_t row = 0; row < m_tables.gapRows.size(); ++row) {
        const auto &fields = m_tables.gapRows[row];
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QString name = QLatin1String(fields[i]);
            const QRect rect = cell(onesColumn() - int(i), rowTop(int(row)));
            if (gaps.contains(name))
                addField(name, rect, m_gapPanel);
            else
                addDigit(name, rect, QString(), m_gapPanel);
        }
    }
    // The carries of the addition are part of the finished computation: shown, never filled.
    for (std::size_t k = 0; k < m_tables.gapSumCarries.size(); ++k)
        addSmallDigit(QLatin1String(m_tables.gapSumCarries[k]), sumCarryRect(int(k) + 1), m_gapPanel);
}

void RowsWindow::placeGapPanel()
{
    setDesignGeometry(m_gapPanel, panelRect(m_gapMode ? m_layout.gapPanelTop : gapPanelAway));
    m_gapPanel->setVisible(m_gapMode);
    m_singleLayout->setVisible(!m_gapMode);
    m_gapPanel->raise();
    showActiveMode(QLatin1String(m_gapMode ? "Befehl13" : "Befehl21"));
}

void RowsWindow::renderLayout()
{
    m_liste1->clear();
    m_liste1->addItems(rowsAnswerList(exercise()));
    m_liste2->clear();
    m_liste2->addItems(rowsGapList(exercise()));
}

void RowsWindow::NextProblem()
{
    placeGapPanel();
    dealProblem();
}

void RowsWindow::chooseSingleMode()
{
    m_gapMode = false;
    NextProblem();
}

void RowsWindow::chooseGapMode()
{
    m_gapMode = true;
    NextProblem();
}

void RowsWindow::switchDisplay()
{
    m_display = isStaircase() ? WrittenDisplay::Flush : WrittenDisplay::Staircase;
    // The caption names the display the next click selects.
    m_displaySwitch->setText(isStaircase() ? QStringLiteral("Bündig") : QStringLiteral("Treppe"));
    setDisplay(m_display);
}

void RowsWindow::leaveToMenu()
{
    m_gapMode = false;
    placeGapPanel();
}
