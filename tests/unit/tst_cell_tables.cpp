#include "scripted_random.h"
#include "trainers/common/rows_problem.h"
#include "trainers/one_row/one_row_problem.h"
#include "trainers/three_row/three_row_problem.h"
#include "trainers/two_row/two_row_problem.h"

#include <QtTest>

#include <memory>

// Every control a trainer's cell table names shows the digit of its cell: the digits a
// problem gives as captions, the fields as the pupil must write them (filled in written
// order, so that carries see the boxes they depend on).
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
    std::unique_ptr<CaptionExercise> ex;
    if (trainer == QLatin1String("two-row") || trainer == QLatin1String("three-row")) {
        const RowsTables &tables = trainer == QLatin1String("two-row") ? twoRowTables() : threeRowTables();
        ex = gap ? std::unique_ptr<CaptionExercise>(new RowsGap(tables)) : std::make_unique<RowsSingle>(tables);
    } else {
        const int zeros = int(QStringLiteral("EZH").indexOf(trainer));
        const OneRowMode single[] = {OneRowMode::E, OneRowMode::Z, OneRowMode::H};
        ex = gap ? std::unique_ptr<CaptionExercise>(new OneRowGap(gapCounterpart(single[zeros])))
                 : std::make_unique<OneRowSingle>(single[zeros]);
    }
    ScriptedRandom random;
    random.seed(11);
    for (int i = 0; i < 200; ++i) {
        ex->deal(random);
        const WrittenMultiplication w = ex->written();
        int checked = 0;
        for (const QString &field : ex->fieldNames()) {
            if (!ex->isShown(field))
                continue;
            const std::optional<Cell> cell = ex->cellOf(field);
            QVERIFY2(cell, qPrintable(field));
            QCOMPARE(ex->nameOf(*cell), field);
            if (!w.contains(*cell))
                continue;
            const QString expected = ex->expectedDigit(field);
            QCOMPARE(expected, QString::number(w.digit(*cell)));
            ex->drop(field, expected.at(0));
            ++checked;
        }
        for (auto it = ex->captions().cbegin(); it != ex->captions().cend(); ++it) {
            const std::optional<Cell> cell = ex->cellOf(it.key());
            if (cell && w.contains(*cell) && ex->isShown(it.key()) && !it.value().trimmed().isEmpty()) {
                QCOMPARE(it.value(), QString::number(w.digit(*cell)));
                ++checked;
            }
        }
        QVERIFY(checked >= 8);
    }
}

QTEST_APPLESS_MAIN(TestCellTables)
#include "tst_cell_tables.moc"
