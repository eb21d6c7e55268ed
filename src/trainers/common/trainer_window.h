#pragma once

#include "seams/navigator.h"
#include "trainers/common/cell_table.h"
#include "trainers/common/focus_order.h"
#include "training/training_session.h"
#include "widgets/design_scaler.h"
#include "worksheets/sheet_code.h"
#include "worksheets/worksheet.h"
#include "worksheets/worksheet_view.h"

#include <QHash>
#include <QWidget>
#include <memory>
#include <optional>

struct Services;
class DropField;
class EstimateLine;
class QLabel;
class QPushButton;
class QFrame;
class AnswerArea;
class HintLine;
class KeyPad;
class ScoreBar;

// "Die Aufgabe wurde richtig gelöst."
extern const char *const solvedProblemText;

// The Überschlag line of a trainer has room for `boxes` boxes and for `givenDigits` digits of
// a multiplier the line gives as written; it stands in the same band in every trainer.
struct EstimateLayout
{
    int boxes;
    int givenDigits;
};

// What differs between the trainers in the parts they share.
struct TrainerSetup
{
    TrainerKind trainer;
    const char *formName;        // Form1, Form2, Form3
    const char *memoryNotice;    // label that offers Memory
    const char *catchingNotice;  // label that offers Zahlfange
    bool announceCatching;       // "Es folgt jetzt eine Belohnung." before Zahlfange
    QSize size;
    // twips: the top of the reward notices, in the room between the problem and the keys
    int noticeTop;
    // Points and errors stand in the button column, under the mode buttons, instead of in a
    // line of their own under the problem (at counterLineTop).
    bool countersBesideButtons;
    EstimateLayout estimate;
};

// The window plumbing all trainers share: digit keys, points and errors with their mirror
// labels, the progress marker, both reward notices, "Hilfe", "Ende", the close box, and
// the one drop procedure every answer field goes through. A trainer adds its layout and
// says which exercise is on screen.
class TrainerWindow : public QWidget, private WorksheetHost
{
    Q_OBJECT
public:
    TrainerWindow(Services &services, const TrainerSetup &setup, QWidget *parent = nullptr);
    ~TrainerWindow() override;

    const Score &score() const { return m_session.score(); }
    // The problem on screen. Precondition: the window has been shown once.
    const Exercise &exercise() const { return m_session.exercise(); }
    // The cell a control of the problem on screen shows, by the control's name, and back.
    std::optional<Cell> cellOf(const QString &name) const { return cellNamed(m_table, name); }
    QString nameOf(const Cell &cell) const { return nameOfCell(m_table, cell); }
    // The fields of the problem on screen in written order, by name.
    QStringList fieldNames() const;

    enum class DropResult { Refused, Accepted, Solved };

    // A drop on the control `field`, as the pupil's drag, tap or key would make it; `digit`
    // is nothing (or no digit) for a drop of anything but a digit key.
    DropResult dropOnField(const QString &field, std::optional<QChar> digit);

    // A click on a digit key chooses it (or, chosen already, lets it go); a click on a
    // field then places it.
    void chooseKey(QChar digit);
    std::optional<QChar> chosenKey() const;
    // The fields a pupil fills, in written order: shown, not given by the problem, and no
    // carry box whose carry is 0. The frame, Tab and the arrow keys go through these only.
    QStringList focusOrder() const;
    // The field the orange frame stands on, where the next digit goes: the first field of
    // a new problem, after a right digit the next empty field in written order, after a
    // wrong one the field that refused it. The keyboard focus goes with it.
    QString markedField() const;

    // Deals the next problem of the current kind (single or gap).
    virtual void NextProblem() = 0;

    // Before the window is first shown, in idle time, a step at a time: takes the size it
    // will open at, loads the fonts its controls use (one per step) and draws itself out of
    // sight (a strip per step), so that its first showing is as quick as any other. True
    // while steps remain. Deals nothing; does nothing once the window has been shown.
    bool prepareFirstShowing();

    void StartNumberCatching();
    void ShowHelp();
    // "Ende" and the close box: back to the menu, everything kept.
    void EndTraining();
    // A new child at the computer: the window shows its score (all nought) and no reward
    // notice; the next show deals it a problem.
    void startNewChild();

    // The commands of the sheet view over the problem.
    void ShowWorksheet() { m_worksheetView->showNewSheet(); }
    void PrintProblemSheet() { m_worksheetView->printProblems(); }
    void PrintSolutionSheet() { m_worksheetView->printSolutions(); }
    void CopyWorksheet() { m_worksheetView->copySheet(); }
    void CloseWorksheet() { m_worksheetView->closeSheet(); }
    const QStringList &worksheet() const { return m_worksheetView->sheet(); }
    std::optional<SheetCode> worksheetCode() const { return m_worksheetView->code(); }
    void SaveSquaredPaper() { m_worksheetView->saveOnSquaredPaper(); }
    void PrintSquaredPaper() { m_worksheetView->printOnSquaredPaper(); }

protected:
    // The controls of the problem to deal with the cells they show.
    virtual CellTable cellTable() const = 0;
    // Shows what the table does not: controls without a cell in this problem, rules.
    virtual void renderLayout() {}
    // The text of the message that reports `exercise` solved.
    virtual QString solvedText(const Exercise &exercise) const;
    // Called by "Ende" before the window hides (the trainer goes back to single mode).
    virtual void leaveToMenu() {}
    // How "Blatt" writes partial products; a trainer with a staircase display says so.
    WrittenDisplay sheetDisplay() const override { return WrittenDisplay::Flush; }

