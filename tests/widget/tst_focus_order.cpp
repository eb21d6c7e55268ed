#include "trainers/common/focus_order.h"

#include <QSet>
#include <QTest>

namespace {

// Six fields in written order on a grid of 40-pixel places:
//
//     a b c
//       d   e
//     f
//
// b and c lie on a panel of their own, as the carry and gap panels of the trainers do.
struct Fields
{
    QWidget window;
    QWidget *panel = new QWidget(&window);
    FocusOrder::Fields order;

    Fields()
    {
        panel->setGeometry(40, 0, 80, 40);
        const struct {
            char name;
            int column, row;
        } places[] = {{'a', 0, 0}, {'b', 1, 0}, {'c', 2, 0}, {'d', 1, 1}, {'e', 3, 1}, {'f', 0, 2}};
        for (const auto &p : places) {
            const bool onPanel = p.row == 0 && p.column > 0;
            auto *field = new QWidget(onPanel ? panel : &window);
            field->setObjectName(QString(QLatin1Char(p.name)));
            field->setGeometry(p.column * 40 - (onPanel ? 40 : 0), p.row * 40, 30, 30);
            order << field;
        }
    }
    QWidget *field(const QString &name) const { return window.findChild<QWidget *>(name); }
    static QString name(const QWidget *field) { return field ? field->objectName() : QString(); }
};

} // namespace

class TestFocusOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrowKeys_data();
    void arrowKeys();
    void tabGoesRoundAndRound();
    void nextEmptyField_data();
    void nextEmptyField();
};

void TestFocusOrder::arrowKeys_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QString>("to"); // empty: no field that way

    QTest::newRow("right, onto another panel") << "a" << 1 << 0 << "b";
    QTest::newRow("right, in line") << "b" << 1 << 0 << "c";
    QTest::newRow("right, out of line at the row's end") << "c" << 1 << 0 << "e";
    QTest::newRow("down, in line") << "b" << 0 << 1 << "d";
    QTest::newRow("up: in line before a nearer one aside") << "f" << 0 << -1 << "a";
    QTest::newRow("left at the edge") << "a" << -1 << 0 << "";
    QTest::newRow("down at the edge") << "f" << 0 << 1 << "";
    QTest::newRow("up at the edge") << "c" << 0 << -1 << "";
}

// The arrow keys go to the nearest field in their direction, preferring one in line.
void TestFocusOrder::arrowKeys()
{
    QFETCH(QString, from);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(QString, to);
    Fields fields;
    QCOMPARE(Fields::name(FocusOrder::step(fields.order, fields.field(from), dx, dy)), to);
}

void TestFocusOrder::tabGoesRoundAndRound()
{
    Fields fields;
    QCOMPARE(Fields::name(FocusOrder::cycle(fields.order, fields.field("c"), true)), QString("d"));
    QCOMPARE(Fields::name(FocusOrder::cycle(fields.order, fields.field("c"), false)), QString("b"));
    QCOMPARE(Fields::name(FocusOrder::cycle(fields.order, fields.field("f"), true)), QString("a"));
    QCOMPARE(Fields::name(FocusOrder::cycle(fields.order, fields.field("a"), false)), QString("f"));
    // From anything but a field Tab keeps its usual way.
    QCOMPARE(FocusOrder::cycle(fields.order, fields.panel, true), nullptr);
    QCOMPARE(FocusOrder::cycle({}, fields.field("a"), true), nullptr);
}

void TestFocusOrder::nextEmptyField_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("empty"); // the fields still empty
    QTest::addColumn<QString>("next");

    QTest::newRow("the next one") << "b" << "cdef" << "c";
    QTest::newRow("past filled ones") << "b" << "ef" << "e";
    QTest::newRow("back to a skipped one") << "e" << "a" << "a";
    QTest::newRow("back round past the end") << "f" << "bc" << "b";
    QTest::newRow("all filled: the one after") << "b" << "" << "c";
    QTest::newRow("all filled, at the end: the first") << "f" << "" << "a";
}

// After a right digit the frame goes to the next empty field in written order.
void TestFocusOrder::nextEmptyField()
{
    QFETCH(QString, from);
    QFETCH(QString, empty);
    QFETCH(QString, next);
    Fields fields;
    const auto isEmpty = [&](const QWidget *field) { return empty.contains(field->objectName()); };
    QCOMPARE(Fields::name(FocusOrder::nextEmpty(fields.order, fields.field(from), isEmpty)), next);
}

QTEST_MAIN(TestFocusOrder)
#include "tst_focus_order.moc"
