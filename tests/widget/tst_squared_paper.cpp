#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "worksheets/grid_layout.h"
#include "worksheets/squared_paper.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

Q_DECLARE_METATYPE(WindowId)
Q_DECLARE_METATYPE(Answer)

// The squared-paper sheet as the teacher gets it: saved through the file dialog and read
// back from the PDF, or printed; and the sheet code typed back into the sheet view.
namespace {

constexpr double mmPerPoint = 25.4 / 72;

struct Word
{
    QRectF box; // mm from the page's top-left corner
    QString text;
};
using Page = QList<Word>;

QString unescaped(QString text)
{
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QList<Page> pagesOf(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Page> pages;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString &page : html.split(QStringLiteral("<page ")).mid(1)) {
        pages.append(Page());
        for (auto it = word.globalMatch(page); it.hasNext();) {
            const auto m = it.next();
            pages.last().append(
                {QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * mmPerPoint,
                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * mmPerPoint),
                 unescaped(m.captured(5))});
        }
    }
    return pages;
}

// The words between two heights of the page, line by line from the left.
QString textOf(Page page, double fromMm, double toMm)
{
    const auto line = [](const Word &w) { return qRound(w.box.bottom() / 2); }; // 2 mm bands
    std::sort(page.begin(), page.end(), [&](const Word &a, const Word &b) {
        return line(a) != line(b) ? line(a) < line(b) : a.box.left() < b.box.left();
    });
    QStringList words;
    for (const Word &w : page) {
        if (w.box.center().y() > fromMm && w.box.center().y() < toMm)
            words.append(w.text);
    }
    return words.join(QLatin1Char(' '));
}

// "row,column:text" of every digit, carry and sign a page shows on the grid.
using Squares = QSet<QString>;

QString square(int row, int column, const QString &text)
{
    return QStringLiteral("%1,%2:%3").arg(row).arg(column).arg(text);
}

struct Program : TestProgram
{
    explicit Program(WindowId id) : trainer(open<TrainerWindow>(id)) {}

    QLineEdit *codeField() { return trainer->findChild<QLineEdit *>(QStringLiteral("Blattcode")); }
    void click(const char *name)
    {
        auto *button = trainer->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button && button->isVisible(), name);
        button->click();
    }
    void typeCode(const QString &code)
    {
        codeField()->clear();
        QTest::keyClicks(codeField(), code);
        QTest::keyClick(codeField(), Qt::Key_Return);
    }
    void allowPrinting()
    {
        app.registry().window(WindowId::Info)->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))->setChecked(false);
    }

    TrainerWindow *trainer;
};

} // namespace

class TestSquaredPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void savedAndReadBack_data();
    void savedAndReadBack();
    void failingWrite_data();
    void failingWrite();
    void replacingIsAsked_data();
    void replacingIsAsked();
    void printed_data();
    void printed();
    void typedCode_data();
    void typedCode();
};

void TestSquaredPaper::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed to read the sheets back");
}

void TestSquaredPaper::savedAndReadBack_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("file");

    QTest::newRow("one-row") << WindowId::OneRow << "2226M9F" << "Einreihige Multiplikation"
                             << "Rechenblatt-einreihig-2226M9F.pdf";
    QTest::newRow("two-row, staircase") << WindowId::TwoRow << "A223ZCP" << "Zweireihige Multiplikation"
                                        << "Rechenblatt-zweireihig-A223ZCP.pdf";
    QTest::newRow("three-row, flush") << WindowId::ThreeRow << "E222SBC" << "Dreireihige Multiplikation"
                                      << "Rechenblatt-dreireihig-E222SBC.pdf";
}

