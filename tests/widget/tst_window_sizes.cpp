#include "shell/info_window.h"
#include "shell/report_window.h"
#include "pupil_actions.h"
#include "shell/main_menu.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "platform/qt_dialogs.h"
#include "widgets/window_geometry.h"

#include <QAccessible>
#include <QDialog>
#include <QTimer>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(WindowId)

namespace {

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

// Where a window not yet shown stands decides the screen it opens on.
void putOn(QWidget *window, QScreen *screen)
{
    window->setScreen(screen);
    window->move(screen->availableGeometry().topLeft());
}

} // namespace

// Windows drawn for 1024 x 768 screens open scaled so that they take the share of the
// screen they took there. The offscreen platform gets two screens side by side: a small
// one of that size and a large one of 1920 x 1080.
class WindowSizesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openingSize_data();
    void openingSize();
    void windowsOpenScaledToTheirScreen_data();
    void windowsOpenScaledToTheirScreen();
    void aResizedWindowKeepsItsSize();
    void aWindowLargerThanTheScreenComesBackOnIt_data();
    void aWindowLargerThanTheScreenComesBackOnIt();
    void theReportOpensReadable_data();
    void theReportOpensReadable();
    void trainersPreparedInAdvanceOpenAsIfBuiltOnTheClick_data();
    void trainersPreparedInAdvanceOpenAsIfBuiltOnTheClick();
    void boxesScaleWithTheirWindow_data();
    void boxesScaleWithTheirWindow();
};

void WindowSizesTest::openingSize_data()
{
    QTest::addColumn<QSize>("design");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("expected");
    const QSize trainer(628, 392);
    // 60 % of the height left free, proportions kept.
    QTest::newRow("1024x768 with a taskbar") << trainer << QRect(0, 0, 1024, 728) << QSize(700, 437);
    QTest::newRow("1920x1080 with a taskbar") << trainer << QRect(0, 40, 1920, 1040) << QSize(1000, 624);
    QTest::newRow("second screen") << trainer << QRect(1920, 0, 2560, 1440) << QSize(1384, 864);
    QTest::newRow("game") << QSize(640, 380) << QRect(0, 0, 1920, 1080) << QSize(1058, 628);
    // Never larger than the screen, title bar and borders included ...
    QTest::newRow("portrait") << trainer << QRect(0, 0, 1080, 1920) << QSize(1064, 664);
    QTest::newRow("wide and low") << trainer << QRect(0, 0, 2560, 600) << QSize(628, 392);
    // ... and never smaller than drawn.
    QTest::newRow("800x600") << trainer << QRect(0, 0, 800, 600) << QSize(628, 392);
    QTest::newRow("tiny") << trainer << QRect(0, 0, 640, 400) << QSize(628, 392);
}

void WindowSizesTest::openingSize()
{
    QFETCH(QSize, design);
    QFETCH(QRect, available);
    QFETCH(QSize, expected);
    QCOMPARE(::openingSize(design, available, QSize(16, 40)), expected);
}

void WindowSizesTest::windowsOpenScaledToTheirScreen_data()
{
    QTest::addColumn<WindowId>("window");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control"); // one that must grow with the window
    const struct { const char *name; WindowId id; const char *control; } windows[] = {
        {"one-row", WindowId::OneRow, "Befehl1"}, {"two-row", WindowId::TwoRow, "Befehl1"},
        {"three-row", WindowId::ThreeRow, "Befehl1"}, {"Memory", WindowId::Memory, "Befehl1"},
        {"Zahlfange", WindowId::Catching, "Befehl1"}, {"menu", WindowId::Menu, "Bild1"},
        {"info", WindowId::Info, "Bild1"},
    };
    for (const auto &w : windows) {
        QTest::addRow("%s, 1024x768", w.name) << w.id << QStringLiteral("small") << w.control;
        QTest::addRow("%s, 1920x1080", w.name) << w.id << QStringLiteral("large") << w.control;
    }
}

