#include "pupil_actions.h"
#include "shell/report_pictures.h"
#include "shell/report_window.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "training/report.h"
#include "training/session_statistics.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QPushButton>
#include <QtTest>

namespace {

struct Program : TestProgram
{
    QWidget *info()
    {
        app.registry().showInfo();
        return app.registry().window(WindowId::Info);
    }
    QWidget *report()
    {
        info()->findChild<QPushButton *>(QStringLiteral("Auswertungsknopf"))->click();
        return info()->findChild<QWidget *>(QStringLiteral("Auswertung"));
    }
    Training &training() { return app.services().training; }
    // A wrong digit on the first field of the one-row trainer, then the menu again.
    void wrongDigitInOneRow()
    {
        auto *form = open<TrainerWindow>(WindowId::OneRow);
        const QString field = form->focusOrder().value(0);
        const int right = expectedDigit(form, field).toInt();
        form->dropOnField(field, QChar(u'0' + (right + 1) % 10));
        form->EndTraining();
    }
};

void click(QWidget *window, const char *button)
{
    window->findChild<QPushButton *>(QLatin1String(button))->click();
}

// A picture drawn on white at its design size.
QImage drawn(const std::function<void(QPainter &, const QRectF &)> &draw, QSizeF size)
{
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, QRectF(QPointF(), size));
    return image;
}

// How far a bar of `colour` reaches from the left of `cell`, in pixels.
int barLength(const QImage &image, const QRectF &cell, const QColor &colour)
{
    const int y = qRound(cell.center().y());
    int length = 0;
    for (int x = qCeil(cell.left()); x < image.width(); ++x) {
        if (image.pixelColor(x, y) != colour)
            break;
        ++length;
    }
    return length;
}

} // namespace

class TestReportWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hintSwitchLivesForTheRun();
    void reportShowsTheRun();
    void copiesPlainText();
    void printsLikeAWorksheet_data();
    void printsLikeAWorksheet();
    void passwordIsANumberTheReportShows();
    void headingSaysWhenTheChildStarted();
    void wrappedLinesStandInUnderTheirLabel();
    void factsTableShowsWhatTheChildCan();
    void barsShowTheErrorsByKind();
};

// The switch shows the run's value, on at start; off, the trainers show no hint; a window
// closed by its frame comes back with the value as it stands.
void TestReportWindow::hintSwitchLivesForTheRun()
{
    Program program;
    auto *box = program.info()->findChild<QCheckBox *>(QStringLiteral("Tipps"));
    QCOMPARE(box->text(), QStringLiteral("  Tipps nach Fehlern zeigen"));
    QVERIFY(box->isChecked());
    QVERIFY(program.training().hintsShown);
    box->click();
    QVERIFY(!program.training().hintsShown);
    program.info()->close();
    QVERIFY(!program.info()->findChild<QCheckBox *>(QStringLiteral("Tipps"))->isChecked());

    auto *form = program.open<TrainerWindow>(WindowId::OneRow);
    const QString field = form->focusOrder().value(0);
    form->dropOnField(field, QChar(u'0' + (expectedDigit(form, field).toInt() + 1) % 10));
    QVERIFY(!form->findChild<QLabel *>(QStringLiteral("Tipp"))->isVisible());
    QCOMPARE(program.training().statistics.trainer(TrainerKind::OneRow).errors, 1);
}

void TestReportWindow::reportShowsTheRun()
{
    Program program;
    QWidget *report = program.report();
    QVERIFY(report->isVisible());
    QCOMPARE(report->windowTitle(), QStringLiteral("Auswertung"));
    auto *text = report->findChild<QTextEdit *>();
    QVERIFY(text->toPlainText().contains(QStringLiteral("Einreihige Multiplikation\n  nicht geübt")));

    // Shown again, it is written as the run stands now.
    report->hide();
    program.wrongDigitInOneRow();
    report = program.report();
    QCOMPARE(text->toPlainText(),
             reportLines(program.training().statistics).join(QLatin1Char('\n')));
    QVERIFY(text->toPlainText().contains(QStringLiteral("  Fehler: 1\n")));
}

void TestReportWindow::copiesPlainText()
{
    Program program;
    program.wrongDigitInOneRow();
    QWidget *report = program.report();
    click(report, "Kopieren");
    QCOMPARE(program.clipboard.texts,
             QStringList(reportLines(program.training().statistics).join(QLatin1Char('\n')) + "\n"));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Zwischenablage"));
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Die Auswertung wurde in die Ablage kopiert.\r\r"));

    program.clipboard.refuse = true;
    click(report, "Kopieren");
    QCOMPARE(program.clipboard.texts.size(), 1);
    QCOMPARE(program.dialogs.last().icon, MessageIcon::Warning);
    QVERIFY(program.dialogs.last().text.contains(QStringLiteral("Es wurde nichts kopiert.")));
}

