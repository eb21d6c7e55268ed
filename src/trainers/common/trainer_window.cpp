#include "trainers/common/trainer_window.h"

#include "seams/dialogs.h"
#include "seams/services.h"
#include "trainers/common/answer_area.h"
#include "trainers/common/cell_look.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/drop_field.h"
#include "trainers/common/estimate_line.h"
#include "trainers/common/hint_line.h"
#include "trainers/common/key_pad.h"
#include "trainers/common/score_bar.h"
#include "widgets/clickable_label.h"
#include "widgets/reading_font.h"
#include "widgets/twips.h"
#include "widgets/window_geometry.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QImage>
#include <QFrame>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QSet>
#include <QShowEvent>

#include <algorithm>

const char *const solvedProblemText = "Die Aufgabe wurde richtig gelöst.";

namespace {

const char *const rewardNoticeText = "Du hast eine Belohnung, klicke hier . . .";
const char *const wrongDigitText = "Das ist leider falsch, rechne nochmal.\r\r";
const char *const singleProblemTitle = "Malaufgabe";
const char *const gapProblemTitle = "Lückenaufgabe";
const char *const helpText = "Schiebe die Ziffern vom unteren Fensterrand\r"
                             "mit der Maus in das gewünschte Lösungsfeld.\r"
                             "Für jede richtige Zahl gibt es einen Punkt und\r"
                             "alle 50 Punkte gibt es ein Belohnungsspiel.\r";
// While single problems start with the Überschlag.
const char *const estimateHelpText = "Mache zuerst einen Überschlag mit gerundeten Zahlen.\r";

QFont digitFont(int pixelSize, bool bold = false)
{
    QFont font = readingFont(bold);
    font.setPixelSize(pixelSize);
    return font;
}

// A digit the problem gives stands without a box and is skipped by the keyboard.
void markGiven(QWidget *field, bool given)
{
    if (field->property("given").toBool() == given)
        return;
    field->setProperty("given", given);
    field->update();
}

// A mode button ("mal E", "Lücke", "Normal" ...): the mode chosen stays pressed, dark blue
// with white letters.
class ModeButton final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!isChecked()) {
            QPushButton::paintEvent(event);
            return;
        }
        QPainter painter(this);
        CellLook::paintBox(painter, rect(), CellLook::modeFill, CellLook::modeFrame, 2, 4);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

QString digitText(std::optional<int> digit)
{
    return digit ? QString::number(*digit) : QString();
}

constexpr int carryPixels = 17; // carries are written small
constexpr int estimatePixels = 20; // the Überschlag line's digits, in boxes a little larger than carries
constexpr int sheetLeft = 960; // twips: the sheet view over the problem
const QRect hintLineRect(8, 358, 472, 80); // under the digit keys, beside "Ende"

} // namespace