// Every digit in its 5 mm square where the layout puts it, the problem sheet then the
// solution sheet, each problem whole on one page, header and footer on every page.
void TestSquaredPaper::savedAndReadBack()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, file);

    Program program(trainer);
    program.trainer->ShowWorksheet();
    program.typeCode(code);
    const SheetCode sheet = *SheetCode::read(code);
    QCOMPARE(program.trainer->worksheetCode(), sheet);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("blatt")); // ".pdf" is added
    program.dialogs.fileNames = {path};
    program.click("Kaestchenblatt");
    const FakeDialogs::Call asked = program.dialogs.calls.first();
    QCOMPARE(asked.kind, FakeDialogs::Kind::SaveFile);
    QCOMPARE(QFileInfo(asked.defaultText).fileName(), file);
    QCOMPARE(program.dialogs.last().icon, MessageIcon::Information);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"blatt.pdf"});

    const QList<GridPage> layout = layOutPages(sheet.kind, sheetProblems(sheet), sheet.display,
                                               SquaredPaper::columns, SquaredPaper::rows);
    const QList<Page> pages = pagesOf(path + QStringLiteral(".pdf"));
    QCOMPARE(pages.size(), 2 * layout.size());
    for (int p = 0; p < pages.size(); ++p) {
        const bool solutions = p >= layout.size();
        const int sheetPage = p % layout.size();
        const QString header = textOf(pages.at(p), 0, SquaredPaper::gridTopMm);
        QVERIFY(QRegularExpression(QStringLiteral("^%1 \\(%2\\) Name: _{20,} Datum: _{10,}$")
                                       .arg(title, solutions ? "Lösungsblatt" : "Rechenblatt"))
                    .match(header)
                    .hasMatch());
        QCOMPARE(textOf(pages.at(p), SquaredPaper::gridTopMm + SquaredPaper::rows * SquaredPaper::squareMm, 297),
                 QStringLiteral("Seite %1 von %2 Blatt-Code: %3").arg(sheetPage + 1).arg(layout.size()).arg(code));

        Squares expected;
        for (const PlacedProblem &placed : layout.at(sheetPage)) {
            for (const GridMark &mark : placed.grid.marks) {
                if (mark.kind != GridMark::Kind::Rule && (solutions || !mark.answer))
                    expected.insert(square(placed.row + mark.row, placed.column + mark.column, mark.text));
            }
        }
        Squares found;
        QSet<int> numbers;
        for (const Word &w : pages.at(p)) {
            const QPointF centre = w.box.center();
            const double x = (centre.x() - SquaredPaper::leftMm) / SquaredPaper::squareMm;
            const double y = (centre.y() - SquaredPaper::gridTopMm) / SquaredPaper::squareMm;
            if (y < 0 || y > SquaredPaper::rows)
                continue; // header and footer
            if (w.text.endsWith(QLatin1Char(')'))) {
                numbers.insert(w.text.chopped(1).toInt());
                continue;
            }
            // One character, inside its square: centred across, clear of its edges.
            QCOMPARE(w.text.size(), 1);
            const int column = int(x);
            const int row = int(y);
            QVERIFY2(w.box.left() > SquaredPaper::leftMm + column * SquaredPaper::squareMm
                         && w.box.right() < SquaredPaper::leftMm + (column + 1) * SquaredPaper::squareMm,
                     qPrintable(w.text));
            QVERIFY(qAbs(x - column - 0.5) < 0.1);
            QVERIFY(y - row > 0.2 && y - row < 0.9);
            found.insert(square(row, column, w.text));
        }
        QCOMPARE(found, expected);
        // Each problem of the page with its number, none of them continued from elsewhere.
        QSet<int> placedNumbers;
        for (const PlacedProblem &placed : layout.at(sheetPage))
            placedNumbers.insert(placed.number);
        QCOMPARE(numbers, placedNumbers);
    }
}

void TestSquaredPaper::failingWrite_data()
{
    QTest::addColumn<QString>("target"); // below a fresh folder; %1 in the reason is its path
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder gone") << "weg/blatt.pdf" << "Den Ordner „%1/weg“ gibt es nicht.";
    QTest::newRow("a folder of that name") << "ordner.pdf" << "„ordner.pdf“ ist ein Ordner.";
    QTest::newRow("a named pipe") << "rohr.pdf" << "„rohr.pdf“ ist keine gewöhnliche Datei.";
    QTest::newRow("a link to a named pipe") << "verweis.pdf" << "„verweis.pdf“ ist keine gewöhnliche Datei.";
    // Saved as /proc/kmsg.pdf, the ending added: nothing can be made under /proc.
    QTest::newRow("kernel messages") << "/proc/kmsg" << "Im Ordner „/proc“ darf keine Datei angelegt werden.";
}

