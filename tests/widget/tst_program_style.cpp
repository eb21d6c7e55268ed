#include "platform/program_icon.h"
#include "platform/program_style.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

// Message boxes come and go all afternoon. Each new box must show the icons the last one
// showed, the same pictures: a new picture per box is another entry in Qt's pixmap cache.
// The buttons of a box carry icons under X only (ctest runs this test there too, as
// xcb.tst_program_style); the style hands them out on every platform.
class TestProgramStyle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void styleHandsOutTheSamePicture_data();
    void styleHandsOutTheSamePicture();
    void boxesShareTheirIcons_data();
    void boxesShareTheirIcons();
    void styleIsKept();
    void programIconHasItsPictures();
    void tallScrollBarLooksTheSame_data();
    void tallScrollBarLooksTheSame();
};

void TestProgramStyle::initTestCase()
{
    useProgramStyle();
}

void TestProgramStyle::styleHandsOutTheSamePicture_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("icon");
    QTest::newRow("OK") << QStyle::SP_DialogOkButton;
    QTest::newRow("Ja") << QStyle::SP_DialogYesButton;
    QTest::newRow("Nein") << QStyle::SP_DialogNoButton;
    QTest::newRow("Abbrechen") << QStyle::SP_DialogCancelButton;
    QTest::newRow("warning") << QStyle::SP_MessageBoxWarning;
    QTest::newRow("question") << QStyle::SP_MessageBoxQuestion;
}

void TestProgramStyle::styleHandsOutTheSamePicture()
{
    QFETCH(QStyle::StandardPixmap, icon);
    const auto picture = [icon] {
        return QApplication::style()->standardIcon(icon).pixmap(QSize(16, 16)).cacheKey();
    };
    // The first request may still settle its picture in the cache (an icon drawn at a size
    // of its own); from then on every request gets the same one.
    picture();
    const qint64 second = picture();
    QCOMPARE(picture(), second);
}

void TestProgramStyle::boxesShareTheirIcons_data()
{
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::newRow("message") << QMessageBox::NoIcon << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("warning") << QMessageBox::Warning << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("question") << QMessageBox::Question
                              << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No);
}

void TestProgramStyle::boxesShareTheirIcons()
{
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    // What each box shows: its icon and the pictures on its buttons, as painted.
    const auto shown = [&] {
        QMessageBox box(icon, QStringLiteral("Titel"), QStringLiteral("Text"), buttons);
        box.show();
        QList<qint64> pictures{box.iconPixmap().cacheKey()};
        for (QAbstractButton *button : box.buttons())
            pictures.append(button->icon().pixmap(button->iconSize(), box.devicePixelRatio()).cacheKey());
        return pictures;
    };
    shown();
    const QList<qint64> second = shown();
    QCOMPARE(shown(), second);
}

void TestProgramStyle::styleIsKept()
{
    QStyle *style = QApplication::style();
    useProgramStyle();
    QCOMPARE(QApplication::style(), style);
    QVERIFY(qobject_cast<ProgramStyle *>(style));
}

void TestProgramStyle::programIconHasItsPictures()
{
    // The window system is given the icon drawn at these sizes when the program was built.
    const QIcon icon = programIcon();
    const QList<QSize> sizes{{16, 16}, {32, 32}, {64, 64}, {128, 128}};
    QCOMPARE(icon.availableSizes(), sizes);
    for (const QSize &size : sizes) {
        const QImage picture = icon.pixmap(size).toImage();
        QCOMPARE(picture.size(), size);
        // The drawing covers most of its square and leaves the corners clear.
        int opaque = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                opaque += picture.pixelColor(x, y).alpha() == 255;
        }
        QVERIFY2(opaque > size.width() * size.height() / 2, qPrintable(QString::number(opaque)));
        QVERIFY(picture.pixelColor(0, 0).alpha() < 64);
    }
}

void TestProgramStyle::tallScrollBarLooksTheSame_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("value");
    QTest::addRow("one strip") << 64 << 0;
    QTest::addRow("a row more") << 65 << 50;
    QTest::addRow("strips and a rest, at the top") << 511 << 0;
    QTest::addRow("strips and a rest, in the middle") << 511 << 50;
    QTest::addRow("strips and a rest, at the end") << 511 << 100;
}

void TestProgramStyle::tallScrollBarLooksTheSame()
{
    // Drawn a strip at a time, a scroll bar has the pixels the style itself gives it.
    QFETCH(int, height);
    QFETCH(int, value);
    auto *style = qobject_cast<ProgramStyle *>(QApplication::style());
    QVERIFY(style);
    std::unique_ptr<QStyle> plain(QStyleFactory::create(style->baseStyle()->name()));
    QVERIFY(plain);
    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
        QScrollBar bar(Qt::Vertical);
        if (i == 1)
            bar.setStyle(plain.get());
        bar.setRange(0, 100);
        bar.setPageStep(30);
        bar.setValue(value);
        bar.resize(16, height);
        pictures[i] = bar.grab().toImage();
    }
    QCOMPARE(pictures[0].size(), QSize(16, height));
    QVERIFY(pictures[0] == pictures[1]);
}

QTEST_MAIN(TestProgramStyle)
#include "tst_program_style.moc"