TrainerWindow::TrainerWindow(Services &services, const TrainerSetup &setup, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_setup(setup)
    , m_session(services.training, setup.trainer)
    , m_scaler(this, setup.size)
{
    m_answers = new AnswerArea(this);
    connect(m_answers, &AnswerArea::dropped, this, &TrainerWindow::drop);
    connect(m_answers, &AnswerArea::typed, this, [this](const Cell &cell, int digit) { drop(cell, digit); });
    connect(m_answers, &AnswerArea::clicked, this, &TrainerWindow::placeChosenKey);
    connect(m_answers, &AnswerArea::stepped, this, &TrainerWindow::stepFocus);
    connect(m_answers, &AnswerArea::focused, this,
            [this](const Cell &cell) { m_focus.mark(m_answers->widgetOf(cell)); });
    setObjectName(QLatin1String(setup.formName));
    // The window is drawn at its design size, opens scaled to the screen and may be
    // enlarged or maximised: its contents scale with it.
    setMinimumSize(setup.size);
    resize(setup.size);


    // Beside the buttons, or in a line under the problem: the band above it is the
    // Überschlag line's.
    m_scoreBar = setup.countersBesideButtons
        ? std::make_unique<ScoreBar>(this, m_scaler, QPoint(trainerButtonLeft, trainerButtonRowTop(3)),
                                     QPoint(trainerButtonLeft, trainerButtonRowTop(4)))
        : std::make_unique<ScoreBar>(this, m_scaler, QPoint(64, counterLineTop), QPoint(200, counterLineTop));
    m_keyPad = std::make_unique<KeyPad>(this, [this](QChar digit) { chooseKey(digit); });

    const auto notice = [this, &setup](const char *name, const QColor &colour) {
        auto *label = new ClickableLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setText(QString::fromUtf8(rewardNoticeText));
        label->setGeometry(twipsRect(960, setup.noticeTop, 5895, 375));
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        label->setStyleSheet(QStringLiteral("background-color: black; color: %1;").arg(colour.name()));
        label->setFont(digitFont(15, true));
        label->hide();
        return label;
    };
    auto *memory = notice(setup.memoryNotice, QColor(192, 192, 192));
    auto *catching = notice(setup.catchingNotice, QColor(0, 192, 0));
    memory->setAccessibleDescription(QStringLiteral("Belohnung: Memory"));
    catching->setAccessibleDescription(QStringLiteral("Belohnung: Zahlfange"));
    m_memoryNotice = memory;
    m_catchingNotice = catching;
    connect(memory, &ClickableLabel::clicked, this, &TrainerWindow::takeMemoryReward);
    connect(catching, &ClickableLabel::clicked, this, &TrainerWindow::takeCatchingReward);

    connect(addButton(QStringLiteral("Befehl22"), QStringLiteral("Neue Aufgabe"), 5),
            &QPushButton::clicked, this, &TrainerWindow::NextProblem);
    connect(addButton(QStringLiteral("Befehl15"), QStringLiteral("Hilfe"), 6), &QPushButton::clicked,
            this, &TrainerWindow::ShowHelp);
    connect(addButton(QStringLiteral("Befehl1"), QStringLiteral("Ende"), 12), &QPushButton::clicked,
            this, &TrainerWindow::EndTraining);
    {
        const int left = twipsToPx(sheetLeft);
        // Down to the top of the reward notices: over the sum of the row trainers too, whose
        // boxes would otherwise show under its code bar.
        m_worksheetView = new WorksheetView(services, setup.trainer, *this, this,
                                            QRect(left, 44, trainerButtonLeft - 8 - left, 236));
    }

    buildEstimateLine();

    m_hints = std::make_unique<HintLine>(this, [this](const Cell &cell) { return m_answers->widgetOf(cell); });
    setDesignGeometry(m_hints->label(), hintLineRect);

    renderScore();
}

TrainerWindow::~TrainerWindow() = default;

DropField *TrainerWindow::addField(const QString &name, const QRect &rect, QWidget *parent)
{
    auto *field = new DropField(parent ? parent : this);
    field->setObjectName(name);
    field->setGeometry(rect);
    field->setFont(digitFont(28, true));
    m_answers->adopt(field);
    remember(field);
    return field;
}

DropField *TrainerWindow::addSmallField(const QString &name, const QRect &rect, QWidget *parent)
{
    DropField *field = addField(name, rect, parent);
    field->setFont(digitFont(carryPixels, true));
    return field;
}

QLabel *TrainerWindow::addSmallDigit(const QString &name, const QRect &rect, QWidget *parent)
{
    QLabel *label = addDigit(name, rect, QString(), parent);
    label->setFont(digitFont(carryPixels, true));
    return label;
}

QLabel *TrainerWindow::addDigit(const QString &name, const QRect &rect, const QString &text,
                                QWidget *parent)
{
    auto *label = new DigitLabel(text, parent ? parent : this);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(digitFont(28, true));
    if (!name.isEmpty())
        remember(label);
    return label;
}

QFrame *TrainerWindow::addRule(const QString &name, const QRect &rect, QWidget *parent)
{
    auto *rule = new QFrame(parent ? parent : this);
    rule->setObjectName(name);
    rule->setGeometry(rect);
    rule->setAutoFillBackground(true);
    QPalette ink = rule->palette();
    ink.setColor(QPalette::Window, CellLook::ink);
    rule->setPalette(ink);
    if (!name.isEmpty())
        remember(rule);
    return rule;
}

void TrainerWindow::buildEstimateLine()
{
    m_estimateLine = std::make_unique<EstimateLine>(this, m_scaler, [this](const QString &name, const QString &text) {
        QLabel *label = addSmallDigit(QString(), QRect());
        label->setObjectName(name);
        label->setText(text);
        label->setFont(digitFont(estimatePixels, true));
        return label;
    });
    for (int i = 1; i <= m_setup.estimate.boxes; ++i) {
        QWidget *box = addSmallField(QStringLiteral("Ueberschlag%1").arg(i), QRect());
        box->setFont(digitFont(estimatePixels, true));
        box->hide();
    }
    for (int i = 1; i <= m_setup.estimate.givenDigits; ++i) {
        QWidget *digit = addSmallDigit(QStringLiteral("estimateMultiplier%1").arg(i), QRect());
        digit->setFont(digitFont(estimatePixels, true));
        digit->hide();
    }
}

void TrainerWindow::renderEstimateLine()
{
    m_estimateLine->hide();
    if (!m_session.hasExercise() || !exercise().hasEstimate() || m_worksheetView->isOpen())
        return;
    // The rounded multiplicand, the rounded multiplier, the estimate, each from its highest
    // digit; the table lists the digits the pupil writes first.
    QList<NamedCell> digits;
    for (const NamedCell &named : std::as_const(m_table)) {
        if (isEstimate(named.cell))
            digits << named;
    }
    std::stable_sort(digits.begin(), digits.end(), [](const NamedCell &a, const NamedCell &b) {
        return a.cell.part != b.cell.part ? int(a.cell.part) < int(b.cell.part) : a.cell.place > b.cell.place;
    });
    QList<QList<QWidget *>> numbers;
    for (int i = 0; i < digits.size(); ++i) {
        if (i == 0 || digits.at(i).cell.part != digits.at(i - 1).cell.part)
            numbers.append(QList<QWidget *>());
        numbers.last() << m_named.value(digits.at(i).name);
    }
    m_estimateLine->show(numbers);
}

QPushButton *TrainerWindow::addButton(const QString &name, const QString &text, int row)
{
    return placeButton(new QPushButton(text, this), name, row);
}

QPushButton *TrainerWindow::placeButton(QPushButton *button, const QString &name, int row)
{
    button->setObjectName(name);
    button->setGeometry(trainerButtonLeft, trainerButtonRowTop(row), trainerButtonWidth, 26);
    button->setFocusPolicy(Qt::TabFocus);
    remember(button);
    return button;
}

QPushButton *TrainerWindow::addModeButton(const QString &name, const QString &text, int row)
{
    QPushButton *button = placeButton(new ModeButton(text, this), name, row);
    // A click toggles it; the trainer then shows the mode it chose (see showActiveMode).
    button->setCheckable(true);
    m_modeButtons << button;
    return button;
}

void TrainerWindow::showActiveMode(const QString &buttonName)
{
    for (QPushButton *button : std::as_const(m_modeButtons)) {
        button->setChecked(button->objectName() == buttonName);
    }
}

TrainerWindow::DropResult TrainerWindow::dropOnField(const QString &field, std::optional<QChar> digit)
{
    const std::optional<Cell> cell = cellOf(field);
    if (!cell)
        return DropResult::Refused;
    return drop(*cell, digit && digit->isDigit() ? std::optional<int>(digit->digitValue()) : std::nullopt);
}

TrainerWindow::DropResult TrainerWindow::drop(const Cell &cell, std::optional<int> digit)
{
    if (!m_session.hasExercise() || m_worksheetView->isOpen())
        return DropResult::Refused;
    const DropOutcome outcome = m_session.drop(cell, digit);
    if (outcome.verdict == DropOutcome::Verdict::Refused)
        return DropResult::Refused;
    const bool right = outcome.verdict == DropOutcome::Verdict::Right;
    if (!right) {
        // The pupil sees the wrong digit in its field until the message is closed.
        if (auto *label = qobject_cast<QLabel *>(m_answers->widgetOf(cell)); label && digit)
            label->setText(QString::number(*digit));
        m_services.dialogs.message(QStringLiteral("Fehler"), QString::fromUtf8(wrongDigitText));
    }
    renderScore();
    if (outcome.catchingDue)
        m_catchingNotice->show();
    renderField(cell);
    if (outcome.hintChanged)
        m_hints->show(outcome.hint);
    if (outcome.solved) {
        showSolved(outcome);
        return DropResult::Solved; // the new problem has marked its first field
    }
    m_focus.focus(right ? fieldAfter(cell) : m_answers->widgetOf(cell));
    return right ? DropResult::Accepted : DropResult::Refused;
}

void TrainerWindow::showSolved(const DropOutcome &outcome)
{
    // The finished problem stays on screen behind the message.
    const Exercise &solved = exercise();
    m_services.dialogs.message(QString::fromUtf8(solved.isGap() ? gapProblemTitle : singleProblemTitle),
                               solvedText(solved));
    if (outcome.memoryDue)
        m_memoryNotice->show();
    renderScore();
    NextProblem();
}

QString TrainerWindow::solvedText(const Exercise &) const
{
    return QString::fromUtf8(solvedProblemText) + QStringLiteral("\r\r");
}

QStringList TrainerWindow::fieldNames() const
{
    QStringList names;
    if (!m_session.hasExercise())
        return names;
    for (const Cell &field : exercise().fields())
        names << nameOf(field);
    return names;
}

QWidget *TrainerWindow::fieldAfter(const Cell &cell) const
{
    return FocusOrder::nextEmpty(focusFields(), m_answers->widgetOf(cell), [this](const QWidget *widget) {
        const std::optional<Cell> field = m_answers->cellOf(widget);
        return field && !exercise().shownDigit(*field);
    });
}

void TrainerWindow::chooseKey(QChar digit)
{
    m_keyPad->toggle(digit);
}

std::optional<QChar> TrainerWindow::chosenKey() const
{
    return m_keyPad->chosen();
}

void TrainerWindow::placeChosenKey(const Cell &cell)
{
    const std::optional<QChar> digit = m_keyPad->chosen();
    if (!digit)
        return;
    m_keyPad->letGo(); // placed
    drop(cell, digit->digitValue());
}

QList<Cell> TrainerWindow::frameCells() const
{
    QList<Cell> order;
    if (!m_session.hasExercise())
        return order;
    for (const Cell &cell : exercise().fields()) {
        const QWidget *widget = m_answers->widgetOf(cell);
        if (widget && widget->isVisibleTo(this) && !widget->property("given").toBool()
            && exercise().takesFrame(cell))
            order << cell;
    }
    return order;
}

QStringList TrainerWindow::focusOrder() const
{
    QStringList order;
    for (const Cell &cell : frameCells())
        order << nameOf(cell);
    return order;
}

FocusOrder::Fields TrainerWindow::focusFields() const
{
    FocusOrder::Fields fields;
    for (const Cell &cell : frameCells())
        fields << m_answers->widgetOf(cell);
    return fields;
}

QString TrainerWindow::markedField() const
{
    return m_focus.marked() ? m_focus.marked()->objectName() : QString();
}

bool TrainerWindow::focusNextPrevChild(bool next)
{
    // Tab and Shift+Tab walk the fields in written order, round and round.
    if (QWidget *field = FocusOrder::cycle(focusFields(), focusWidget(), next)) {
        m_focus.focus(field);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TrainerWindow::stepFocus(const Cell &cell, int dx, int dy)
{
    if (QWidget *to = FocusOrder::step(focusFields(), m_answers->widgetOf(cell), dx, dy))
        m_focus.focus(to);
}

void TrainerWindow::ShowHelp()
{
    QString text = QString::fromUtf8(helpText);
    if (m_services.training.estimateFirst)
        text += QString::fromUtf8(estimateHelpText);
    m_services.dialogs.message(QStringLiteral("Hilfe"), text);
}

void TrainerWindow::EndTraining()
{
    leaveToMenu();
    m_services.navigator.switchTo(WindowId::Menu);
}

void TrainerWindow::startNewChild()
{
    m_memoryNotice->hide();
    m_catchingNotice->hide();
    m_keyPad->letGo();
    m_hints->clear();
    renderScore();
}

void TrainerWindow::takeMemoryReward()
{
    m_memoryNotice->hide();
    m_session.takeMemory();
    renderScore();
    m_services.navigator.openReward(WindowId::Memory, windowOf(m_setup.trainer));
}

void TrainerWindow::takeCatchingReward()
{
    m_catchingNotice->hide();
    m_session.takeCatching();
    StartNumberCatching();
}

void TrainerWindow::StartNumberCatching()
{
    if (m_setup.announceCatching)
        m_services.dialogs.message(QStringLiteral("Zahlfange"),
                                   QStringLiteral("Es folgt jetzt eine Belohnung.\r\r"));
    m_services.navigator.openReward(WindowId::Catching, windowOf(m_setup.trainer));
}

void TrainerWindow::renderField(const Cell &cell)
{
    auto *label = qobject_cast<QLabel *>(m_answers->widgetOf(cell));
    if (!label)
        return;
    label->setText(digitText(exercise().shownDigit(cell)));
    // A digit of the problem knocked out by a wrong drop leaves a gap the pupil must
    // see and reach: it gets a box and joins the written order.
    if (label->text().isEmpty())
        markGiven(label, false);
}

void TrainerWindow::dealProblem()
{
    m_session.deal();
    showProblem();
}

void TrainerWindow::setDealer(Dealer dealer)
{
    m_session.setDealer(std::move(dealer));
}

void TrainerWindow::showProblem()
{
    m_table = cellTable();
    if (exercise().hasEstimate())
        m_table += estimateTable(exercise().written());
    m_answers->showCells(m_table, m_named);
    renderExercise(exercise());
    m_hints->show(m_session.restingLine());
    m_focus.focus(focusFields().value(0));
}

void TrainerWindow::renderExercise(const Exercise &ex)
{
    for (const NamedCell &named : std::as_const(m_table)) {
        QWidget *widget = m_answers->widgetOf(named.cell);
        if (!widget)
            continue;
        const std::optional<int> digit = ex.shownDigit(named.cell);
        if (auto *label = qobject_cast<QLabel *>(widget))
            label->setText(digitText(digit));
        // Digits a gap problem gives stand without a box; the pupil's fields keep theirs.
        if (ex.isField(named.cell))
            markGiven(widget, digit.has_value());
        widget->setVisible(ex.isShown(named.cell));
        widget->setAccessibleDescription(cellDescription(ex.written(), named.cell));
    }
    renderLayout();
    renderEstimateLine();
    // A trainer may have raised its own panels; the sheet view stays on top of them.
    m_worksheetView->raise();
}

void TrainerWindow::setDisplay(WrittenDisplay display)
{
    const DropOutcome outcome = m_session.setDisplay(display);
    renderExercise(exercise());
    m_hints->show(m_session.restingLine());
    // The staircase takes the zeros it hides as written: a problem whose other digits all
    // stand is finished now, not at the pupil's next drop.
    if (outcome.solved)
        showSolved(outcome);
    else
        m_focus.focus(focusFields().value(0));
}

QPushButton *TrainerWindow::addSheetButton(const QString &name, const QString &text, int row)
{
    return addButton(name, text, row);
}

void TrainerWindow::setFieldsReachable(bool reachable)
{
    // Every answer field lies under the sheet view.
    for (DropField *field : findChildren<DropField *>())
        field->setEnabled(reachable);
    // The sheet view stands for the problem: the Überschlag line hides with it.
    renderEstimateLine();
    if (reachable)
        m_focus.focus(m_focus.marked()); // the frame kept its field while the sheet covered it
}

QString TrainerWindow::pointsShown() const
{
    return QString::number(score().points());
}

void TrainerWindow::renderScore()
{
    m_scoreBar->show(score());
}

bool TrainerWindow::prepareFirstShowing()
{
    constexpr int stripHeight = 64;
    if (isVisible())
        return false;
    if (!m_scaler.sizedForScreen()) {
        // A hidden window hears of its new size only as it shows.
        m_scaler.sizeForScreenOnce();
        m_scaler.apply();
        QSet<QString> keys;
        for (QWidget *control : findChildren<QWidget *>()) {
            QFont font = control->font();
            for (int variant = 0; variant < 2; ++variant) {
                if (!keys.contains(font.key())) {
                    keys.insert(font.key());
                    m_fontsToLoad.append(font);
                }
                // The chosen mode's button writes its caption in bold.
                if (!m_modeButtons.contains(qobject_cast<QPushButton *>(control)))
                    break;
                font.setBold(true);
            }
        }
        m_strips = (height() + stripHeight - 1) / stripHeight;
        return true;
    }
    if (!m_fontsToLoad.isEmpty()) {
        QFontMetrics(m_fontsToLoad.takeFirst()).height();
        return true;
    }
    if (m_strips > 0) {
        // The window drawn a strip at a time into a scratch picture: styled, laid out,
        // and the glyphs of its texts drawn once.
        QImage scratch(width(), stripHeight, QImage::Format_ARGB32_Premultiplied);
        const int top = (--m_strips) * stripHeight;
        render(&scratch, QPoint(), QRegion(0, top, width(), stripHeight));
    }
    return m_strips > 0;
}

void TrainerWindow::showEvent(QShowEvent *event)
{
    // Only the program's own show deals a problem; a message box closing or the pupil
    // coming back from another application leaves the problem on screen.
    if (!event->spontaneous()) {
        m_scaler.sizeForScreenOnce();
        centreOnScreen(this);
        NextProblem();
    }
    QWidget::showEvent(event);
}

void TrainerWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    EndTraining();
}

void TrainerWindow::setDesignGeometry(QWidget *widget, const QRect &rect)
{
    m_scaler.setDesignGeometry(widget, rect);
}

void TrainerWindow::paintEvent(QPaintEvent *event)
{
    // Painted rather than set in the palette, which the controls would take on: the
    // buttons draw their frames from the palette's window colour.
    QPainter(this).fillRect(event->rect(), CellLook::window);
}

void TrainerWindow::resizeEvent(QResizeEvent *event)
{
    m_scaler.apply();
    QWidget::resizeEvent(event);
}
