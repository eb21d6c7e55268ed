#include "fake_dialogs.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "test_program.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/drop_field.h"
#include "trainers/common/trainer_window.h"

#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(WindowId)

namespace {

enum class Method { Drag, Click, Type, Keypad };

struct Program : TestProgram
{
    TrainerWindow *open(WindowId id) { return TestProgram::open<TrainerWindow>(id); }
};

QString text(QWidget *window, const QString &name)
{
    return window->findChild<QLabel *>(name)->text();
}

void enter(TrainerWindow *form, const QString &field, QChar digit, Method method)
{
    auto *target = form->findChild<QWidget *>(field);
    switch (method) {
    case Method::Drag:
        dropKey(target, digit);
        break;
    case Method::Click: {
        auto *key = form->findChild<QPushButton *>(QStringLiteral("Befehl%1").arg(digit.digitValue() + 2));
        QTest::mouseClick(key, Qt::LeftButton);
        QVERIFY(key->isChecked()); // chosen, and shown as chosen
        QCOMPARE(form->chosenKey(), std::optional<QChar>(digit));
        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(!key->isChecked());
        QCOMPARE(form->chosenKey(), std::nullopt);
        break;
    }
    case Method::Type:
        QTest::keyClick(target, Qt::Key(Qt::Key_0 + digit.digitValue()));
        break;
    case Method::Keypad:
        QTest::keyClick(target, Qt::Key(Qt::Key_0 + digit.digitValue()), Qt::KeypadModifier);
        break;
    }
}

} // namespace

class InputMethodsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyMethodGoesThroughTheDropRule_data();
    void everyMethodGoesThroughTheDropRule();
    void choosingAKeyAgainLetsItGo();
    void keyboardAloneSolvesAProblem();
    void tabAndArrowsMoveBetweenFields();
    void frameMovesOnAfterEveryRightDigit_data();
    void frameMovesOnAfterEveryRightDigit();
    void frameGrowsWithTheWindow();
    void frameSkipsAZeroCarry_data();
    void frameSkipsAZeroCarry();
    void nothingReachesAFieldUnderTheSheet_data();
    void nothingReachesAFieldUnderTheSheet();
};

void InputMethodsTest::everyMethodGoesThroughTheDropRule_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<Method>("method");
    QTest::addColumn<bool>("right");
    const struct { const char *name; WindowId id; } trainers[] = {
        {"one-row", WindowId::OneRow}, {"two-row", WindowId::TwoRow}, {"three-row", WindowId::ThreeRow}};
    const struct { const char *name; Method method; } methods[] = {
        {"drag", Method::Drag}, {"click", Method::Click}, {"type", Method::Type}, {"keypad", Method::Keypad}};
    for (const auto &t : trainers) {
        for (const auto &m : methods) {
            for (bool right : {true, false}) {
                QTest::addRow("%s, %s, %s", t.name, m.name, right ? "right" : "wrong")
                    << t.id << m.method << right;
            }
        }
    }
}

void InputMethodsTest::everyMethodGoesThroughTheDropRule()
{
    QFETCH(WindowId, trainer);
    QFETCH(Method, method);
    QFETCH(bool, right);
    Program program;
    TrainerWindow *form = program.open(trainer);
    const QString field = form->focusOrder().value(0);
    QVERIFY(!field.isEmpty());
    QCOMPARE(form->focusWidget()->objectName(), field); // a new problem focuses its first field
    const int expected = expectedDigit(form, field).toInt();
    const QChar digit(u'0' + (right ? expected : (expected + 1) % 10));

    enter(form, field, digit, method);

    QCOMPARE(text(form, field), right ? QString(digit) : QString());
    QCOMPARE(form->score().points(), right ? 1 : 0);
    QCOMPARE(form->score().errors(), right ? 0 : 1);
    QCOMPARE(text(form, "Bezeichnung22"), QString::number(form->score().points()));
    QCOMPARE(text(form, "Bezeichnung23"), QString::number(form->score().errors()));
    QCOMPARE(program.dialogs.count("Fehler"), right ? 0 : 1);
}

