// In-process figures of the program for bench/run.sh, each beside the same figure of the
// bare window. Prints one "name value" line per figure (times in milliseconds).
//
//   malrechnen_bench open       menu, then each trainer opened twice: show to first paint;
//                               and the preparation of the trainers after the menu is
//                               shown: how long it took, the longest wait of a click
//   malrechnen_bench bare-open  the bare window: show to first paint
//   malrechnen_bench drops N    N digit drops on each trainer and on the bare window
//   malrechnen_bench sheets     "Blatt" in each trainer, both sheets of each printed to PDF
//   malrechnen_bench bare-sheets  the same lines put into PDF files with a bare QPdfWriter
//   malrechnen_bench tour [print]  opens every window once and a worksheet, and prints
//                               it when asked (peak memory is read from outside)
//   malrechnen_bench idle WHAT  opens a trainer, Zahlfange at its fastest or the menu,
//                               prints "ready" and waits for input that never comes
//   malrechnen_bench boxes N M  real message boxes ("Hilfe", "Fehler", the print question),
//                               each closed with the Return key once it is on screen:
//                               resident memory after N and after M boxes (MiB)
//   malrechnen_bench smoke      a short run of all of the above that checks the results

#include "bare_window.h"
#include "pupil_actions.h"
#include "quiet_dialogs.h"
#include "resident_memory.h"

#include "platform/qt_dialogs.h"
#include "platform/freed_memory.h"
#include "platform/printer_on_demand.h"
#include "platform/program_icon.h"
#include "platform/program_style.h"
#include "seams/random_source.h"
#include "shell/application.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/drop_field.h"
#include "trainers/common/rows_window.h"
#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_window.h"
#include "training/session_statistics.h"
#include "worksheets/squared_paper.h"
#include "worksheets/worksheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <time.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of this thread in milliseconds: unlike the wall clock it does not count the
// time other processes of a busy machine had the processor.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// A fixed seed: every run deals the same problems.
class BenchRandom final : public RandomSource
{
public:
    double uniform() override { return m_dist(m_engine); }

private:
    std::mt19937_64 m_engine{20261210};
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

void report(const char *name, double value)
{
    std::printf("%s %.4f\n", name, value);
    std::fflush(stdout);
}

void report(const QString &name, double value)
{
    report(name.toUtf8().constData(), value);
}

bool fail(const QString &why)
{
    std::fprintf(stderr, "malrechnen_bench: %s\n", qPrintable(why));
    return false;
}

// Sees the first paint of a window after it was set up.
class PaintWatch final : public QObject
{
public:
    explicit PaintWatch(QWidget *window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }
    ~PaintWatch() override { m_window->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

    // Runs the event loop until the window has been painted; the paint has ended and is
    // flushed when this returns.
    bool wait(int timeoutMs = 10000)
    {
        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&timedOut] { timedOut = true; });
        guard.start(timeoutMs);
        while (!m_painted && !timedOut)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        return m_painted;
    }

private:
    QWidget *m_window;
    bool m_painted = false;
};

// Prints into numbered PDF files of a temporary directory, A4 as a school printer.
class PdfPrinter final : public Printer
{
public:
    PrintResult print(const PrintDocument &document) override
    {
        PrinterOnDemand printer(m_dir.filePath(QStringLiteral("%1.pdf").arg(++printed)),
                                QPageSize(QPageSize::A4));
        return printer.print(document);
    }
    PrintResult printPdf(const QString &pdfFile, const QString &name) override
    {
        PrinterOnDemand printer(m_dir.filePath(QStringLiteral("%1.pdf").arg(++printed)),
                                QPageSize(QPageSize::A4));
        return printer.printPdf(pdfFile, name);
    }

    // Every file printed has pages in it.
    bool allWritten() const
    {
        for (int i = 1; i <= printed; ++i) {
            if (QFileInfo(m_dir.filePath(QStringLiteral("%1.pdf").arg(i))).size() < 1000)
                return false;
        }
        return printed > 0;
    }