void TestReportWindow::printsLikeAWorksheet_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("password"); // typed when locked
    QTest::addColumn<QString>("failure");  // of the printer
    QTest::addColumn<QString>("message");  // the last message, nothing for none
    QTest::addColumn<int>("jobs");
    QTest::newRow("unlocked, printed") << false << QString() << QString()
                                       << "Die Auswertung wird gedruckt ...\r\r" << 1;
    QTest::newRow("unlocked, printer fails")
        << false << QString() << "Der Drucker ist ausgeschaltet."
        << "Der Drucker ist ausgeschaltet.\rDie Auswertung wurde nicht gedruckt.\r\r" << 1;
    QTest::newRow("locked, right password, printer fails")
        << true << "1" << "Kein Drucker."
        << "Kein Drucker.\rDie Auswertung wurde nicht gedruckt.\r\r" << 1;
    QTest::newRow("locked, wrong password")
        << true << "7" << QString()
        << "Das Kennwort stimmt nicht. Die Auswertung wurde nicht gedruckt.\r\r"
           "Das Kennwort ist die Zahl hinter „Richtige Ziffern aller Trainer“\r"
           "oben in der Auswertung.\r\r"
        << 0;
}

// The print lock, the question and the closing messages of the worksheets; a failing
// printer is reported and never announced as printing. The password of a locked print is
// the number of right digits of the run.
void TestReportWindow::printsLikeAWorksheet()
{
    QFETCH(bool, locked);
    QFETCH(QString, password);
    QFETCH(QString, failure);
    QFETCH(QString, message);
    QFETCH(int, jobs);
    Program program;
    auto *form = program.open<TrainerWindow>(WindowId::OneRow);
    const QString field = form->focusOrder().value(0);
    form->dropOnField(field, expectedDigit(form, field).at(0));
    form->EndTraining();
    if (!locked)
        program.info()->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))->setChecked(false);
    QWidget *report = program.report();
    program.printer.failure = failure;
    program.dialogs.entries = {password};
    program.dialogs.answers = {Answer::Yes};
    program.dialogs.clear();
    click(report, "Drucken");
    QCOMPARE(program.printer.jobs.size(), jobs);
    if (jobs) {
        const PrintDocument &job = program.printer.jobs.first();
        // The text of the trainer practised as the window shows it; the two not practised in
        // one line at the end; the heading is drawn above the pictures.
        const QStringList shownLines = qobject_cast<ReportWindow *>(report)->text().split(QLatin1Char('\n'));
        const QStringList oneRow = shownLines.mid(shownLines.indexOf(QStringLiteral("Einreihige Multiplikation")));
        const QStringList printed = job.lines();
        QCOMPARE(printed.mid(printed.indexOf(oneRow.first()), 4), oneRow.mid(0, 4));
        QVERIFY(!printed.contains(QStringLiteral("  nicht geübt")));
        QVERIFY(!printed.contains(QStringLiteral("Zweireihige Multiplikation")));
        QCOMPARE(printed.last(), QStringLiteral("Nicht geübt: Zweireihige Multiplikation, Dreireihige Multiplikation"));
        QVERIFY(!printed.contains(shownLines.first()));
        QCOMPARE(program.dialogs.count(QStringLiteral("Auswertung")), 1); // the question
        // After the heading, the pictures the window shows.
        const ReportPictures &shown = qobject_cast<ReportWindow *>(report)->pictures();
        QCOMPARE(job.pictures.size(), 3);
        for (const PrintPicture &picture : job.pictures)
            QCOMPARE(picture.afterBlock, 0);
        QCOMPARE(job.blocks.first(), QStringList{QString()});
        const QImage heading = drawn(job.pictures.at(0).draw, job.pictures.at(0).size);
        QVERIFY(heading != drawn([](QPainter &, const QRectF &) {}, job.pictures.at(0).size));
        QCOMPARE(drawn(job.pictures.at(1).draw, factsTableSize),
                 drawn([&](QPainter &p, const QRectF &a) { drawFactsTable(p, a, shown); }, factsTableSize));
        QCOMPARE(drawn(job.pictures.at(2).draw, errorBarsSize),
                 drawn([&](QPainter &p, const QRectF &a) { drawErrorBars(p, a, shown); }, errorBarsSize));
    }
    QCOMPARE(message.isEmpty() ? QString() : program.dialogs.last().text, message);
    for (const FakeDialogs::Call &call : program.dialogs.calls) {
        if (!failure.isEmpty())
            QVERIFY(!call.text.contains(QStringLiteral("wird gedruckt")));
    }
}

