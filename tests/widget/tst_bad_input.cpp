// What a classroom does that a lesson does not plan for. Above all, what else a desktop
// lets a child drop on an answer field: files, pages of text, nothing at all, data of
// unknown kinds, and digit-key data that is not one digit. Every kind of field of every
// trainer must check it as the field stands, never take it in.
#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "test_program.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/trainer_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(WindowId)

using MakeData = std::function<std::unique_ptr<QMimeData>()>;
Q_DECLARE_METATYPE(MakeData)

namespace {

std::unique_ptr<QMimeData> withData(const QString &format, const QByteArray &payload)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(format, payload);
    return data;
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void foreignDropOnEveryField_data();
    void foreignDropOnEveryField();
    void wrongDigitOnGivenDigitLeavesAVisibleGap();
    void ignoredMemoryNoticeKeepsTheMarkerOnItsTrack();
    void printLockPassword_data();
    void printLockPassword();
    void clipboardTakenOverRightAfterCopying();
};

void TestBadInput::foreignDropOnEveryField_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("modeButton"); // empty: single problems
    QTest::addColumn<MakeData>("makeData");

    const struct { const char *name; MakeData make; } payloads[] = {
        {"file URL", [] {
             auto data = std::make_unique<QMimeData>();
             data->setUrls({QUrl::fromLocalFile(QStringLiteral("/home/schule/Aufgabe 7.png")),
                            QUrl(QStringLiteral("https://example.org/7"))});
             return data;
         }},
        {"megabyte of text", [] {
             auto data = std::make_unique<QMimeData>();
             data->setText(QString(1 << 20, QChar(u'7')));
             return data;
         }},
        {"megabyte in the digit format",
         [] { return withData(QLatin1String(digitMimeType), QByteArray(1 << 20, '7')); }},
        {"no data", [] { return std::make_unique<QMimeData>(); }},
        {"empty text", [] { return withData(QStringLiteral("text/plain"), QByteArray()); }},
        {"unknown format", [] { return withData(QStringLiteral("application/x-unknown"), QByteArray("\x00\xff\x37", 3)); }},
        {"digit format, empty", [] { return withData(QLatin1String(digitMimeType), QByteArray()); }},
        {"digit format, two digits", [] { return withData(QLatin1String(digitMimeType), "12"); }},
        {"digit format, non-Latin digit",
         [] { return withData(QLatin1String(digitMimeType), QStringLiteral("٧").toUtf8()); }},
        {"digit format, control character", [] { return withData(QLatin1String(digitMimeType), "\x07"); }},
    };
    const struct { WindowId id; const char *name; const char *gapButton; } layouts[] = {
        {WindowId::OneRow, "one-row single", ""},
        {WindowId::OneRow, "one-row gap", "Befehl12"},
        {WindowId::TwoRow, "two-row single", ""},
        {WindowId::TwoRow, "two-row gap", "Befehl13"},
        {WindowId::ThreeRow, "three-row single", ""},
        {WindowId::ThreeRow, "three-row gap", "Befehl13"},
    };
    for (const auto &layout : layouts)
        for (const auto &payload : payloads)
            QTest::addRow("%s, %s", layout.name, payload.name)
                << layout.id << QString::fromLatin1(layout.gapButton) << payload.make;
}

void TestBadInput::foreignDropOnEveryField()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, modeButton);
    QFETCH(MakeData, makeData);

    TestProgram program;
    FakeDialogs &dialogs = program.dialogs;
    auto *window = program.open<TrainerWindow>(trainer);
    if (!modeButton.isEmpty())
        QTest::mouseClick(window->findChild<QPushButton *>(modeButton), Qt::LeftButton);
    const QStringList fields = window->focusOrder();
    QVERIFY(!fields.isEmpty());
    const std::unique_ptr<QMimeData> data = makeData();

    // Empty fields: refused, counted, and left empty.
    int errors = 0;
    for (const QString &name : fields) {
        auto *field = window->findChild<QLabel *>(name);
        dialogs.clear();
        deliverDrop(field, data.get());
        ++errors;
        QVERIFY2(shownDigit(window, name).isEmpty() && field->text().isEmpty(), qPrintable(name));
        QCOMPARE(dialogs.count(QStringLiteral("Fehler")), 1);
        QCOMPARE(window->score().errors(), errors);
        QCOMPARE(window->score().points(), 0);
    }

    // A field that holds its right digit keeps it: the drop is checked as the field stands.
    const QString name = fields.constLast();
    auto *field = window->findChild<QLabel *>(name);
    const QChar right = expectedDigit(window, name).at(0);
    if (deliverDrop(field, digitMimeData(right).get()); shownDigit(window, name) == QString(right)) {
        const int points = window->score().points();
        deliverDrop(field, data.get());
        QCOMPARE(field->text(), QString(right));
        QCOMPARE(window->score().points(), points + 1);
        QCOMPARE(window->score().errors(), errors);
    }
}