    int printed = 0;

private:
    QTemporaryDir m_dir;
};

// The program as main() builds it, with boxes that never block.
struct Program
{
    // Boxes that never open, unless `shownDialogs` shows them.
    explicit Program(Dialogs *shownDialogs = nullptr)
        : app(shownDialogs ? *shownDialogs : dialogs, random, &printer)
    {
        // What main() sets up before the first window: the kept standard icons, German
        // buttons.
        useProgramStyle();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        if (german.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&german);
    }

    TrainerWindow *trainer(WindowId id) { return qobject_cast<TrainerWindow *>(app.registry().window(id)); }

    // Builds the window on first use, shows it and waits for its first paint. Returns the
    // time that took, and the CPU time of this thread in `cpuMs`.
    double open(WindowId id, bool *ok, double *cpuMs = nullptr)
    {
        const double startCpu = threadCpuMs();
        const auto start = Clock::now();
        QWidget *window = app.registry().window(id);
        PaintWatch watch(window);
        app.registry().switchTo(id);
        *ok = watch.wait() && *ok;
        const double ms = msSince(start);
        if (cpuMs)
            *cpuMs = threadCpuMs() - startCpu;
        if (!m_iconSet) { // as main() does, once the first window is on screen
            QApplication::setWindowIcon(programIcon());
            m_iconSet = true;
            prepareLikeMain();
        }
        return ms;
    }

    // main() prepares the trainers while the pupil reads the menu; a pupil takes far
    // longer to read and click than that takes. Notes the longest a click would have
    // waited meanwhile, and the time it all took.
    void prepareLikeMain()
    {
        const auto start = Clock::now();
        app.prepareInAdvance();
        while (app.isPreparing()) {
            bool answered = false;
            const auto asked = Clock::now();
            QTimer::singleShot(0, [&answered] { answered = true; });
            while (!answered)
                QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
            longestWait = std::max(longestWait, msSince(asked));
        }
        preparing = msSince(start);
    }

    // The teacher's way to print without the password: the lock in the info window off,
    // and Yes to "jetzt ausdrucken?".
    void allowPrinting()
    {
        app.registry().window(WindowId::Info)->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))
            ->setChecked(false);
        dialogs.answer = Answer::Yes;
    }

    // "Blatt", then both print commands; false when a sheet did not reach its PDF file.
    // Adds the time of each step to `buildMs` and `pdfMs`.
    bool printWorksheet(TrainerWindow *trainer, double *buildMs = nullptr, double *pdfMs = nullptr)
    {
        const int before = printer.printed;
        const auto start = Clock::now();
        trainer->ShowWorksheet();
        const double build = msSince(start);
        const auto printing = Clock::now();
        trainer->PrintProblemSheet();
        trainer->PrintSolutionSheet();
        const double pdf = msSince(printing);
        if (buildMs)
            *buildMs += build;
        if (pdfMs)
            *pdfMs += pdf;
        return !trainer->worksheet().isEmpty() && printer.printed == before + 2
               && printer.allWritten();
    }

    double longestWait = 0; // of a click while the trainers were prepared (ms)
    double preparing = 0;   // the time the preparation took (ms)
    QTranslator german;
    QuietDialogs dialogs;
    BenchRandom random;
    PdfPrinter printer;
    Application app;

private:
    bool m_iconSet = false;
};

const struct
{
    WindowId id;
    const char *name;
} trainers[] = {{WindowId::OneRow, "Form1"}, {WindowId::TwoRow, "Form2"}, {WindowId::ThreeRow, "Form3"}};