void InputMethodsTest::choosingAKeyAgainLetsItGo()
{
    Program program;
    TrainerWindow *form = program.open(WindowId::OneRow);
    auto *three = form->findChild<QPushButton *>("Befehl5");
    auto *five = form->findChild<QPushButton *>("Befehl7");
    QTest::mouseClick(three, Qt::LeftButton);
    QTest::mouseClick(five, Qt::LeftButton); // another key takes over
    QVERIFY(!three->isChecked());
    QVERIFY(five->isChecked());
    QTest::mouseClick(five, Qt::LeftButton);
    QVERIFY(!five->isChecked());
    QTest::mouseClick(form->findChild<QWidget *>(form->focusOrder().value(0)), Qt::LeftButton);
    QCOMPARE(form->score().points() + form->score().errors(), 0); // nothing chosen, nothing placed
}

void InputMethodsTest::keyboardAloneSolvesAProblem()
{
    Program program;
    // 4326 * 7 = 30282, carries 4, 1, 2
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {6, 9, 1}, {7, 8, 2}})
        program.random.pushInt(value, n, k);
    TrainerWindow *form = program.open(WindowId::OneRow);
    const QList<std::pair<const char *, char>> written = {
        {"Bezeichnung17", '2'}, {"Bezeichnung9", '4'}, {"Bezeichnung13", '8'}, {"Bezeichnung8", '1'},
        {"Bezeichnung12", '2'}, {"Bezeichnung7", '2'}, {"Bezeichnung11", '0'}, {"Bezeichnung10", '3'}};
    for (const auto &[field, digit] : written) {
        QWidget *focused = form->focusWidget();
        QCOMPARE(focused->objectName(), QString(field));
        QTest::keyClick(focused, Qt::Key(digit));
    }
    QCOMPARE(program.dialogs.count("Malaufgabe"), 1);
    QCOMPARE(form->score().points(), 8);
    QCOMPARE(form->focusWidget()->objectName(), form->focusOrder().value(0));
}

void InputMethodsTest::tabAndArrowsMoveBetweenFields()
{
    Program program;
    // 4326 * 7: every carry box takes a carry other than 0
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {6, 9, 1}, {7, 8, 2}})
        program.random.pushInt(value, n, k);
    TrainerWindow *form = program.open(WindowId::OneRow);
    const auto focused = [form] { return form->focusWidget()->objectName(); };
    QCOMPARE(focused(), QString("Bezeichnung17"));
    QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    QCOMPARE(focused(), QString("Bezeichnung9"));
    QTest::keyClick(form->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), QString("Bezeichnung17"));
    QTest::keyClick(form->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier); // wraps round
    QCOMPARE(focused(), QString("Bezeichnung10"));

    QTest::keyClick(form->focusWidget(), Qt::Key_Right);
    QCOMPARE(focused(), QString("Bezeichnung11"));
    QTest::keyClick(form->focusWidget(), Qt::Key_Up);
    QCOMPARE(focused(), QString("Bezeichnung7")); // the carry above it
    QTest::keyClick(form->focusWidget(), Qt::Key_Right);
    QCOMPARE(focused(), QString("Bezeichnung8"));
    QTest::keyClick(form->focusWidget(), Qt::Key_Down);
    QCOMPARE(focused(), QString("Bezeichnung12"));
    QTest::keyClick(form->focusWidget(), Qt::Key_Down); // nothing below: stays
    QCOMPARE(focused(), QString("Bezeichnung12"));
}

namespace {

// The three trainers, single and gap problems, with every way a pupil enters a digit.
void addTrainerMethodRows(bool withGap)
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<bool>("gap");
    QTest::addColumn<Method>("method");
    const struct { const char *name; WindowId id; } trainers[] = {
        {"one-row", WindowId::OneRow}, {"two-row", WindowId::TwoRow}, {"three-row", WindowId::ThreeRow}};
    const struct { const char *name; Method method; } methods[] = {
        {"drag", Method::Drag}, {"tap", Method::Click}, {"type", Method::Type}};
    for (const auto &t : trainers) {
        for (bool gap : withGap ? QList<bool>{false, true} : QList<bool>{false}) {
            for (const auto &m : methods)
                QTest::addRow("%s, %s, %s", t.name, gap ? "gap" : "single", m.name) << t.id << gap << m.method;
        }
    }
}

void chooseGapMode(TrainerWindow *form, WindowId trainer)
{
    form->findChild<QPushButton *>(trainer == WindowId::OneRow ? "Befehl12" : "Befehl13")->click();
}

// The fields that show the orange frame.
QStringList framed(TrainerWindow *form)
{
    QStringList names;
    for (const DropField *field : form->findChildren<DropField *>()) {
        if (field->isMarked())
            names << field->objectName();
    }
    return names;
}