    DropField *addField(const QString &name, const QRect &rect, QWidget *parent = nullptr);
    DropField *addSmallField(const QString &name, const QRect &rect, QWidget *parent = nullptr);
    // A digit the problem gives in the small type of a carry box.
    QLabel *addSmallDigit(const QString &name, const QRect &rect, QWidget *parent = nullptr);
    QLabel *addDigit(const QString &name, const QRect &rect, const QString &text = QString(),
                     QWidget *parent = nullptr);
    QFrame *addRule(const QString &name, const QRect &rect, QWidget *parent = nullptr);
    QPushButton *addButton(const QString &name, const QString &text, int row);
    // A mode button stays pressed while its kind of problem is on.
    QPushButton *addModeButton(const QString &name, const QString &text, int row);
    void showActiveMode(const QString &buttonName);
    QWidget *named(const QString &name) const { return m_named.value(name); }
    // Places a widget at a rectangle of the window's design size (in its parent's
    // coordinates); the window scales it with everything else when it is resized.
    void setDesignGeometry(QWidget *widget, const QRect &rect);
    // Registers a widget the exercise may write or hide by name.
    void remember(QWidget *widget) { m_named.insert(widget->objectName(), widget); }

    // How the trainer draws its problems, in the mode its buttons chose.
    void setDealer(Dealer dealer);
    // Deals the next problem and shows it.
    void dealProblem();
    // Shows the problem the session has on screen, from its first field.
    void showProblem();
    // Writes `exercise` onto the window.
    void renderExercise(const Exercise &exercise);
    // Shows the partial products flush or as a staircase; a problem this completes is
    // reported solved.
    void setDisplay(WrittenDisplay display);
    void renderScore();
    // The points as the window shows them: the password of a locked print.
    QString pointsShown() const override;

    Services &m_services;

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildEstimateLine();
    // Lays the Überschlag line of the problem on screen out and shows it; hidden without one
    // and under the sheet view.
    void renderEstimateLine();
    // A drop or a change of display solved the problem: the solved message, the Memory
    // notice and the next problem.
    void showSolved(const DropOutcome &outcome);
    void takeMemoryReward();
    void takeCatchingReward();
    // The drop procedure every answer field goes through: dragging, clicking a key and then
    // a field, and typing a digit on a field all come here.
    DropResult drop(const Cell &cell, std::optional<int> digit);
    void placeChosenKey(const Cell &cell);
    void renderField(const Cell &cell);
    // After a right digit on `cell`: the next empty field in written order.
    QWidget *fieldAfter(const Cell &cell) const;
    // The fields a pupil fills, in written order, and their boxes.
    QList<Cell> frameCells() const;
    FocusOrder::Fields focusFields() const;
    QPushButton *addSheetButton(const QString &name, const QString &text, int row) override;
    // Names `button` and puts it in the button column at `row`.
    QPushButton *placeButton(QPushButton *button, const QString &name, int row);
    // Fields under the sheet view take no drop, click or key, and Tab passes them by.
    void setFieldsReachable(bool reachable) override;
    void stepFocus(const Cell &cell, int dx, int dy);

    TrainerSetup m_setup;
    QList<QFont> m_fontsToLoad; // by prepareFirstShowing() ...
    int m_strips = 0;           // ... and the strips of the window it has yet to draw
    TrainingSession m_session;
    CellTable m_table; // of the problem on screen
    QHash<QString, QWidget *> m_named;
    QLabel *m_memoryNotice = nullptr;
    QLabel *m_catchingNotice = nullptr;
    FocusOrder m_focus;
    QList<QPushButton *> m_modeButtons;
    WorksheetView *m_worksheetView = nullptr;
    std::unique_ptr<EstimateLine> m_estimateLine; // its boxes and given digits are named

    DesignScaler m_scaler;
    AnswerArea *m_answers = nullptr;
    std::unique_ptr<ScoreBar> m_scoreBar;
    std::unique_ptr<KeyPad> m_keyPad;
    std::unique_ptr<HintLine> m_hints;
};

// Button column on the right of a trainer window, under the band of the Überschlag line.
constexpr int trainerButtonLeft = 488;
constexpr int trainerButtonWidth = 124;
constexpr int trainerButtonRowTop(int row) { return 48 + row * 29; }
// The line of points and errors of a trainer that has no room for them beside its buttons.
constexpr int counterLineTop = 216;