// Nothing is left behind, an older file of that name stays as it was, and the teacher is
// told in German.
void TestSquaredPaper::failingWrite()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.pdf")));
    const QString pipe = dir.filePath(QStringLiteral("rohr.pdf"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(QFile::link(pipe, dir.filePath(QStringLiteral("verweis.pdf"))));
    const QStringList before{"ordner.pdf", "rohr.pdf", "verweis.pdf"};
    Program program(WindowId::TwoRow);
    program.trainer->ShowWorksheet();
    program.dialogs.fileNames = {QDir(dir.path()).filePath(target)};
    program.click("Kaestchenblatt");
    const FakeDialogs::Call told = program.dialogs.last();
    QCOMPARE(told.title, QStringLiteral("Kästchenblatt"));
    QCOMPARE(told.icon, MessageIcon::Warning);
    QVERIFY2(told.text.startsWith(QStringLiteral("Das Kästchenblatt wurde nicht gespeichert.\r")),
             qPrintable(told.text));
    if (reason.contains(QLatin1String("%1")))
        reason = reason.arg(QDir::toNativeSeparators(dir.path()));
    QVERIFY2(told.text.contains(reason), qPrintable(told.text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             before);
    QVERIFY(QDir(dir.filePath(QStringLiteral("ordner.pdf"))).isEmpty());
    struct stat pipeStatus;
    QCOMPARE(::lstat(QFile::encodeName(pipe).constData(), &pipeStatus), 0);
    QVERIFY(S_ISFIFO(pipeStatus.st_mode));

    // Cancel in the file dialog writes nothing and says nothing.
    program.dialogs.clear();
    program.click("Kaestchenblatt");
    QCOMPARE(program.dialogs.calls.size(), 1);
}

void TestSquaredPaper::replacingIsAsked_data()
{
    QTest::addColumn<QString>("chosen");  // as the save dialog hands it back
    QTest::addColumn<bool>("asked");      // whether the program asks about blatt.pdf
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("replaced");

    // A dialog asks about the file it returns; a name without an ending, ".pdf" added
    // after it, is asked about here.
    QTest::newRow("ending added, Nein") << "blatt" << true << Answer::No << false;
    QTest::newRow("ending added, Ja") << "blatt" << true << Answer::Yes << true;
    QTest::newRow("asked by the dialog") << "blatt.pdf" << false << Answer::No << true;
}

// An existing sheet is replaced only after a question about that very file.
void TestSquaredPaper::replacingIsAsked()
{
    QFETCH(QString, chosen);
    QFETCH(bool, asked);
    QFETCH(Answer, answer);
    QFETCH(bool, replaced);

    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("blatt.pdf")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("alt");
    old.close();
    Program program(WindowId::OneRow);
    program.trainer->ShowWorksheet();
    program.dialogs.fileNames = {dir.filePath(chosen)};
    program.dialogs.answers = {answer};
    program.click("Kaestchenblatt");

    const bool questionAsked = program.dialogs.calls.size() > 1
                               && program.dialogs.calls.at(1).kind == FakeDialogs::Kind::Question;
    QCOMPARE(questionAsked, asked);
    if (asked)
        QCOMPARE(program.dialogs.calls.at(1).text,
                 QStringLiteral("Die Datei „blatt.pdf“ gibt es schon.\rSoll sie ersetzt werden?\r\r"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll() != "alt", replaced);
    QCOMPARE(program.dialogs.last().icon == MessageIcon::Information, replaced);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"blatt.pdf"});
}

void TestSquaredPaper::printed_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("closing"); // empty: no job, no closing message

    QTest::newRow("printed") << false << "" << true << "" << "Das Kästchenblatt wird gedruckt ...\r\r";
    QTest::newRow("locked, points typed") << true << "0" << true << ""
                                          << "Das Kästchenblatt wird gedruckt ...\r\r";
    QTest::newRow("locked, wrong password") << true << "1" << true << "" << "";
    QTest::newRow("No") << false << "" << false << "" << "";
    QTest::newRow("printer fails") << false << "" << true << "Es ist kein Drucker eingerichtet."
                                   << "Es ist kein Drucker eingerichtet.\rDas Kästchenblatt wurde nicht gedruckt.\r\r";
}