bool isOrange(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 90 && qGreen(pixel) < 170 && qBlue(pixel) < 90;
}

// How many pixel rows of orange the field shows at the top of its box.
int frameThickness(QWidget *field)
{
    const QImage image = field->grab().toImage();
    int rows = 0;
    for (int y = 0; y < image.height() / 2; ++y)
        rows += isOrange(image.pixel(image.width() / 2, y)) ? 1 : 0;
    return rows;
}

} // namespace

// Whichever way a right digit comes, the frame (and with it the keyboard) moves on to the
// next field in written order; a wrong one leaves it on the field that refused it.
void InputMethodsTest::frameMovesOnAfterEveryRightDigit_data()
{
    addTrainerMethodRows(true);
}

void InputMethodsTest::frameMovesOnAfterEveryRightDigit()
{
    QFETCH(WindowId, trainer);
    QFETCH(bool, gap);
    QFETCH(Method, method);
    Program program;
    TrainerWindow *form = program.open(trainer);
    if (gap)
        chooseGapMode(form, trainer);
    const QStringList order = form->focusOrder();
    QVERIFY(order.size() >= 2);
    QCOMPARE(framed(form), QStringList{order.first()});
    QVERIFY(isOrange(form->findChild<QWidget *>(order.first())->grab().toImage().pixel(20, 1)));

    const auto expected = [form](const QString &field) { return expectedDigit(form, field).at(0); };
    enter(form, order.at(1), QChar(u'0' + (expected(order.at(1)).digitValue() + 1) % 10), method);
    QCOMPARE(program.dialogs.count("Fehler"), 1);
    QCOMPARE(framed(form), QStringList{order.at(1)}); // after the message box, on the field it refused
    QCOMPARE(form->focusWidget()->objectName(), order.at(1));

    for (int i = 0; i + 1 < order.size(); ++i) {
        enter(form, order.at(i), expected(order.at(i)), method);
        QCOMPARE(framed(form), QStringList{order.at(i + 1)});
        QCOMPARE(form->markedField(), order.at(i + 1));
        QCOMPARE(form->focusWidget()->objectName(), order.at(i + 1));
    }
    enter(form, order.last(), expected(order.last()), method);
    QCOMPARE(program.dialogs.count("Fehler"), 1);
    QCOMPARE(program.dialogs.calls.size(), 2); // the problem was solved
    QCOMPARE(framed(form), QStringList{form->focusOrder().first()});
}

void InputMethodsTest::frameGrowsWithTheWindow()
{
    Program program;
    TrainerWindow *form = program.open(WindowId::OneRow);
    QWidget *field = form->findChild<QWidget *>(form->markedField());
    const int atDesignSize = frameThickness(field);
    QVERIFY(atDesignSize >= 2);
    form->resize(form->size() * 2);
    QVERIFY2(frameThickness(field) >= 2 * atDesignSize - 1,
             qPrintable(QStringLiteral("%1 then %2").arg(atDesignSize).arg(frameThickness(field))));
}

void InputMethodsTest::frameSkipsAZeroCarry_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("button"); // a mode or display button clicked first, or none
    QTest::addColumn<QString>("problem");

    QTest::newRow("mal E, 2021 * 2: nothing carried") << WindowId::OneRow << "Befehl21" << "2021 · 2";
    QTest::newRow("mal Z, 4326 * 30: 1, then 0 and 0") << WindowId::OneRow << "Befehl20" << "4326 · 3";
    QTest::newRow("mal H, 4326 * 300") << WindowId::OneRow << "Befehl13" << "4326 · 3";
    QTest::newRow("two rows, Bündig, 9311 * 55") << WindowId::TwoRow << "" << "9311 · 55";
    QTest::newRow("two rows, Treppe, 9311 * 55") << WindowId::TwoRow << "Befehl12" << "9311 · 55";
    QTest::newRow("three rows, Bündig, 9311 * 555") << WindowId::ThreeRow << "" << "9311 · 555";
    QTest::newRow("three rows, Treppe, 9311 * 555") << WindowId::ThreeRow << "Befehl12" << "9311 · 555";
}