bool openFigures(int again)
{
    Program program;
    bool ok = true;
    double cpu = 0;
    report("menu.first", program.open(WindowId::Menu, &ok, &cpu));
    report("menu.first_cpu", cpu);
    report("menu.prepare", program.preparing);
    report("menu.prepare_wait", program.longestWait);
    for (const auto &trainer : trainers) {
        report(QStringLiteral("%1.first").arg(QLatin1String(trainer.name)), program.open(trainer.id, &ok, &cpu));
        report(QStringLiteral("%1.first_cpu").arg(QLatin1String(trainer.name)), cpu);
        std::vector<double> times;
        for (int i = 0; i < again; ++i) {
            program.open(WindowId::Menu, &ok);
            times.push_back(program.open(trainer.id, &ok));
        }
        std::sort(times.begin(), times.end());
        report(QStringLiteral("%1.again").arg(QLatin1String(trainer.name)), times[times.size() / 2]);
        program.open(WindowId::Menu, &ok);
    }
    return ok || fail(QStringLiteral("a window was never painted"));
}

bool bareOpenFigure()
{
    const auto start = Clock::now();
    BareWindow window;
    PaintWatch watch(&window);
    window.show();
    const bool ok = watch.wait();
    report("bare.first", msSince(start));
    return ok || fail(QStringLiteral("the bare window was never painted"));
}

// Times of one series of drops: until the labels show the outcome (wall clock and CPU
// time), and until the window has been repainted.
struct DropTimes
{
    std::vector<double> labels;
    std::vector<double> labelsCpu;
    std::vector<double> painted;

    void append(const DropTimes &other)
    {
        labels.insert(labels.end(), other.labels.begin(), other.labels.end());
        labelsCpu.insert(labelsCpu.end(), other.labelsCpu.begin(), other.labelsCpu.end());
        painted.insert(painted.end(), other.painted.begin(), other.painted.end());
    }

    void reportAs(const QString &name)
    {
        const std::pair<std::vector<double> *, const char *> all[] = {
            {&labels, ".labels"}, {&labelsCpu, ".labels_cpu"}, {&painted, ".painted"}};
        for (const auto &[series, suffix] : all) {
            std::sort(series->begin(), series->end());
            const QString what = name + QLatin1String(suffix);
            const auto at = [series](double q) {
                return (*series)[std::min(series->size() - 1, size_t(q * series->size()))];
            };
            report(what + QStringLiteral(".median"), at(0.5));
            report(what + QStringLiteral(".p99"), at(0.99));
            report(what + QStringLiteral(".max"), series->back());
        }
    }
};

// A drag of a digit key ending on `target`, as the window system delivers it; then the
// check the drop queues for after the drag, then the repaint.
void timedDrop(QWidget *target, QChar digit, DropTimes &times)
{
    const auto data = digitMimeData(digit);
    const QPoint at = target->rect().center();
    const double startCpu = threadCpuMs();
    const auto start = Clock::now();
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::sendPostedEvents(target, QEvent::MetaCall);
    times.labels.push_back(msSince(start));
    times.labelsCpu.push_back(threadCpuMs() - startCpu);
    QCoreApplication::processEvents();
    times.painted.push_back(msSince(start));
}

// The next empty field of the problem on screen that expects a digit, in written order.
QString nextField(const TrainerWindow *window)
{
    for (const QString &field : window->focusOrder()) {
        if (shownDigit(window, field).isEmpty())
            return field;
    }
    return QString();
}

void chooseGapMode(TrainerWindow *window)
{
    if (auto *oneRow = qobject_cast<OneRowWindow *>(window))
        oneRow->chooseGapMode();
    else if (auto *rows = qobject_cast<RowsWindow *>(window))
        rows->chooseGapMode();
}