// Children drag digits onto the printed digits of a gap problem too. A wrong one is refused
// and takes the digit with it; the hole must then look and behave like any other gap.
// (The one-row trainer checks every digit of its gap problem; the row trainers print theirs.)
void TestBadInput::wrongDigitOnGivenDigitLeavesAVisibleGap()
{
    const WindowId trainer = WindowId::OneRow;
    const QString gapButton = QStringLiteral("Befehl12");

    TestProgram program;
    FakeDialogs &dialogs = program.dialogs;
    auto *window = program.open<TrainerWindow>(trainer);
    QTest::mouseClick(window->findChild<QPushButton *>(gapButton), Qt::LeftButton);
    QLabel *given = nullptr;
    for (const QString &name : window->fieldNames()) {
        auto *field = window->findChild<QLabel *>(name);
        if (field && field->isVisibleTo(window) && !field->text().isEmpty()) {
            given = field;
            break;
        }
    }
    QVERIFY(given);
    const QString name = given->objectName();
    QVERIFY(!window->focusOrder().contains(name));
    const QChar right = expectedDigit(window, name).at(0);
    const QChar wrong(u'0' + (right.digitValue() + 1) % 10);

    deliverDrop(given, digitMimeData(wrong).get());
    QCOMPARE(dialogs.count(QStringLiteral("Fehler")), 1);
    QCOMPARE(window->score().errors(), 1);
    QCOMPARE(given->text(), QString());
    QCOMPARE(given->property("given").toBool(), false); // drawn with a box again
    QVERIFY(window->focusOrder().contains(name));         // and reached by the keyboard

    given->setFocus();
    QTest::keyClick(given, Qt::Key(Qt::Key_0 + right.digitValue()));
    QCOMPARE(given->text(), QString(right));
    QCOMPARE(window->score().points(), 1);
}

// Many pupils never click the Memory notice and keep solving.
void TestBadInput::ignoredMemoryNoticeKeepsTheMarkerOnItsTrack()
{
    TestProgram program;
    FakeDialogs &dialogs = program.dialogs;
    auto *window = program.open<TrainerWindow>(WindowId::OneRow);
    QWidget *marker = window->findChild<QWidget *>(QStringLiteral("Bild1"));
    QWidget *notice = window->findChild<QWidget *>(QStringLiteral("Bezeichnung14"));
    const int top = window->findChild<QWidget *>(QStringLiteral("progressTrack"))->y();

    for (int solved = 1; solved <= 40; ++solved) {
        solveProblem(window);
        QCOMPARE(dialogs.count(QStringLiteral("Malaufgabe")), solved);
        QCOMPARE(window->score().solvedSinceMemory(), solved);
        QCOMPARE(markerSteps(window), qMin(solved, Score::problemsPerMemory));
        QVERIFY2(marker->y() >= top && marker->y() >= 0, qPrintable(QString::number(solved)));
        QCOMPARE(notice->isVisible(), solved >= 18);
    }
    QCOMPARE(marker->y(), top);
    QCOMPARE(marker->accessibleDescription(), QStringLiteral("Fortschritt: 18 von 18 Aufgaben gelöst"));
}

