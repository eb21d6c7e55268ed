#include "pupil_actions.h"
#include "test_program.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/drop_field.h"
#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_window.h"

#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(WindowId)

namespace {

// The controls a pupil touches or reads between them (the counters, the kind of problem,
// the signs of the Überschlag line): none may cover another, none may stick out of the window.
QList<QWidget *> controls(QWidget *window)
{
    static const QStringList read{"Bezeichnung15", "Bezeichnung16", "estimateMark", "estimateTimes",
                                  "estimateEquals"};
    QList<QWidget *> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isVisibleTo(window)
            && (qobject_cast<DropField *>(w) || qobject_cast<QPushButton *>(w) || read.contains(w->objectName())
                || (w->objectName() == QLatin1String("Bezeichnung21") && window->objectName() == QLatin1String("Form1"))))
            found << w;
    }
    return found;
}

QRect inWindow(QWidget *w, QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

} // namespace

class TrainerLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nothingOverlapsAtAnySize_data();
    void nothingOverlapsAtAnySize();
    void activeModeButtonLooksPressed_data();
    void activeModeButtonLooksPressed();
};

void TrainerLayoutTest::nothingOverlapsAtAnySize_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<bool>("gapMode");
    QTest::addColumn<bool>("estimate"); // single problems start with the Überschlag
    QTest::addColumn<QSize>("size");
    const struct { const char *name; WindowId id; const char *gapButton; } trainers[] = {
        {"one-row", WindowId::OneRow, "Befehl12"},
        {"two-row", WindowId::TwoRow, "Befehl13"},
        {"three-row", WindowId::ThreeRow, "Befehl13"}};
    const struct { const char *name; QSize size; } sizes[] = {
        {"default", QSize()}, {"1280x1024", QSize(1280, 1024)}, {"1920x1080", QSize(1920, 1080)}};
    for (const auto &t : trainers) {
        for (const auto &s : sizes) {
            for (bool gap : {false, true})
                QTest::addRow("%s, %s, %s", t.name, gap ? "gap" : "single", s.name) << t.id << gap << false << s.size;
            QTest::addRow("%s, Überschlag, %s", t.name, s.name) << t.id << false << true << s.size;
        }
    }
}

void TrainerLayoutTest::nothingOverlapsAtAnySize()
{
    QFETCH(WindowId, trainer);
    QFETCH(bool, gapMode);
    QFETCH(bool, estimate);
    QFETCH(QSize, size);
    TestProgram program;
    program.app.services().training.estimateFirst = estimate;
    // The longest Überschlag line of each trainer: 10 000 · 900, · 100, · 1 000.
    if (estimate && trainer != WindowId::OneRow)
        scriptProblem(program.random, trainer,
                      trainer == WindowId::TwoRow ? QStringLiteral("9994 · 99") : QStringLiteral("9994 · 999"));
    auto *form = program.open<TrainerWindow>(trainer);
    if (estimate && trainer == WindowId::OneRow) {
        scriptProblem(program.random, trainer, QStringLiteral("9999 · 9"));
        qobject_cast<OneRowWindow *>(form)->chooseSingleMode(OneRowMode::H);
    }
    QCOMPARE(form->exercise().hasEstimate(), estimate);
    if (gapMode)
        QTest::mouseClick(form->findChild<QPushButton *>(trainer == WindowId::OneRow ? "Befehl12" : "Befehl13"),
                          Qt::LeftButton);
    const int designFont = form->findChild<DigitKey *>("Befehl2")->font().pixelSize();
    const QSize design = form->size();
    if (size.isValid())
        form->resize(size);
    QCoreApplication::processEvents();

    const QList<QWidget *> all = controls(form);
    QVERIFY(all.size() > 15);
    for (int i = 0; i < all.size(); ++i) {
        const QRect a = inWindow(all[i], form);
        QVERIFY2(form->rect().contains(a), qPrintable(all[i]->objectName() + " sticks out"));
        for (int j = i + 1; j < all.size(); ++j) {
            QVERIFY2(!a.intersects(inWindow(all[j], form)),
                     qPrintable(all[i]->objectName() + " covers " + all[j]->objectName()));
        }
    }
    // Digits grow with the window.
    const int font = form->findChild<DigitKey *>("Befehl2")->font().pixelSize();
    if (size.isValid())
        QVERIFY(font >= 0.9 * designFont * qMin(size.width() / qreal(design.width()),
                                                size.height() / qreal(design.height())));
    else
        QCOMPARE(font, designFont);
}

void TrainerLayoutTest::activeModeButtonLooksPressed_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("pressed");
    const WindowId one = WindowId::OneRow;
    QTest::newRow("one-row, opened") << one << QStringList() << "Befehl21";
    QTest::newRow("one-row, mal Z") << one << QStringList{"Befehl20"} << "Befehl20";
    QTest::newRow("one-row, mal H") << one << QStringList{"Befehl13"} << "Befehl13";
    QTest::newRow("one-row, mal H, Lücke") << one << QStringList{"Befehl13", "Befehl12"} << "Befehl12";
    QTest::newRow("one-row, Lücke twice") << one << QStringList{"Befehl12", "Befehl12"} << "Befehl12";
    QTest::newRow("one-row, mal E twice") << one << QStringList{"Befehl21", "Befehl21"} << "Befehl21";
    QTest::newRow("one-row, Lücke, mal Z") << one << QStringList{"Befehl12", "Befehl20"} << "Befehl20";
    QTest::newRow("one-row, Lücke, Ende") << one << QStringList{"Befehl20", "Befehl12", "Befehl1"} << "Befehl20";
    for (auto [name, id] : {std::pair{"two-row", WindowId::TwoRow}, {"three-row", WindowId::ThreeRow}}) {
        QTest::addRow("%s, opened", name) << id << QStringList() << "Befehl21";
        QTest::addRow("%s, Lücke", name) << id << QStringList{"Befehl13"} << "Befehl13";
        QTest::addRow("%s, Lücke twice", name) << id << QStringList{"Befehl13", "Befehl13"} << "Befehl13";
        QTest::addRow("%s, Lücke, Normal", name) << id << QStringList{"Befehl13", "Befehl21"} << "Befehl21";
        QTest::addRow("%s, Lücke, Ende", name) << id << QStringList{"Befehl13", "Befehl1"} << "Befehl21";
    }
}

// The mode button of the kind of problem on screen looks pressed, and only that one.
void TrainerLayoutTest::activeModeButtonLooksPressed()
{
    QFETCH(WindowId, trainer);
    QFETCH(QStringList, clicks);
    QFETCH(QString, pressed);
    TestProgram program;
    QWidget *form = program.open(trainer);
    for (const QString &button : clicks)
        QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
    if (!form->isVisible()) // "Ende": the next visit
        program.open(trainer);
    QStringList checked;
    for (QPushButton *button : form->findChildren<QPushButton *>()) {
        if (button->isChecked() && !qobject_cast<DigitKey *>(button))
            checked << button->objectName();
    }
    QCOMPARE(checked, QStringList{pressed});
}

QTEST_MAIN(TrainerLayoutTest)
#include "tst_trainer_layout.moc"