// A locked print of the report asks for a number the report shows: the right digits of all
// trainers together, worked out here from the trainers' own lines. One trainer's number is
// refused, and the teacher is told so.
void TestReportWindow::passwordIsANumberTheReportShows()
{
    Program program;
    for (WindowId id : {WindowId::OneRow, WindowId::TwoRow}) {
        auto *form = program.open<TrainerWindow>(id);
        const QString field = form->focusOrder().value(0);
        form->dropOnField(field, expectedDigit(form, field).at(0));
        form->EndTraining();
    }
    auto *report = qobject_cast<ReportWindow *>(program.report());
    int total = 0;
    QString shownTotal;
    for (const QString &line : report->text().split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("  Richtige Ziffern: ")))
            total += line.section(QLatin1Char(':'), 1).trimmed().toInt();
        if (line.startsWith(QLatin1String("Richtige Ziffern aller Trainer: ")))
            shownTotal = line.section(QLatin1Char(':'), 1).trimmed();
    }
    QCOMPARE(total, 2);
    QCOMPARE(shownTotal, QString::number(total));

    program.dialogs.entries = {QStringLiteral("1"), shownTotal};
    program.dialogs.answers = {Answer::Yes};
    program.dialogs.clear();
    click(report, "Drucken");
    QCOMPARE(program.printer.jobs.size(), 0);
    QCOMPARE(program.dialogs.last().icon, MessageIcon::Warning);
    QVERIFY(program.dialogs.last().text.startsWith(QStringLiteral("Das Kennwort stimmt nicht.")));
    click(report, "Drucken");
    QCOMPARE(program.printer.jobs.size(), 1);

    // Cancel says nothing.
    program.dialogs.clear();
    click(report, "Drucken");
    QCOMPARE(program.dialogs.calls.size(), 1);
}

// After "Neues Kind" the report says since when it counts.
void TestReportWindow::headingSaysWhenTheChildStarted()
{
    Program program;
    program.wrongDigitInOneRow();
    QVERIFY(program.report()->findChild<QTextEdit *>()->toPlainText().startsWith(
        QStringLiteral("Auswertung: Malrechnen seit dem Programmstart\n")));
    program.report()->hide();
    program.dialogs.answers = {Answer::Yes};
    program.info()->findChild<QPushButton *>(QStringLiteral("NeuesKind"))->click();
    QCOMPARE(program.training().statistics.trainer(TrainerKind::OneRow).errors, 0);
    const QString first = program.report()->findChild<QTextEdit *>()->toPlainText().section(QLatin1Char('\n'), 0, 0);
    static const QRegularExpression since(QStringLiteral("^Auswertung: Malrechnen seit „Neues Kind“ um \\d{1,2}:\\d\\d Uhr$"));
    QVERIFY2(since.match(first).hasMatch(), qPrintable(first));
}

// A line too long for the view goes on further in than its label starts: the labels stand
// out at the margin of their level.
void TestReportWindow::wrappedLinesStandInUnderTheirLabel()
{
    Program program;
    program.wrongDigitInOneRow();
    QWidget *report = program.report();
    auto *view = report->findChild<QTextEdit *>();
    view->setFixedWidth(220);
    QApplication::processEvents();
    const QFontMetricsF metrics(view->font());
    int wrapped = 0;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (layout->lineCount() < 2)
            continue;
        // Where the label starts: after the line's own leading blanks.
        const QString text = block.text();
        const qsizetype blanks = text.indexOf(text.trimmed());
        const qreal label = layout->lineAt(0).x() + metrics.horizontalAdvance(QString(blanks, u' '));
        for (int i = 1; i < layout->lineCount(); ++i)
            QVERIFY2(layout->lineAt(i).x() > label + 1, qPrintable(text));
        ++wrapped;
    }
    QVERIFY(wrapped > 0);
}

