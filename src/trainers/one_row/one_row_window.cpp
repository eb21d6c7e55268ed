#include "trainers/one_row/one_row_window.h"

#include "seams/services.h"
#include "trainers/common/cell_look.h"
#include "trainers/common/drop_field.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// The Überschlag has at most a five-digit rounded multiplicand, the multiplier as written and
// a seven-digit estimate (10 000 · 900). The counters stand in a line under the result.
const TrainerSetup oneRowSetup{TrainerKind::OneRow, "Form1", "Bezeichnung14", "Bezeichnung26",
                               false, QSize(628, 444), 4080, false, {12, 3}};

// Problem columns: 0..3 the multiplicand, 4 the sign, 5 the multiplier digit (and the
// result's ones under it), 6 and 7 the zeros of a tens or hundreds multiplier.
constexpr int columnLeft = 80;
constexpr int columnPitch = 40;
constexpr int boxWidth = 34;
constexpr int boxHeight = 42;
constexpr int gapPanelTop = 840;   // twips: the gap panel covers the single layout
constexpr int gapPanelAway = 6000; // twips: out of sight in single mode
constexpr int problemTop = 64;
constexpr int gapPanelLeft = 56;
// Down to just under the result, clear of the line of the counters.
constexpr int panelHeight = 152;

int columnX(int column, int left = columnLeft)
{
    return left + column * columnPitch;
}

QRect box(int column, int top, int left = columnLeft)
{
    return QRect(columnX(column, left), top, boxWidth, boxHeight);
}

// The carries stand small over the column they are carried into, below the problem line
// at `top`: out of the hundreds over column 2, the tens over 3, the ones over 4.
QRect carryRect(int column, int top, int left)
{
    return QRect(columnX(column, left) + 5, top + 52, 26, 28);
}

QString captionFor(OneRowMode mode)
{
    switch (mode) {
    case OneRowMode::Z: return QStringLiteral("Einstellige Multiplikation mit Zehnerzahl");
    case OneRowMode::H: return QStringLiteral("Einstellige Multiplikation mit Hunderterzahl");
    default: return QStringLiteral("Einstellige Multiplikation mit Einerzahl");
    }
}

} // namespace

OneRowWindow::OneRowWindow(Services &services, QWidget *parent)
    : TrainerWindow(services, oneRowSetup, parent)
{
    setWindowTitle(QStringLiteral("Einreihige Multiplikation mit Einerzahl"));
    setDealer([this](const SessionStatistics *child) { return dealOneRow(m_services.random, m_mode, child); });

    auto *tag = new QLabel(QStringLiteral("E"), this);
    tag->setObjectName(QStringLiteral("Bezeichnung21"));
    tag->setGeometry(380, counterLineTop, 44, 28);
    tag->setAlignment(Qt::AlignCenter);
    tag->setToolTip(QStringLiteral("Übungsart"));
    tag->setStyleSheet(QStringLiteral("background-color: rgb(0, 0, 128); color: white;"
                                      " border-radius: 6px;"));
    QFont tagFont = tag->font();
    tagFont.setPixelSize(15);
    tagFont.setBold(true);
    tag->setFont(tagFont);
    remember(tag);

    buildSingleLayout();
    buildGapPanel();

    const struct {
        const char *name;
        const char *caption;
        int row;
        OneRowMode mode;
    } modeButtons[] = {
        {"Befehl21", "mal E", 0, OneRowMode::E},
        {"Befehl20", "mal Z", 1, OneRowMode::Z},
        {"Befehl13", "mal H", 2, OneRowMode::H},
    };
    for (const auto &b : modeButtons) {
        const OneRowMode mode = b.mode;
        connect(addModeButton(QLatin1String(b.name), QString::fromUtf8(b.caption), b.row),
                &QPushButton::clicked, this, [this, mode] { chooseSingleMode(mode); });
    }
    connect(addModeButton(QStringLiteral("Befehl12"), QStringLiteral("Lücke"), 3), &QPushButton::clicked,
            this, &OneRowWindow::chooseGapMode);
}

void OneRowWindow::buildSingleLayout()
{
    // The single layout and the gap panel take the same place; only one is shown.
    m_singleLayout = new QWidget(this);
    m_singleLayout->setObjectName(QStringLiteral("singleLayout"));
    m_singleLayout->setGeometry(gapPanelLeft, twipsToPx(gapPanelTop), 420, panelHeight);
    QWidget *panel = m_singleLayout;
    const int left = columnLeft - gapPanelLeft;
    const int top = problemTop - twipsToPx(gapPanelTop);
    const auto at = [left](int column, int y) { return box(column, y, left); };

    for (int column = 0; column < 4; ++column)
        addDigit(QStringLiteral("Bezeichnung%1").arg(column + 1), at(column, top), QString(), panel);
    addDigit(QString(), at(4, top), QStringLiteral("·"), panel);
    addDigit(QStringLiteral("Bezeichnung5"), at(5, top), QString(), panel);
    addDigit(QStringLiteral("Bezeichnung6"), at(6, top), QStringLiteral("0"), panel);
    addDigit(QStringLiteral("Bezeichnung20"), at(7, top), QStringLiteral("0"), panel);

    // Each carry sits above the result digit it is added to.
    for (auto [name, column] : {std::pair{"Bezeichnung7", 2}, {"Bezeichnung8", 3}, {"Bezeichnung9", 4}})
        addSmallField(QLatin1String(name), carryRect(column, top, left), panel);

    const int ruleTop = top + 86;
    // The pieces of the rule under a tens or hundreds multiplier overlap the piece before by
    // a pixel, so that no rounding of a scaled window leaves a gap between them.
    addRule(QString(), QRect(columnX(0, left), ruleTop, 6 * columnPitch - 6, 3), panel);
    addRule(QStringLiteral("Linie6"), QRect(columnX(6, left) - 7, ruleTop, columnPitch + 1, 3), panel);
    addRule(QStringLiteral("Linie7"), QRect(columnX(7, left) - 7, ruleTop, columnPitch + 1, 3), panel);

    // The result is written right-aligned under the multiplier.
    const int resultTop = ruleTop + 10;
    const char *const results[] = {"Bezeichnung10", "Bezeichnung11", "Bezeichnung12",
                                   "Bezeichnung13", "Bezeichnung17", "Bezeichnung18",
                                   "Bezeichnung19"};
    for (int i = 0; i < 7; ++i)
        addField(QLatin1String(results[i]), at(i + 1, resultTop), panel);
}

