#include "platform/qt_printer.h"
#include "scripted_random.h"
#include "shell/info_window.h"
#include "shell/report_pictures.h"
#include "shell/report_window.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "training/report.h"
#include "worksheets/worksheet.h"

#include <QCheckBox>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SheetKind)
Q_DECLARE_METATYPE(SheetPass)

// The print job rendered into a PDF by the same code that drives a real printer, and read
// back with pdftotext (poppler-utils).
namespace {

QString pdfToText(const QString &pdf, const QStringList &options)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The written lines of each page, blanks run together as pdftotext approximates them.
QList<QStringList> pagesOf(const QString &pdf)
{
    QList<QStringList> pages;
    for (const QString &page : pdfToText(pdf, {QStringLiteral("-layout")}).split(QLatin1Char('\f'))) {
        QStringList lines;
        for (const QString &line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                lines.append(line.simplified());
        }
        if (!lines.isEmpty())
            pages.append(lines);
    }
    return pages;
}

QStringList written(const QStringList &lines)
{
    QStringList result;
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty())
            result.append(line.simplified());
    }
    return result;
}

struct Word
{
    QRectF box;
    QString text;
};

QList<Word> wordsOf(const QString &pdf)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(pdfToText(pdf, {QStringLiteral("-bbox")})); it.hasNext();) {
        const auto m = it.next();
        words.append({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      m.captured(5)});
    }
    return words;
}

// The first page rendered by pdftoppm (poppler-utils) at `dpi`.
QImage firstPage(const QString &pdf, int dpi)
{
    const QString prefix = pdf + QStringLiteral("-page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-singlefile"),
                   QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".png"));
}

int pixelsNear(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) <= 10 && qAbs(c.green() - colour.green()) <= 10
                && qAbs(c.blue() - colour.blue()) <= 10)
                ++count;
        }
    }
    return count;
}

QRectF printableArea(QPageSize::PageSizeId size)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(size));
    return printer.pageLayout().paintRect(QPageLayout::Point);
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printedSheet_data();
    void printedSheet();
    void printedFromTheTrainer();
    void printedReport();
    void chosenPrinter_data();
    void chosenPrinter();
};

void TestPrintPdf::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed to read the printed sheets back");
}

void TestPrintPdf::printedSheet_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<SheetPass>("pass");
    QTest::addColumn<QPageSize::PageSizeId>("paper");

    QTest::newRow("one-row problems A4") << SheetKind::OneRow << SheetPass::Problems << QPageSize::A4;
    QTest::newRow("one-row solutions Letter") << SheetKind::OneRow << SheetPass::Solutions << QPageSize::Letter;
    QTest::newRow("one-row problems A5") << SheetKind::OneRow << SheetPass::Problems << QPageSize::A5;
    QTest::newRow("two-row problems A4") << SheetKind::TwoRow << SheetPass::Problems << QPageSize::A4;
    QTest::newRow("two-row solutions Letter") << SheetKind::TwoRow << SheetPass::Solutions << QPageSize::Letter;
    QTest::newRow("three-row problems Letter") << SheetKind::ThreeRow << SheetPass::Problems << QPageSize::Letter;
    QTest::newRow("three-row solutions A4") << SheetKind::ThreeRow << SheetPass::Solutions << QPageSize::A4;
}