// 2213 · 4 = 8852 in the one-row trainer, twice: the ones (3 · 4) right at the first try, the
// tens (1 · 4 and the carry 1) first wrong with a times-table slip, 9 instead of 5, the
// hundreds and the thousands (2 · 4 twice) right. The table colours each fact by what its
// digits showed: twice right "wird sicherer", four times right "sicher", wrong on two
// problems "übt noch", the rest grey.
void TestReportWindow::factsTableShowsWhatTheChildCan()
{
    Program program;
    // Twice 2213 · 4: 3 · 4 right twice, 1 · 4 wrong twice, 2 · 4 right four times.
    for (int problem = 0; problem < 2; ++problem) {
        for (auto [value, n, k] : {std::tuple{2, 9, 1}, {2, 10, 0}, {1, 10, 0}, {3, 9, 1}, {4, 8, 2}})
            program.random.pushInt(value, n, k);
        auto *form = program.open<TrainerWindow>(WindowId::OneRow);
        QCOMPARE(form->exercise().problemText(), QStringLiteral("2213 · 4"));
        for (auto [field, digit] : {std::pair{"Bezeichnung17", '2'}, {"Bezeichnung13", '9'}, {"Bezeichnung13", '5'},
                                    {"Bezeichnung12", '8'}, {"Bezeichnung11", '8'}})
            form->dropOnField(QLatin1String(field), QChar(digit));
        form->EndTraining();
    }

    QWidget *report = program.report();
    QWidget *facts = report->findChild<QWidget *>(QStringLiteral("Einmaleins"));
    QVERIFY(facts->isVisible());
    const QImage image = facts->grab().toImage();
    const QRectF area = facts->contentsRect();
    const auto colourOf = [&](int x, int m) {
        const QRectF cell = factCell(area, x, m);
        // Beside the sign in the middle of the cell.
        return image.pixelColor(QPointF(cell.left() + cell.width() * 0.15, cell.center().y()).toPoint());
    };
    QCOMPARE(colourOf(3, 4), skillStateColour(SkillState::Improving));
    QCOMPARE(colourOf(1, 4), skillStateColour(SkillState::Practising));
    QCOMPARE(colourOf(2, 4), skillStateColour(SkillState::Mastered));
    QCOMPARE(colourOf(4, 2), skillStateColour(SkillState::NotSeen));
    QCOMPARE(colourOf(5, 4), skillStateColour(SkillState::NotSeen));
    QCOMPARE(colourOf(9, 9), skillStateColour(SkillState::NotSeen));
    const QList<QColor> colours{skillStateColour(SkillState::Mastered), skillStateColour(SkillState::Improving),
                                skillStateColour(SkillState::Practising), skillStateColour(SkillState::NotSeen)};
    for (const QColor &colour : colours)
        QCOMPARE(colours.count(colour), 1);
    // The text names the facts as the table colours them.
    QVERIFY(qobject_cast<ReportWindow *>(report)->text().contains(QStringLiteral("1 · 4 übt es noch")));
}

// One scale for all trainers, a bar as long as its count; the kinds of the "Auffällig:" line
// in their own colour; no bars for a trainer not practised.
void TestReportWindow::barsShowTheErrorsByKind()
{
    ReportPictures pictures;
    const auto bars = [](std::initializer_list<std::pair<ErrorKind, int>> counts) {
        SessionStatistics::Trainer none;
        QList<ErrorBar> list = errorBars(none);
        for (auto [kind, errors] : counts)
            list[errorKindIndex(kind)].errors = errors;
        return list;
    };
    pictures.trainers[0] = {true, bars({{ErrorKind::CarryForgotten, 8}, {ErrorKind::TimesTable, 2}}),
                            {ErrorKind::CarryForgotten}};
    pictures.trainers[1] = {true, bars({{ErrorKind::CarryForgotten, 4}, {ErrorKind::PlaceShifted, 6}}), {}};
    pictures.trainers[2] = {false, bars({}), {}};

    const QImage image = drawn([&](QPainter &p, const QRectF &a) { drawErrorBars(p, a, pictures); },
                               errorBarsSize * 2);
    const QRectF area(QPointF(), errorBarsSize * 2);
    const QColor named = errorBarColour(true);
    const QColor other = errorBarColour(false);
    const int row = errorKindIndex(ErrorKind::CarryForgotten);
    const QRectF longest = errorBarCell(area, row, 0);
    const int full = barLength(image, longest, named);
    QVERIFY2(qAbs(full - longest.width()) <= 1, qPrintable(QString::number(full)));
    QCOMPARE(barLength(image, longest, other), 0);
    const auto length = [&](ErrorKind kind, int column, const QColor &colour) {
        return barLength(image, errorBarCell(area, errorKindIndex(kind), column), colour);
    };
    QVERIFY(qAbs(length(ErrorKind::TimesTable, 0, other) - full * 2 / 8) <= 1);
    QVERIFY(qAbs(length(ErrorKind::CarryForgotten, 1, other) - full * 4 / 8) <= 1);
    QVERIFY(qAbs(length(ErrorKind::PlaceShifted, 1, other) - full * 6 / 8) <= 1);
    QCOMPARE(length(ErrorKind::PlaceShifted, 0, other), 0);
    for (int r = 0; r <= errorKindCount; ++r) {
        QCOMPARE(barLength(image, errorBarCell(area, r, 2), other), 0);
        QCOMPARE(barLength(image, errorBarCell(area, r, 2), named), 0);
    }
}

QTEST_MAIN(TestReportWindow)
#include "tst_report_window.moc"