void TestBadInput::printLockPassword_data()
{
    // The password is the points caption as shown, "0" here; anything else keeps the lock.
    QTest::addColumn<std::optional<QString>>("entry");
    QTest::addColumn<bool>("unlocks");
    QTest::newRow("the points as shown") << std::optional<QString>(QStringLiteral("0")) << true;
    QTest::newRow("cancelled") << std::optional<QString>() << false;
    QTest::newRow("empty") << std::optional<QString>(QString()) << false;
    QTest::newRow("10 000 characters") << std::optional<QString>(QString(10000, QChar(u'x'))) << false;
    QTest::newRow("10 000 zeros") << std::optional<QString>(QString(10000, QChar(u'0'))) << false;
    QTest::newRow("Arabic-Indic zero") << std::optional<QString>(QStringLiteral("٠")) << false;
    QTest::newRow("fullwidth zero") << std::optional<QString>(QStringLiteral("０")) << false;
    QTest::newRow("Cyrillic and Chinese") << std::optional<QString>(QStringLiteral("Пароль 密码")) << false;
    QTest::newRow("right-to-left mark") << std::optional<QString>(QStringLiteral("\u200f0")) << false;
    QTest::newRow("carriage return") << std::optional<QString>(QStringLiteral("0\r")) << false;
    QTest::newRow("tab and newline") << std::optional<QString>(QStringLiteral("\t0\n")) << false;
    QTest::newRow("NUL") << std::optional<QString>(QString(QChar(u'0')) + QChar(u'\0')) << false;
    QTest::newRow("escape and bell") << std::optional<QString>(QStringLiteral("\x1b[2J\x07")) << false;
    QTest::newRow("blank around") << std::optional<QString>(QStringLiteral(" 0 ")) << false;
}

// The password box of a locked print, typed into by whoever sits at the computer.
void TestBadInput::printLockPassword()
{
    QFETCH(std::optional<QString>, entry);
    QFETCH(bool, unlocks);

    FakeDialogs dialogs;
    ScriptedRandom random;
    FakePrinter printer;
    FakeClipboard clipboard;
    Application app(dialogs, random, &printer, &clipboard);
    app.start();
    app.registry().switchTo(WindowId::OneRow);
    QWidget *trainer = app.registry().window(WindowId::OneRow);
    trainer->findChild<QPushButton *>(QStringLiteral("Befehl14"))->click();
    dialogs.clear();
    dialogs.entries = {entry};
    dialogs.answers = {Answer::Yes};
    for (const char *print : {"Befehl17", "Befehl18"}) {
        trainer->findChild<QPushButton *>(QLatin1String(print))->click();
        QCOMPARE(dialogs.calls.first().kind, FakeDialogs::Kind::Input);
        QCOMPARE(printer.jobs.size(), unlocks ? 1 : 0);
        QCOMPARE(dialogs.count(QStringLiteral("Drucken")), unlocks ? 1 : 0);
        if (unlocks)
            QCOMPARE(dialogs.last().text, QStringLiteral("Das Rechenblatt wird gedruckt ...\r\r"));
        if (!unlocks) // the same entry once more for the solution sheet
            dialogs.entries = {entry};
        else
            break;
        dialogs.clear();
    }
    QVERIFY(trainer->isVisible());
    QCOMPARE(trainer->findChild<QLabel *>(QStringLiteral("Bezeichnung16"))->text(), QStringLiteral("0"));
}

// Right after "Kopieren" another program puts its own text on the clipboard: the program
// has told the truth (the sheet was copied), does not fight for the clipboard, and a second
// "Kopieren" puts the sheet there again.
void TestBadInput::clipboardTakenOverRightAfterCopying()
{
    QClipboard *system = QGuiApplication::clipboard();
    system->setText(QStringLiteral("vorher"));
    if (system->text() != QLatin1String("vorher"))
        QSKIP("this platform has no clipboard to test with");

    FakeDialogs dialogs;
    ScriptedRandom random;
    FakePrinter printer;
    Application app(dialogs, random, &printer); // the system's clipboard
    app.start();
    app.registry().switchTo(WindowId::OneRow);
    QWidget *trainer = app.registry().window(WindowId::OneRow);
    trainer->findChild<QPushButton *>(QStringLiteral("Befehl14"))->click();
    auto *copy = trainer->findChild<QPushButton *>(QStringLiteral("Befehl19"));

    dialogs.clear();
    copy->click();
    QVERIFY(dialogs.last().text.startsWith(QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.")));
    const QString sheet = system->text();
    QVERIFY(sheet.size() > 100);

    system->setText(QStringLiteral("Text eines anderen Programms"));
    QCoreApplication::processEvents();
    QCOMPARE(system->text(), QStringLiteral("Text eines anderen Programms"));
    QCOMPARE(dialogs.calls.size(), 1);

    system->clear();
    QCoreApplication::processEvents();
    copy->click();
    QCOMPARE(system->text(), sheet);
    QCOMPARE(dialogs.calls.size(), 2);
    QCOMPARE(dialogs.last().title, QStringLiteral("Zwischenablage"));
}

QTEST_MAIN(TestBadInput)
#include "tst_bad_input.moc"