void TestPrintPdf::printedSheet()
{
    QFETCH(SheetKind, kind);
    QFETCH(SheetPass, pass);
    QFETCH(QPageSize::PageSizeId, paper);

    ScriptedRandom random;
    const QStringList sheet = buildSheet(kind, random);
    const PrintDocument document = printDocument(kind, sheet, pass);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    QtPrinter printer(pdf, QPageSize(paper));
    const PrintResult result = printer.print(document);
    QVERIFY2(result.printed, qPrintable(result.failure));

    // Every line complete and in order, the title first, the answer rules in place of the
    // products on the problem sheet.
    const QList<QStringList> pages = pagesOf(pdf);
    QVERIFY(!pages.isEmpty());
    QStringList all;
    for (const QStringList &page : pages)
        all += page;
    QCOMPARE(all, written(document.lines()));
    QCOMPARE(pages.first().first(), pageTitle(kind, pass));
    const QStringList rules = written(answerRules(kind).values());
    for (const QString &rule : rules)
        QCOMPARE(all.contains(rule), pass == SheetPass::Problems);

    // Pages end only where a problem group ends.
    QList<int> groupEnds;
    int count = 0;
    for (const QStringList &block : document.blocks) {
        count += int(written(block).size());
        groupEnds.append(count);
    }
    count = 0;
    for (const QStringList &page : pages) {
        count += int(page.size());
        QVERIFY2(groupEnds.contains(count), qPrintable(page.last()));
    }

    // Nothing outside the printable area, at 18 pt or the largest size that fits.
    const QRectF area = printableArea(paper);
    const QList<Word> words = wordsOf(pdf);
    QVERIFY(!words.isEmpty());
    double pitch = 0;
    int widest = 0;
    for (const Word &w : words) {
        QVERIFY2(area.adjusted(-0.5, -0.5, 0.5, 0.5).contains(w.box), qPrintable(w.text));
        if (w.text.contains(QLatin1Char('*')))
            pitch = w.box.width() / w.text.size();
    }
    for (const QString &line : document.lines())
        widest = std::max(widest, int(line.trimmed().size() + line.indexOf(line.trimmed())));
    const double size = pitch / 0.6; // Courier and its lookalikes are 0.6 em wide
    QVERIFY(size <= 18.05);
    QVERIFY2(widest * pitch <= area.width(), qPrintable(QString::number(size)));
    if (size < 17.95)
        QVERIFY2(widest * pitch * (size + 0.5) / size > area.width(), qPrintable(QString::number(size)));
    if (kind == SheetKind::OneRow && paper != QPageSize::A5)
        QVERIFY2(size > 17.95, qPrintable(QString::number(size)));
}

// "Aufgaben drucken" in the trainer, through the print lock and the question, into a PDF.
void TestPrintPdf::printedFromTheTrainer()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rechenblatt.pdf"));
    QtPrinter printer(pdf, QPageSize(QPageSize::A4));
    TestProgram program(&printer);
    FakeDialogs &dialogs = program.dialogs;
    auto *trainer = program.open<TrainerWindow>(WindowId::OneRow);
    trainer->findChild<QPushButton *>(QStringLiteral("Befehl14"))->click();

    dialogs.entries = {QStringLiteral("0")};
    dialogs.answers = {Answer::Yes};
    trainer->findChild<QPushButton *>(QStringLiteral("Befehl17"))->click();
    QCOMPARE(dialogs.last().text, QStringLiteral("Das Rechenblatt wird gedruckt ...\r\r"));

    QStringList all;
    for (const QStringList &page : pagesOf(pdf))
        all += page;
    QCOMPARE(all, written(printDocument(SheetKind::OneRow, trainer->worksheet(), SheetPass::Problems).lines()));
    QVERIFY(all.contains(QStringLiteral("_____ _____ _____ _____ _____ _____")));
}

