#include "test_program.h"
#include "fake_dialogs.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/exercise.h"
#include "trainers/common/trainer_window.h"

#include <QLabel>
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
    case Method::Drag: {
        auto data = digitMimeData(digit);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        break;
    }
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
    const int expected = form->currentExercise().expectedDigit(field).toInt();
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
    // 4321 * 7 = 30247, carries 0, 1, 2
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}})
        program.random.pushInt(value, n, k);
    TrainerWindow *form = program.open(WindowId::OneRow);
    const QList<std::pair<const char *, char>> written = {
        {"Bezeichnung17", '7'}, {"Bezeichnung9", '0'}, {"Bezeichnung13", '4'}, {"Bezeichnung8", '1'},
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
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}})
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

QTEST_MAIN(InputMethodsTest)
#include "tst_input_methods.moc"