void OneRowWindow::buildGapPanel()
{
    m_gapPanel = new QFrame(this);
    m_gapPanel->setObjectName(QStringLiteral("Bild6"));
    m_gapPanel->setGeometry(gapPanelLeft, twipsToPx(gapPanelAway), 420, panelHeight);
    // In the window's colour, over the single layout.
    m_gapPanel->setAutoFillBackground(true);
    QPalette background = m_gapPanel->palette();
    background.setColor(QPalette::Window, CellLook::window);
    m_gapPanel->setPalette(background);

    const int left = columnLeft - gapPanelLeft;
    const int top = problemTop - twipsToPx(gapPanelTop);
    for (int column = 0; column < 4; ++column)
        addField(QStringLiteral("luecke%1").arg(column + 1), box(column, top, left), m_gapPanel);
    addDigit(QString(), box(4, top, left), QStringLiteral("·"), m_gapPanel);
    addField(QStringLiteral("luecke5"), box(5, top, left), m_gapPanel);
    addField(QStringLiteral("luecke6"), box(6, top, left), m_gapPanel);
    addField(QStringLiteral("luecke10"), box(7, top, left), m_gapPanel);

    // The carries are part of the finished computation: shown where the single problem
    // has its carry boxes, never filled.
    for (auto [name, column] : {std::pair{"luecke9", 2}, {"luecke8", 3}, {"luecke7", 4}})
        addSmallDigit(QLatin1String(name), carryRect(column, top, left), m_gapPanel);

    const int ruleTop = top + 86;
    addRule(QString(), QRect(columnX(0, left), ruleTop, 6 * columnPitch - 6, 3), m_gapPanel);
    addRule(QStringLiteral("Linie8"), QRect(columnX(6, left) - 7, ruleTop, columnPitch + 1, 3), m_gapPanel);
    addRule(QStringLiteral("Linie9"), QRect(columnX(7, left) - 7, ruleTop, columnPitch + 1, 3), m_gapPanel);

    const int productTop = ruleTop + 10;
    const char *const product[] = {"luecke17", "luecke16", "luecke15", "luecke14",
                                   "luecke13", "luecke12", "luecke11"};
    for (int i = 0; i < 7; ++i)
        addField(QLatin1String(product[i]), box(i + 1, productTop, left), m_gapPanel);
}

void OneRowWindow::placeGapPanel()
{
    const int top = isGapMode(m_mode) ? gapPanelTop : gapPanelAway;
    setDesignGeometry(m_gapPanel, QRect(gapPanelLeft, twipsToPx(top), 420, panelHeight));
    m_gapPanel->setVisible(isGapMode(m_mode));
    m_singleLayout->setVisible(!isGapMode(m_mode));
    m_gapPanel->raise();
    static_cast<QLabel *>(named(QStringLiteral("Bezeichnung21")))->setText(modeTag(m_mode));
    showActiveMode(QLatin1String(isGapMode(m_mode)       ? "Befehl12"
                                 : m_mode == OneRowMode::Z ? "Befehl20"
                                 : m_mode == OneRowMode::H ? "Befehl13"
                                                           : "Befehl21"));
}

void OneRowWindow::renderLayout()
{
    const bool gap = isGapMode(m_mode);
    for (const QString &name : oneRowControls(gap)) {
        if (!cellOf(name))
            named(name)->hide();
    }
    // The rules under the zeros of a tens or hundreds multiplier.
    const int zeros = multiplierZeros(m_mode);
    named(QLatin1String(gap ? "Linie8" : "Linie6"))->setVisible(zeros >= 1);
    named(QLatin1String(gap ? "Linie9" : "Linie7"))->setVisible(zeros >= 2);
}

QString OneRowWindow::solvedText(const Exercise &exercise) const
{
    if (exercise.isGap())
        return QStringLiteral("\r") + QString::fromUtf8(solvedProblemText) + QStringLiteral("\r");
    return TrainerWindow::solvedText(exercise);
}

void OneRowWindow::NextProblem()
{
    placeGapPanel();
    dealProblem();
}

void OneRowWindow::chooseSingleMode(OneRowMode mode)
{
    setWindowTitle(captionFor(mode));
    m_mode = mode;
    NextProblem();
}

void OneRowWindow::chooseGapMode()
{
    m_mode = gapCounterpart(m_mode);
    NextProblem();
}

void OneRowWindow::leaveToMenu()
{
    m_mode = singleCounterpart(m_mode);
    placeGapPanel();
}