void WindowSizesTest::windowsOpenScaledToTheirScreen()
{
    QFETCH(WindowId, window);
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QScreen *target = screenNamed(screen);
    QVERIFY(target);
    TestProgram program;
    QWidget *form = program.app.registry().window(window);
    // The program's menu is on screen from the start; a second one is built, not yet shown.
    std::unique_ptr<QWidget> freshMenu;
    if (window == WindowId::Menu) {
        freshMenu = std::make_unique<MainMenu>(program.app.services());
        form = freshMenu.get();
    }
    const QSize design = form->size();
    auto *grows = form->findChild<QWidget *>(control);
    QVERIFY(grows);
    const int growsHeight = grows->height();
    putOn(form, target);
    if (window == WindowId::Menu)
        form->show();
    else if (window == WindowId::Info)
        program.app.registry().showInfo();
    else
        program.app.registry().switchTo(window);

    // Every window by the factor that gives a trainer (392 high) 60 % of the height.
    const QRect available = target->availableGeometry();
    const qreal scale = 0.6 * available.height() / 392;
    QCOMPARE(form->screen(), target);
    QVERIFY2(qAbs(form->height() - design.height() * scale) <= 1,
             qPrintable(QStringLiteral("%1 high on a screen %2 high").arg(form->height()).arg(available.height())));
    QVERIFY(qAbs(form->width() * design.height() - form->height() * design.width()) <= design.width());
    QVERIFY(available.contains(form->frameGeometry()));
    // Scaled as a whole: the buttons grow with the window, pictures are drawn at their size:
    // the coloured tile reaches each side of the largest square the picture holds.
    QVERIFY(grows->height() >= growsHeight * scale - 1);
    if (auto *picture = qobject_cast<QLabel *>(grows)) {
        const QImage drawn = picture->grab().toImage();
        const QPoint centre = picture->rect().center();
        const int reach = qMin(picture->width(), picture->height()) / 2 - 2;
        for (const QPoint &side : {QPoint(0, -reach), QPoint(0, reach), QPoint(-reach, 0),
                                   QPoint(reach, 0)})
            QVERIFY2(drawn.pixelColor(centre + side).hsvSaturation() > 100,
                     qPrintable(QStringLiteral("no tile at %1, %2").arg(side.x()).arg(side.y())));
        // Screen readers meet it as a picture, under its name.
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(picture);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::Graphic);
        QCOMPARE(reader->text(QAccessible::Name), picture->accessibleName());
    }
}

void WindowSizesTest::aResizedWindowKeepsItsSize()
{
    TestProgram program;
    QWidget *form = program.app.registry().window(WindowId::TwoRow);
    putOn(form, screenNamed(QStringLiteral("large")));
    program.app.registry().switchTo(WindowId::TwoRow);
    QVERIFY(form->height() > 600);
    form->resize(900, 700);
    program.app.registry().switchTo(WindowId::Menu);
    program.app.registry().switchTo(WindowId::TwoRow);
    QCOMPARE(form->size(), QSize(900, 700));
}

void WindowSizesTest::aWindowLargerThanTheScreenComesBackOnIt_data()
{
    QTest::addColumn<WindowId>("window"); // the menu's row stands for the report
    QTest::addColumn<QSize>("made");      // by the user, past the screen's height or width

    QTest::newRow("trainer, too high") << WindowId::OneRow << QSize(800, 1300);
    QTest::newRow("trainer, too wide") << WindowId::ThreeRow << QSize(2500, 700);
    QTest::newRow("report, too high") << WindowId::Menu << QSize(900, 1400);
}

// Made larger than the screen, closed and opened again: on the screen, title bar and all,
// as large as the screen holds it.
void WindowSizesTest::aWindowLargerThanTheScreenComesBackOnIt()
{
    QFETCH(WindowId, window);
    QFETCH(QSize, made);
    TestProgram program;
    QScreen *large = screenNamed(QStringLiteral("large"));
    ReportWindow report(program.app.services());
    QWidget *form = window == WindowId::Menu ? &report : program.app.registry().window(window);
    putOn(form, large);
    const auto open = [&] {
        if (form == &report)
            report.show();
        else
            program.app.registry().switchTo(window);
    };
    open();
    form->resize(made);
    if (form == &report)
        report.hide();
    else
        program.app.registry().switchTo(WindowId::Menu);
    open();

    const QRect available = large->availableGeometry();
    QVERIFY2(available.contains(form->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(form->x()).arg(form->y())
                            .arg(form->width()).arg(form->height())));
    QCOMPARE(form->size(), made.boundedTo(available.size()));
}

void WindowSizesTest::theReportOpensReadable_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("1024x768") << QStringLiteral("small");
    QTest::newRow("1920x1080") << QStringLiteral("large");
}

// The report opens scaled like the trainers (as far as the screen allows), its type grown
// with it.
void WindowSizesTest::theReportOpensReadable()
{
    QFETCH(QString, screen);
    QScreen *target = screenNamed(screen);
    TestProgram program;
    auto *info = qobject_cast<InfoWindow *>(program.app.registry().window(WindowId::Info));
    putOn(info, target);
    program.app.registry().showInfo();
    ReportWindow *report = info->showReport();

    const QRect available = target->availableGeometry();
    const QSize expected = ::openingSize(ReportWindow::designSize, available);
    QCOMPARE(report->size(), expected);
    QVERIFY(expected.width() > ReportWindow::designSize.width());
    QVERIFY(available.contains(report->frameGeometry()));
    const qreal scale = std::min(qreal(expected.width()) / ReportWindow::designSize.width(),
                                 qreal(expected.height()) / ReportWindow::designSize.height());
    const int pixels = report->findChild<QTextEdit *>()->font().pixelSize();
    QVERIFY2(pixels >= qFloor(13 * scale), qPrintable(QString::number(pixels)));
}

void WindowSizesTest::trainersPreparedInAdvanceOpenAsIfBuiltOnTheClick_data()
{
    QTest::addColumn<WindowId>("window");
    QTest::newRow("one-row") << WindowId::OneRow;
    QTest::newRow("two-row") << WindowId::TwoRow;
    QTest::newRow("three-row") << WindowId::ThreeRow;
}

