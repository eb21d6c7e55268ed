#include "shell/info_window.h"
#include "shell/report_window.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "widgets/window_geometry.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

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
    void theReportOpensReadable_data();
    void theReportOpensReadable();
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
    const struct { const char *name; WindowId id; } windows[] = {
        {"one-row", WindowId::OneRow}, {"two-row", WindowId::TwoRow}, {"three-row", WindowId::ThreeRow},
        {"Memory", WindowId::Memory}, {"Zahlfange", WindowId::Catching},
    };
    for (const auto &w : windows) {
        QTest::addRow("%s, 1024x768", w.name) << w.id << QStringLiteral("small");
        QTest::addRow("%s, 1920x1080", w.name) << w.id << QStringLiteral("large");
    }
}

void WindowSizesTest::windowsOpenScaledToTheirScreen()
{
    QFETCH(WindowId, window);
    QFETCH(QString, screen);
    QScreen *target = screenNamed(screen);
    QVERIFY(target);
    TestProgram program;
    QWidget *form = program.app.registry().window(window);
    const QSize design = form->size();
    auto *end = form->findChild<QPushButton *>(QStringLiteral("Befehl1"));
    const int endHeight = end->height();
    putOn(form, target);
    program.app.registry().switchTo(window);

    // Every window by the factor that gives a trainer (392 high) 60 % of the height.
    const QRect available = target->availableGeometry();
    const qreal scale = 0.6 * available.height() / 392;
    QCOMPARE(form->screen(), target);
    QVERIFY2(qAbs(form->height() - design.height() * scale) <= 1,
             qPrintable(QStringLiteral("%1 high on a screen %2 high").arg(form->height()).arg(available.height())));
    QVERIFY(qAbs(form->width() * design.height() - form->height() * design.width()) <= design.width());
    QVERIFY(available.contains(form->frameGeometry()));
    // Scaled as a whole: the buttons grow with the window.
    QVERIFY(end->height() >= endHeight * scale - 1);
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
    const int pixels = report->findChild<QPlainTextEdit *>()->font().pixelSize();
    QVERIFY2(pixels >= qFloor(13 * scale), qPrintable(QString::number(pixels)));
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