// "Drucken" in the report: its lines in order, before them the two pictures in colour.
void TestPrintPdf::printedReport()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("auswertung.pdf"));
    QtPrinter printer(pdf, QPageSize(QPageSize::A4));
    TestProgram program(&printer);
    // 2213 · 4: the tens first wrong with a times-table slip, the rest right.
    for (auto [value, n, k] : {std::tuple{2, 9, 1}, {2, 10, 0}, {1, 10, 0}, {3, 9, 1}, {4, 8, 2}})
        program.random.pushInt(value, n, k);
    auto *trainer = program.open<TrainerWindow>(WindowId::OneRow);
    for (auto [field, digit] : {std::pair{"Bezeichnung17", '2'}, {"Bezeichnung13", '9'}, {"Bezeichnung13", '5'},
                                {"Bezeichnung12", '8'}, {"Bezeichnung11", '8'}})
        trainer->dropOnField(QLatin1String(field), QChar(digit));
    trainer->EndTraining();
    program.app.registry().showInfo();
    auto *info = qobject_cast<InfoWindow *>(program.app.registry().window(WindowId::Info));
    info->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))->setChecked(false);
    ReportWindow *report = info->showReport();
    program.dialogs.answers = {Answer::Yes};
    report->findChild<QPushButton *>(QStringLiteral("Drucken"))->click();
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Die Auswertung wird gedruckt ...\r\r"));

    QStringList printed;
    for (const QStringList &page : pagesOf(pdf))
        printed += page;
    // The report's text after its heading, the trainers not practised in one line at the end.
    QStringList shown = reportLines(program.app.services().training.statistics);
    shown = shown.mid(shown.indexOf(QStringLiteral("Einreihige Multiplikation")));
    shown = shown.mid(0, shown.indexOf(QStringLiteral("Zweireihige Multiplikation")));
    shown << QStringLiteral("Nicht geübt: Zweireihige Multiplikation, Dreireihige Multiplikation");
    const QStringList lines = written(shown);
    qsizetype at = 0;
    for (const QString &line : printed) {
        if (at < lines.size() && line == lines.at(at))
            ++at;
    }
    QVERIFY2(at == lines.size(), qPrintable(lines.value(at)));
    const qsizetype firstTrainer = printed.indexOf(QStringLiteral("Einreihige Multiplikation"));
    // Above the pictures the heading, with a line for the child's name and the date.
    const QString above = printed.mid(0, printed.indexOf(QStringLiteral("Einmaleins"))).join(QLatin1Char(' '));
    for (const char *words : {"Auswertung: Malrechnen", "seit dem Programmstart", "Name: ___", "Datum: ___"})
        QVERIFY2(above.contains(QLatin1String(words)), qPrintable(above));
    for (const char *word : {"Einmaleins", "Fehler nach Art"})
        QVERIFY2(printed.indexOf(QLatin1String(word)) > 0 && printed.indexOf(QLatin1String(word)) < firstTrainer, word);
    QVERIFY(printed.mid(0, firstTrainer).join(QLatin1Char(' ')).contains(QStringLiteral("Übertrag vergessen")));

    const QImage page = firstPage(pdf, 50);
    QVERIFY(!page.isNull());
    for (SkillState state : {SkillState::Practising, SkillState::Improving, SkillState::Mastered})
        QVERIFY2(pixelsNear(page, skillStateColour(state)) > 20, qPrintable(skillStateName(state)));
}

// Which of the installed printers a sheet goes to, or what the teacher is told instead.
void TestPrintPdf::chosenPrinter_data()
{
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("failure");

    const QString severalWithoutDefault = QStringLiteral(
        "Es ist kein Standarddrucker festgelegt (eingerichtet sind: „Klasse-3b“, „Lehrerzimmer“).\r"
        "Einen Standarddrucker legt man in den Druckereinstellungen des Systems fest oder im "
        "Terminal mit „lpoptions -d Druckername“.");
    QTest::newRow("none") << QString() << QStringList() << QString()
                          << QStringLiteral("Es ist kein Drucker eingerichtet.");
    QTest::newRow("the default of several")
        << QStringLiteral("Lehrerzimmer") << QStringList{QStringLiteral("Klasse-3b"), QStringLiteral("Lehrerzimmer")}
        << QStringLiteral("Lehrerzimmer") << QString();
    QTest::newRow("a default instance")
        << QStringLiteral("Klasse-3b/quer") << QStringList{QStringLiteral("Klasse-3b"), QStringLiteral("Klasse-3b/quer")}
        << QStringLiteral("Klasse-3b/quer") << QString();
    QTest::newRow("the only one, no default") << QString() << QStringList{QStringLiteral("Klasse-3b")}
                                              << QStringLiteral("Klasse-3b") << QString();
    QTest::newRow("one with its instances, no default")
        << QString() << QStringList{QStringLiteral("Klasse-3b"), QStringLiteral("Klasse-3b/quer")}
        << QStringLiteral("Klasse-3b") << QString();
    QTest::newRow("several, no default")
        << QString() << QStringList{QStringLiteral("Klasse-3b"), QStringLiteral("Lehrerzimmer")}
        << QString() << severalWithoutDefault;
    QTest::newRow("several with instances, no default")
        << QString()
        << QStringList{QStringLiteral("Klasse-3b"), QStringLiteral("Klasse-3b/quer"), QStringLiteral("Lehrerzimmer")}
        << QString() << severalWithoutDefault;
}

void TestPrintPdf::chosenPrinter()
{
    QFETCH(QString, defaultPrinter);
    QFETCH(QStringList, installed);
    QFETCH(QString, printer);
    QFETCH(QString, failure);
    const PrinterChoice choice = choosePrinter(defaultPrinter, installed);
    QCOMPARE(choice.printer, printer);
    QCOMPARE(choice.failure, failure);
}

QTEST_MAIN(TestPrintPdf)
#include "tst_print_pdf.moc"