// `count` drops on one trainer, every fifth a wrong digit; single problems first, then
// gap problems.
bool trainerDrops(Program &program, WindowId id, const QString &name, int count, DropTimes &all)
{
    bool ok = true;
    program.open(id, &ok);
    TrainerWindow *window = program.trainer(id);
    const int pointsBefore = window->score().points();
    const int errorsBefore = window->score().errors();
    DropTimes times;
    for (int i = 0; i < count && ok; ++i) {
        if (i == count / 2)
            chooseGapMode(window);
        const QString field = nextField(window);
        if (field.isEmpty())
            return fail(QStringLiteral("%1: no field left to fill on an unsolved problem").arg(name));
        const QChar right = expectedDigit(window, field).at(0);
        const QChar digit = i % 5 == 4 ? QChar(u'0' + (right.digitValue() + 1) % 10) : right;
        timedDrop(window->findChild<DropField *>(field), digit, times);
    }
    const int points = window->score().points() - pointsBefore;
    const int errors = window->score().errors() - errorsBefore;
    if (points != count - count / 5 || errors != count / 5)
        return fail(QStringLiteral("%1: %2 drops scored %3 points and %4 errors")
                        .arg(name).arg(count).arg(points).arg(errors));
    if (window->findChild<QLabel *>(QStringLiteral("Bezeichnung16"))->text()
        != QString::number(window->score().points()))
        return fail(QStringLiteral("%1: the points label does not show the points").arg(name));
    all.append(times);
    times.reportAs(name + QStringLiteral(".drop"));
    return ok;
}

// The bare window's label taking a drop the way the answer fields do: accepted, and the
// text set after the drag has ended.
class BareDropLabel final : public QLabel
{
public:
    BareDropLabel() { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent *event) override
    {
        const QString text = QString::fromLatin1(event->mimeData()->data(QLatin1String(digitMimeType)));
        event->acceptProposedAction();
        QMetaObject::invokeMethod(this, [this, text] { setText(text); }, Qt::QueuedConnection);
    }
};

bool bareDrops(int count)
{
    auto *label = new BareDropLabel;
    BareWindow window(label);
    PaintWatch watch(&window);
    window.show();
    watch.wait();
    DropTimes times;
    for (int i = 0; i < count; ++i)
        timedDrop(label, QChar(u'0' + i % 10), times);
    if (label->text() != QString(QChar(u'0' + (count - 1) % 10)))
        return fail(QStringLiteral("the bare label did not take the drops"));
    times.reportAs(QStringLiteral("bare.drop"));
    return true;
}

bool dropFigures(int count)
{
    if (!bareDrops(count))
        return false;
    Program program;
    // Everything on: hints, single problems chosen for the child and the Überschlag line.
    // MALRECHNEN_BENCH_HINTS=0, MALRECHNEN_BENCH_FIT=0 and MALRECHNEN_BENCH_ESTIMATE=0
    // measure the drops without them, for what they cost.
    Training &training = program.app.services().training;
    training.hintsShown = qEnvironmentVariable("MALRECHNEN_BENCH_HINTS") != QLatin1String("0");
    training.fitToChild = qEnvironmentVariable("MALRECHNEN_BENCH_FIT") != QLatin1String("0");
    training.estimateFirst = qEnvironmentVariable("MALRECHNEN_BENCH_ESTIMATE") != QLatin1String("0");
    bool ok = true;
    program.open(WindowId::Menu, &ok);
    DropTimes all;
    for (const auto &trainer : trainers) {
        if (!trainerDrops(program, trainer.id, QLatin1String(trainer.name), count, all))
            return false;
    }
    all.reportAs(QStringLiteral("trainers.drop"));
    return ok;
}

const SheetKind sheetKinds[] = {SheetKind::OneRow, SheetKind::TwoRow, SheetKind::ThreeRow};

bool sheetFigures()
{
    Program program;
    program.allowPrinting();
    bool ok = true;
    program.open(WindowId::Menu, &ok);
    double build = 0;
    double pdf = 0;
    // The slowest trainer: its text printout (both sheets) and its squared-paper PDF
    // (problem and solution sheet in one file, built and written).
    double slowestText = 0;
    double slowestSquared = 0;
    QTemporaryDir dir;
    for (const auto &trainer : trainers) {
        program.open(trainer.id, &ok);
        TrainerWindow *window = program.trainer(trainer.id);
        double text = 0;
        if (!program.printWorksheet(window, &build, &text))
            return fail(QStringLiteral("%1: the worksheet did not reach its PDF files")
                            .arg(QLatin1String(trainer.name)));
        pdf += text;
        slowestText = std::max(slowestText, text);

        const auto start = Clock::now();
        QFile file(dir.filePath(QLatin1String(trainer.name) + QStringLiteral(".pdf")));
        if (!file.open(QIODevice::WriteOnly) || !SquaredPaper::write(file, *window->worksheetCode()))
            return fail(QStringLiteral("%1: the squared-paper sheet was not written")
                            .arg(QLatin1String(trainer.name)));
        file.close();
        slowestSquared = std::max(slowestSquared, msSince(start));
        if (file.size() < 1000)
            return fail(QStringLiteral("%1: the squared-paper PDF is empty").arg(QLatin1String(trainer.name)));
    }
    report("sheets.build", build);
    report("sheets.pdf", pdf);
    report("sheets.text.slowest", slowestText);
    report("sheets.squared.slowest", slowestSquared);
    return ok;
}