// The same pages as the saved file go to the printer, through the worksheets' print lock,
// question and messages.
void TestSquaredPaper::printed()
{
    QFETCH(bool, locked);
    QFETCH(QString, password);
    QFETCH(bool, yes);
    QFETCH(QString, failure);
    QFETCH(QString, closing);

    Program program(WindowId::ThreeRow);
    if (!locked)
        program.allowPrinting();
    program.trainer->ShowWorksheet();
    program.printer.failure = failure;
    program.dialogs.entries = {password};
    program.dialogs.answers = {yes ? Answer::Yes : Answer::No};
    program.click("KaestchenblattDrucken");

    if (closing.isEmpty()) {
        QVERIFY(program.printer.pdfJobs.isEmpty());
        QCOMPARE(program.dialogs.count(QStringLiteral("Drucken")), 0);
        return;
    }
    QCOMPARE(program.dialogs.calls.at(locked ? 1 : 0).text,
             QStringLiteral("Das Kästchenblatt jetzt ausdrucken?\r\r"));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Drucken"));
    QCOMPARE(program.dialogs.last().text, closing);
    QCOMPARE(program.printer.pdfJobs.size(), 1);
    const QString code = program.trainer->worksheetCode()->text();
    QCOMPARE(program.printer.pdfJobs.first().first,
             QStringLiteral("Dreireihige Multiplikation (Kästchenblatt %1)").arg(code));
    QVERIFY(program.printer.pdfJobs.first().second.startsWith("%PDF"));
    QVERIFY(program.printer.jobs.isEmpty()); // the text printout is not involved
}

void TestSquaredPaper::typedCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: taken

    const QString good = SheetCode{SheetKind::TwoRow, WrittenDisplay::Flush, 2026}.text();
    QTest::newRow("taken") << good << "";
    QTest::newRow("small letters, blanks") << " " + good.toLower().insert(3, ' ') << "";
    QTest::newRow("one character wrong") << good.left(6) + (good.endsWith('2') ? "3" : "2")
                                         << "ist kein gültiger Blatt-Code";
    QTest::newRow("O for 0") << "2O26ABC" << "ist kein gültiger Blatt-Code";
    QTest::newRow("too short") << good.left(5) << "ist kein gültiger Blatt-Code";
    QTest::newRow("empty") << "" << "ist kein gültiger Blatt-Code";
    QTest::newRow("one-row code") << SheetCode{SheetKind::OneRow, WrittenDisplay::Flush, 2026}.text()
                                  << "gehört zu einem Blatt der einreihigen Multiplikation";
    QTest::newRow("three-row code") << SheetCode{SheetKind::ThreeRow, WrittenDisplay::Staircase, 9}.text()
                                    << "gehört zu einem Blatt der dreireihigen Multiplikation";
}

// A code typed into the sheet view brings its sheet back; a wrong one changes nothing.
void TestSquaredPaper::typedCode()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);

    Program program(WindowId::TwoRow);
    program.random.pushInt(77, int(SheetCode::seedCount));
    program.trainer->ShowWorksheet();
    const SheetCode before{SheetKind::TwoRow, WrittenDisplay::Flush, 77};
    QCOMPARE(program.codeField()->text(), before.text());
    const QStringList sheetBefore = program.trainer->worksheet();
    program.dialogs.clear();

    program.typeCode(typed);
    if (message.isEmpty()) {
        QVERIFY(program.dialogs.calls.isEmpty());
        const SheetCode wanted{SheetKind::TwoRow, WrittenDisplay::Flush, 2026};
        QCOMPARE(program.trainer->worksheetCode(), wanted);
        QCOMPARE(program.codeField()->text(), wanted.text());
        // The list shows the sheet "Blatt" gives for that seed.
        Program other(WindowId::TwoRow);
        other.random.pushInt(2026, int(SheetCode::seedCount));
        other.trainer->ShowWorksheet();
        QCOMPARE(program.trainer->worksheet(), other.trainer->worksheet());
        auto *list = program.trainer->findChild<QListWidget *>(QStringLiteral("Liste5"));
        QCOMPARE(list->count(), program.trainer->worksheet().size());
        QCOMPARE(list->item(1)->text(), program.trainer->worksheet().at(1));
        return;
    }
    QCOMPARE(program.dialogs.calls.size(), 1);
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Blatt-Code"));
    QCOMPARE(program.dialogs.last().icon, MessageIcon::Warning);
    QVERIFY2(program.dialogs.last().text.contains(message), qPrintable(program.dialogs.last().text));
    QCOMPARE(program.trainer->worksheetCode(), before);
    QCOMPARE(program.trainer->worksheet(), sheetBefore);
    QCOMPARE(program.codeField()->text(), before.text());
}

QTEST_MAIN(TestSquaredPaper)
#include "tst_squared_paper.moc"