// An exercise book writes no 0 carry: typing the digits where the frame stands, the frame
// passes every carry box whose carry is 0 and rests on every other carry box, and the
// problem is solved without a "Fehler". A 0 dropped on such a box is still right.
void InputMethodsTest::frameSkipsAZeroCarry()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, button);
    QFETCH(QString, problem);
    Program program;
    TrainerWindow *form = program.open(trainer);
    if (!button.isEmpty())
        QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
    scriptProblem(program.random, trainer, problem);
    form->NextProblem();
    QCOMPARE(program.random.remaining(), 0);

    QStringList zeroCarries, otherCarries;
    for (const QString &field : form->fieldNames()) {
        const std::optional<Cell> cell = form->cellOf(field);
        if (!isCarry(*cell) || !form->findChild<QWidget *>(field)->isVisible())
            continue;
        (expectedDigit(form, field) == QLatin1String("0") ? zeroCarries : otherCarries) << field;
    }
    QVERIFY(!zeroCarries.isEmpty());

    QStringList walked;
    while (program.dialogs.count("Malaufgabe") == 0 && walked.size() < 60) {
        const QString field = form->markedField();
        QCOMPARE(form->focusWidget()->objectName(), field);
        walked << field;
        QTest::keyClick(form->focusWidget(), Qt::Key(Qt::Key_0 + expectedDigit(form, field).toInt()));
        QCOMPARE(program.dialogs.count("Fehler"), 0);
        if (walked.size() == 1) {
            // Into the box the frame passes, by hand: right, and a point.
            const int points = form->score().points();
            QCOMPARE(form->dropOnField(zeroCarries.first(), u'0'), TrainerWindow::DropResult::Accepted);
            QCOMPARE(form->score().points(), points + 1);
            QCOMPARE(program.dialogs.count("Fehler"), 0);
        }
    }
    QCOMPARE(program.dialogs.count("Malaufgabe"), 1);
    for (const QString &carry : std::as_const(zeroCarries))
        QVERIFY2(!walked.contains(carry), qPrintable(carry + QLatin1String(": ") + walked.join(u' ')));
    for (const QString &carry : std::as_const(otherCarries))
        QVERIFY2(walked.contains(carry), qPrintable(carry + QLatin1String(": ") + walked.join(u' ')));
}

// While "Blatt" shows the sheet over the problem, the fields under it take no digit in
// any way and Tab passes them by; "Abbruch" gives the focus back to the field that had it.
void InputMethodsTest::nothingReachesAFieldUnderTheSheet_data()
{
    addTrainerMethodRows(false);
}

void InputMethodsTest::nothingReachesAFieldUnderTheSheet()
{
    QFETCH(WindowId, trainer);
    QFETCH(Method, method);
    Program program;
    TrainerWindow *form = program.open(trainer);
    const QString field = form->focusOrder().at(1);
    QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    QCOMPARE(form->focusWidget()->objectName(), field);

    form->findChild<QPushButton *>("Befehl14")->click();
    auto *sheet = form->findChild<QListWidget *>("Liste5");
    QCOMPARE(form->focusWidget(), sheet);
    const QChar right = expectedDigit(form, field).at(0);
    QWidget *covered = form->findChild<QWidget *>(field);
    for (const QChar digit : {right, QChar(u'0' + (right.digitValue() + 1) % 10)}) {
        if (method == Method::Click) { // the tap lands where the field is on screen
            auto *key = form->findChild<QPushButton *>(QStringLiteral("Befehl%1").arg(digit.digitValue() + 2));
            QTest::mouseClick(key, Qt::LeftButton);
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                              covered->mapTo(form, covered->rect().center()));
            QTest::mouseClick(covered, Qt::LeftButton);
            form->chooseKey(digit); // let it go
        } else {
            enter(form, field, digit, method);
        }
        QTest::keyClick(form->focusWidget(), Qt::Key(digit.unicode()));
    }
    QCOMPARE(form->score().points(), 0);
    QCOMPARE(form->score().errors(), 0);
    QVERIFY(program.dialogs.calls.isEmpty());
    QCOMPARE(shownDigit(form, field), QString());

    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
        QVERIFY2(!qobject_cast<DropField *>(form->focusWidget()), qPrintable(form->focusWidget()->objectName()));
    }

    form->findChild<QPushButton *>("Befehl16")->click();
    QCOMPARE(form->focusWidget()->objectName(), field);
    QCOMPARE(framed(form), QStringList{field});
    enter(form, field, right, method);
    QCOMPARE(form->score().points(), 1);
}

QTEST_MAIN(InputMethodsTest)
#include "tst_input_methods.moc"