// The least Qt does to put the same lines into PDF files: a PDF writer (no print support
// loaded), one fixed-pitch font, a line after the other, a new page when one is full.
// Timed, like the program's, once a window is on screen (fonts found).
bool bareSheetFigure()
{
    BareWindow window;
    PaintWatch watch(&window);
    window.show();
    watch.wait();
    BenchRandom random;
    QList<QStringList> documents;
    for (const SheetKind kind : sheetKinds) {
        const QStringList sheet = buildSheet(kind, random);
        documents << problemSheet(kind, sheet) << sheet;
    }
    QTemporaryDir dir;
    const auto start = Clock::now();
    int n = 0;
    for (const QStringList &lines : documents) {
        QPdfWriter printer(dir.filePath(QStringLiteral("%1.pdf").arg(++n)));
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&printer);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSizeF(12);
        painter.setFont(font);
        const qreal step = painter.fontMetrics().lineSpacing();
        const qreal bottom = printer.pageLayout().paintRectPixels(printer.resolution()).height();
        qreal y = step;
        for (const QString &line : lines) {
            if (y > bottom) {
                printer.newPage();
                y = step;
            }
            painter.drawText(QPointF(0, y), line);
            y += step;
        }
    }
    report("bare.pdf", msSince(start));
    return QFileInfo(dir.filePath(QStringLiteral("6.pdf"))).size() > 1000
           || fail(QStringLiteral("the bare PDF files were not written"));
}

bool tour(bool print)
{
    Program program;
    bool ok = true;
    program.open(WindowId::Menu, &ok);
    for (const auto &trainer : trainers)
        program.open(trainer.id, &ok);
    // A worksheet of the trainer on screen, both sheets printed where asked.
    TrainerWindow *threeRow = program.trainer(WindowId::ThreeRow);
    if (print) {
        program.allowPrinting();
        if (!program.printWorksheet(threeRow))
            return fail(QStringLiteral("the worksheet was not printed"));
        program.dialogs.answer = Answer::No;
    } else {
        threeRow->ShowWorksheet();
        QCoreApplication::processEvents();
    }
    // Both reward games, as a trainer offers them.
    program.trainer(WindowId::ThreeRow)->StartNumberCatching();
    program.open(WindowId::Catching, &ok);
    program.app.registry().endReward();
    program.open(WindowId::Memory, &ok);
    program.open(WindowId::Menu, &ok);
    return ok || fail(QStringLiteral("a window was never painted"));
}

