#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "test_program.h"
#include "widgets/clickable_label.h"

#include <QCheckBox>
#include <QPointer>
#include <QScreen>
#include <QTest>

namespace {

struct Program : TestProgram
{
    QWidget *info() { return app.registry().window(WindowId::Info); }
    QCheckBox *lock() { return info()->findChild<QCheckBox *>(QStringLiteral("Kontroll1")); }
};

void clickLabel(QWidget *window, const char *name)
{
    auto *label = window->findChild<ClickableLabel *>(QLatin1String(name));
    QVERIFY2(label, name);
    QTest::mouseClick(label, Qt::LeftButton);
}

} // namespace

class TestInfoWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensFromTheMenu();
    void hidingKeepsTheLock_data();
    void hidingKeepsTheLock();
    void closingByTheFrameBringsTheLockBack();
};

void TestInfoWindow::opensFromTheMenu()
{
    Program program;
    program.app.start();
    QWidget *menu = program.app.registry().window(WindowId::Menu);
    QVERIFY(menu->findChild<QWidget *>(QStringLiteral("Bild4"))->isVisibleTo(menu));
    clickLabel(menu, "Bild4");

    QWidget *info = program.info();
    QVERIFY(info->isVisible());
    QVERIFY(menu->isVisible());
    QCOMPARE(info->objectName(), QStringLiteral("ZEPLABEL"));
    QCOMPARE(info->windowTitle(), QStringLiteral("Programm-Info"));
    QCOMPARE(program.lock()->text(), QStringLiteral("  Druckmodus deaktivieren"));
    QVERIFY(program.lock()->isChecked());
    const auto text = [info](const char *name) {
        return info->findChild<QLabel *>(QLatin1String(name))->text();
    };
    QCOMPARE(text("Bezeichnung1"), QStringLiteral("O k a y"));
    bool titled = false;
    for (const QLabel *label : info->findChildren<QLabel *>())
        titled = titled || label->text() == QStringLiteral("M u l t i p l i k a t i o n");
    QVERIFY(titled);
    QVERIFY(text("Bezeichnung6").contains(QStringLiteral("Freeware")));
    QCOMPARE(text("Bezeichnung6").count(QLatin1Char('\n')), 1);
    QVERIFY(text("Bezeichnung7").contains(QStringLiteral("Malrechnen")));
    QVERIFY(text("Bezeichnung7").contains(QStringLiteral(MALRECHNEN_VERSION)));
    QVERIFY(!text("Bezeichnung7").contains(QLatin1Char('@')));

    // Centred across, a quarter of the free height above it.
    const QRect screen = info->screen()->availableGeometry();
    const QRect frame = info->frameGeometry();
    QCOMPARE(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
    QCOMPARE(frame.top(), screen.top() + (screen.height() - frame.height()) / 4);

    // The picture opens the same single window again.
    info->hide();
    clickLabel(menu, "Bild4");
    QCOMPARE(program.info(), info);
    QVERIFY(info->isVisible());
}

void TestInfoWindow::hidingKeepsTheLock_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("O k a y") << QStringLiteral("Bezeichnung1");
    QTest::newRow("picture") << QStringLiteral("Bild1");
    QTest::newRow("Escape") << QStringLiteral("Escape");
}

void TestInfoWindow::hidingKeepsTheLock()
{
    QFETCH(QString, how);
    Program program;
    program.app.start();
    program.app.registry().showInfo();
    QWidget *info = program.info();
    program.lock()->click();
    QVERIFY(!program.app.services().training.printLocked);

    if (how == QStringLiteral("Escape"))
        QTest::keyClick(program.lock(), Qt::Key_Escape);
    else
        clickLabel(info, qPrintable(how));
    QVERIFY(info->isHidden());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    program.app.registry().showInfo();
    QCOMPARE(program.info(), info);
    QVERIFY(!program.lock()->isChecked());
    QVERIFY(!program.app.services().training.printLocked);
    program.lock()->click();
    QVERIFY(program.app.services().training.printLocked);
}

void TestInfoWindow::closingByTheFrameBringsTheLockBack()
{
    Program program;
    program.app.start();
    program.app.registry().showInfo();
    QPointer<QWidget> first = program.info();
    program.lock()->setChecked(false);

    QVERIFY(first->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(program.app.services().training.printLocked);

    QWidget *second = program.info();
    QVERIFY(second);
    QVERIFY(second->isHidden());
    QVERIFY(program.lock()->isChecked());
}

QTEST_MAIN(TestInfoWindow)
#include "tst_info_window.moc"