// The program prepares the trainers while the menu is read: out of sight, drawing no
// problem. Opened afterwards, a trainer deals from the same draws, at the same size, as
// one built on the click.
void WindowSizesTest::trainersPreparedInAdvanceOpenAsIfBuiltOnTheClick()
{
    QFETCH(WindowId, window);
    const auto open = [window](TestProgram &program, bool prepared) {
        if (prepared) {
            program.app.prepareInAdvance();
            QVERIFY(QTest::qWaitFor([&] { return !program.app.isPreparing(); }));
            QCOMPARE(program.random.remaining(), 3);
            QCOMPARE(program.app.registry().current(), WindowId::Menu);
            for (WindowId id : {WindowId::OneRow, WindowId::TwoRow, WindowId::ThreeRow})
                QVERIFY(program.app.registry().window(id)->isHidden());
        }
        program.open(window);
    };
    TestProgram onClick;
    TestProgram inAdvance;
    for (TestProgram *program : {&onClick, &inAdvance}) {
        for (const double draw : {0.31, 0.72, 0.05})
            program->random.push(draw);
    }
    open(onClick, false);
    open(inAdvance, true);

    const auto *built = qobject_cast<TrainerWindow *>(onClick.app.registry().window(window));
    const auto *prepared = qobject_cast<TrainerWindow *>(inAdvance.app.registry().window(window));
    QVERIFY(prepared->isVisible());
    QCOMPARE(prepared->exercise().problemText(), built->exercise().problemText());
    QCOMPARE(inAdvance.random.remaining(), onClick.random.remaining());
    QCOMPARE(prepared->size(), built->size());
    QCOMPARE(prepared->markedField(), built->markedField());
    for (const QString &field : built->focusOrder())
        QCOMPARE(shownDigit(prepared, field), shownDigit(built, field));
    const auto *end = prepared->findChild<QPushButton *>(QStringLiteral("Befehl1"));
    QCOMPARE(end->geometry(), built->findChild<QPushButton *>(QStringLiteral("Befehl1"))->geometry());
    QCOMPARE(end->font(), built->findChild<QPushButton *>(QStringLiteral("Befehl1"))->font());
}

void WindowSizesTest::boxesScaleWithTheirWindow_data()
{
    QTest::addColumn<WindowId>("window");
    QTest::addColumn<QString>("box");
    QTest::newRow("trainer, message (\"Fehler\", \"Hilfe\")") << WindowId::OneRow << "message";
    QTest::newRow("trainer, question (printing)") << WindowId::TwoRow << "question";
    QTest::newRow("trainer, input box (print lock)") << WindowId::ThreeRow << "input";
    QTest::newRow("info window, question (\"Neues Kind\")") << WindowId::Info << "question";
}

// A box a window opens on the large screen draws its text, and its buttons, as much larger as
// the window draws its own contents: a question reads beside the digits it is about.
void WindowSizesTest::boxesScaleWithTheirWindow()
{
    QFETCH(WindowId, window);
    QFETCH(QString, box);
    TestProgram program;
    QWidget *form = program.app.registry().window(window);
    putOn(form, screenNamed(QStringLiteral("large")));
    program.app.registry().switchTo(window);
    // Twice its smallest size: twice as large as it was drawn.
    form->resize(form->minimumSize() * 2);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(QApplication::activeWindow(), form);

    int textPixels = 0;
    int buttonHeight = 0;
    int unscaledButtonHeight = 0;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->parentWidget(), form);
        textPixels = QFontInfo(dialog->font()).pixelSize();
        QPushButton *button = dialog->findChildren<QPushButton *>().value(0);
        QVERIFY(button);
        buttonHeight = button->sizeHint().height();
        QPushButton plain(button->text());
        unscaledButtonHeight = plain.sizeHint().height();
        dialog->done(0);
    });
    QtDialogs qtDialogs;
    Dialogs &dialogs = qtDialogs;
    if (box == QLatin1String("message"))
        dialogs.message(QStringLiteral("Fehler"), QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r"));
    else if (box == QLatin1String("question"))
        dialogs.question(QStringLiteral("Neues Kind"), QStringLiteral("Wirklich?"), MessageIcon::Question,
                         Answer::No);
    else
        dialogs.input(QStringLiteral("Kennwort eingeben:"), QStringLiteral("Druckersperre aufheben"), QString());
    const int plainPixels = QFontInfo(QApplication::font()).pixelSize();
    QVERIFY2(textPixels >= 2 * plainPixels - 1 && textPixels <= 2 * plainPixels + 1,
             qPrintable(QStringLiteral("%1 px beside %2 px").arg(textPixels).arg(plainPixels)));
    QVERIFY2(buttonHeight >= unscaledButtonHeight * 3 / 2,
             qPrintable(QStringLiteral("%1 px beside %2 px").arg(buttonHeight).arg(unscaledButtonHeight)));
}

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write(R"({ "windowFrameMargins": false, "screens": [
        { "name": "small", "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBpp": 32, "dpr": 1 },
        { "name": "large", "x": 1024, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBpp": 32, "dpr": 1 } ] })");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    WindowSizesTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_sizes.moc"