// Presses Return on each modal box once it has been painted on screen, as a pupil closes
// a message.
class BoxCloser final : public QObject
{
public:
    BoxCloser() { qApp->installEventFilter(this); }
    ~BoxCloser() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QWidget *box = static_cast<QWidget *>(watched)->window();
            if (box->isModal() && box != m_pressed) {
                m_pressed = box;
                ++closed;
                // After the paint has ended and reached the screen.
                QMetaObject::invokeMethod(
                    this, [box = QPointer<QWidget>(box)] {
                        if (!box)
                            return;
                        QWidget *target = box->focusWidget() ? box->focusWidget() : box.data();
                        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                        QStringLiteral("\r"));
                        QCoreApplication::sendEvent(target, &press);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

    int closed = 0;

private:
    QPointer<QWidget> m_pressed;
};

// The boxes a pupil and a teacher meet in a trainer, in turn: "Hilfe", "Fehler" (a wrong
// digit) and the print question (answered with its default, No). Reports the resident
// memory after `first` and after `last` boxes.
bool boxFigures(int first, int last)
{
    QtDialogs shown;
    Program program(&shown);
    bool ok = true;
    program.open(WindowId::Menu, &ok);
    program.open(WindowId::OneRow, &ok);
    program.app.registry().window(WindowId::Info)->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))
        ->setChecked(false);
    TrainerWindow *trainer = program.trainer(WindowId::OneRow);
    BoxCloser closer;
    const auto start = Clock::now();
    for (int i = 1; i <= last && ok; ++i) {
        switch (i % 3) {
        case 0: trainer->ShowHelp(); break;
        case 1: {
            const QString field = trainer->focusOrder().value(0);
            trainer->dropOnField(field, QChar(u'0' + (expectedDigit(trainer, field).toInt() + 1) % 10));
            break;
        }
        case 2: trainer->PrintProblemSheet(); break;
        }
        if (i == first)
            report(QStringLiteral("boxes.rss.%1").arg(first), residentMiB());
    }
    report(QStringLiteral("boxes.rss.%1").arg(last), residentMiB());
    report("boxes.ms_per_box", msSince(start) / last);
    if (closer.closed != last || program.printer.printed != 0)
        return fail(QStringLiteral("%1 boxes shown, %2 closed, %3 sheets printed")
                        .arg(last).arg(closer.closed).arg(program.printer.printed));
    return ok || fail(QStringLiteral("a window was never painted"));
}

int idle(const QString &what)
{
    Program program;
    bool ok = true;
    program.open(WindowId::Menu, &ok);
    if (what != QLatin1String("menu"))
        program.open(WindowId::OneRow, &ok);
    if (what == QLatin1String("catching")) {
        program.trainer(WindowId::OneRow)->StartNumberCatching();
        QWidget *game = program.app.registry().window(WindowId::Catching);
        auto *speed = game->findChild<QScrollBar *>(QStringLiteral("HBildlauf1"));
        speed->setValue(speed->minimum()); // "schnell"
        program.open(WindowId::Catching, &ok);
    }
    if (!ok)
        return fail(QStringLiteral("a window was never painted")), 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

int idleBare()
{
    BareWindow window;
    PaintWatch watch(&window);
    window.show();
    watch.wait();
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    returnLargeBlocksWhenFreed(); // as main() does
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    const QString command = args.value(0);
    bool ok = false;
    if (command == QLatin1String("open"))
        ok = openFigures(args.value(1, QStringLiteral("5")).toInt());
    else if (command == QLatin1String("bare-open"))
        ok = bareOpenFigure();
    else if (command == QLatin1String("drops"))
        ok = dropFigures(args.value(1, QStringLiteral("10000")).toInt());
    else if (command == QLatin1String("sheets"))
        ok = sheetFigures();
    else if (command == QLatin1String("bare-sheets"))
        ok = bareSheetFigure();
    else if (command == QLatin1String("tour"))
        ok = tour(args.value(1) == QLatin1String("print"));
    else if (command == QLatin1String("boxes"))
        ok = boxFigures(args.value(1, QStringLiteral("1000")).toInt(),
                        args.value(2, QStringLiteral("10000")).toInt());
    else if (command == QLatin1String("idle"))
        return args.value(1) == QLatin1String("bare") ? idleBare() : idle(args.value(1));
    else if (command == QLatin1String("smoke"))
        ok = openFigures(1) && bareOpenFigure() && dropFigures(200) && sheetFigures()
             && bareSheetFigure() && tour(false) && tour(true) && boxFigures(3, 9);
    else
        std::fprintf(stderr, "usage: malrechnen_bench open|bare-open|drops N|sheets|bare-sheets|tour|"
                             "boxes N M|idle WHAT|smoke\n");
    return ok ? 0 : 1;
}
