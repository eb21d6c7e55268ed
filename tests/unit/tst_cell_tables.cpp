#include "named_exercise.h"
#include "scripted_random.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"

#include <QtTest>

// Every control a trainer's cell table names shows the digit of its cell: the digits a
// problem gives, and the fields as the pupil must write them (filled in written order).
// Each cell has one control.
class TestCellTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void controlsShowTheirCells_data();
    void controlsShowTheirCells();
};

void TestCellTables::controlsShowTheirCells_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<bool>("gap");
    for (const char *trainer : {"E", "Z", "H", "two-row", "three-row"}) {
        QTest::addRow("%s single", trainer) << QString::fromLatin1(trainer) << false;
        QTest::addRow("%s gap", trainer) << QString::fromLatin1(trainer) << true;
    }
}

void TestCellTables::controlsShowTheirCells()
{
    QFETCH(QString, trainer);
    QFETCH(bool, gap);
    const bool rows = trainer == QLatin1String("two-row") || trainer == QLatin1String("three-row");
    const RowsTables &tables = trainer == QLatin1String("two-row") ? twoRowTables() : threeRowTables();
    const OneRowMode singleMode = std::array{OneRowMode::E, OneRowMode::Z, OneRowMode::H}
        [std::max<qsizetype>(0, QStringLiteral("EZH").indexOf(trainer))];
    const OneRowMode mode = gap ? gapCounterpart(singleMode) : singleMode;

    ScriptedRandom random;
    random.seed(11);
    for (int i = 0; i < 200; ++i) {
        NamedExercise ex = rows ? NamedExercise{dealRows(random, tables, gap, WrittenDisplay::Flush),
                                                rowsCells(tables, gap)}
                                : NamedExercise{dealOneRow(random, mode), oneRowCells(mode)};
        const WrittenMultiplication w = ex.exercise.written();
        int checked = 0;
        for (const QString &field : ex.fieldNames()) {
            QVERIFY2(!field.isEmpty(), "a field without a control");
            const Cell cell = *ex.cellOf(field);
            QCOMPARE(nameOfCell(ex.table, cell), field);
            QVERIFY(w.contains(cell));
            if (!ex.shown(field).isEmpty())
                continue;
            QCOMPARE(ex.expected(field), QString::number(w.digit(cell)));
            QCOMPARE(ex.dropRight(field), Exercise::Verdict::Right);
            ++checked;
        }
        for (const NamedCell &named : std::as_const(ex.table)) {
            QCOMPARE(nameOfCell(ex.table, named.cell), named.name);
            if (ex.isShown(named.name) && !ex.shown(named.name).isEmpty()) {
                QCOMPARE(ex.shown(named.name), QString::number(w.digit(named.cell)));
                ++checked;
            }
        }
        QVERIFY(checked >= 8);
    }
}

QTEST_APPLESS_MAIN(TestCellTables)
#include "tst_cell_tables.moc"
