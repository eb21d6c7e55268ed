// The class on this computer as the teacher and the children meet it: nothing without a
// class, "Klasse einrichten" in the info window, "Wer rechnet?" on the menu, a child's
// progress back after a restart, the PIN, "Kind wechseln", "Auskunft" and deleting.
#include "../store/practising_child.h"
#include "shell/child_picker.h"
#include "shell/class_dialogs.h"
#include "shell/class_overview.h"
#include "shell/class_room.h"
#include "shell/info_window.h"
#include "shell/main_menu.h"
#include "test_program.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class ClassRoomTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void withoutClassNothingIsWritten();
    void setUpPickAndComeBack();
    void setUpRefusals_data();
    void setUpRefusals();
    void pinWaitsAfterThreeWrong();
    void disclosureAndDeleting();
    void overview();

private:
    QString dataFile() const { return m_home->filePath(QStringLiteral("malrechnen/klasse.sqlite")); }
    void setUpClass(TestProgram &program, const QString &children);
    QList<QPushButton *> childButtons(TestProgram &program);

    std::unique_ptr<QTemporaryDir> m_home;
};

void ClassRoomTest::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
}

void ClassRoomTest::setUpClass(TestProgram &program, const QString &children)
{
    auto *info = program.open<InfoWindow>(WindowId::Info);
    ClassSetupDialog setup(program.app.classRoom(), program.dialogs, info);
    setup.findChild<QLineEdit *>(QStringLiteral("Klassenname"))->setText(QStringLiteral("3a"));
    setup.findChild<QLineEdit *>(QStringLiteral("PIN"))->setText(QStringLiteral("2468"));
    setup.findChild<QLineEdit *>(QStringLiteral("PINWiederholung"))->setText(QStringLiteral("2468"));
    setup.findChild<QPlainTextEdit *>(QStringLiteral("Kinder"))->setPlainText(children);
    setup.accept();
    QCOMPARE(setup.result(), int(QDialog::Accepted));
}

QList<QPushButton *> ClassRoomTest::childButtons(TestProgram &program)
{
    auto *menu = qobject_cast<MainMenu *>(program.menu());
    QList<QPushButton *> shown;
    if (!menu->childPicker()->isVisibleTo(menu))
        return shown;
    for (QPushButton *b : menu->childPicker()->buttons()) {
        if (b->isVisibleTo(menu))
            shown << b;
    }
    return shown;
}

void ClassRoomTest::withoutClassNothingIsWritten()
{
    TestProgram program;
    auto *info = program.open<InfoWindow>(WindowId::Info);
    QCOMPARE(info->findChild<QPushButton *>(QStringLiteral("KlasseEinrichten"))->text(), QStringLiteral("Klasse einrichten"));
    QCOMPARE(info->findChild<QPushButton *>(QStringLiteral("NeuesKind"))->text(), QStringLiteral("Neues Kind"));
    QVERIFY(info->findChild<QLabel *>(QStringLiteral("Speicherstand"))->text().contains(QStringLiteral("nichts gespeichert")));
    QVERIFY(childButtons(program).isEmpty());
    program.open(WindowId::OneRow);
    program.open(WindowId::Menu);
    QVERIFY(QDir(m_home->path()).isEmpty());
}

void ClassRoomTest::setUpPickAndComeBack()
{
    qint64 ben = 0;
    int points = 0, errors = 0;
    {
        TestProgram program;
        setUpClass(program, QStringLiteral("Ada\nBen\nCem"));
        QVERIFY(QFileInfo::exists(dataFile()));
        const QList<QPushButton *> buttons = childButtons(program);
        QCOMPARE(buttons.size(), 3);
        QCOMPARE(buttons[1]->accessibleName(), QStringLiteral("Ben"));
        QVERIFY(buttons[1]->text().startsWith(QLatin1Char('B')));
        auto *info = qobject_cast<InfoWindow *>(program.app.registry().window(WindowId::Info));
        QCOMPARE(info->findChild<QPushButton *>(QStringLiteral("NeuesKind"))->text(), QStringLiteral("Kind wechseln"));
        QVERIFY(info->findChild<QLabel *>(QStringLiteral("Speicherstand"))->text().contains(QStringLiteral("3a")));

        buttons[1]->click();
        QVERIFY(childButtons(program).isEmpty());
        ben = program.app.classRoom().child()->id;
        // The trainers' sessions hand what the child does to the class's log.
        QVERIFY(program.app.services().training.practiceLog);
        QCOMPARE(program.app.services().training.practiceLog, program.app.classRoom().practiceLog());
        // What the session hands on: the trainers do so once the session records.
        PractisingChild child(program.app.classRoom().practiceLog());
        child.play(QStringLiteral("one 4321 3; bad; all; one 1111 2; ok 2"));
        points = child.live.score(TrainerKind::OneRow).points();
        errors = child.live.score(TrainerKind::OneRow).errors();

        // "Kind wechseln": the list again, nobody's points on screen.
        info->findChild<QPushButton *>(QStringLiteral("NeuesKind"))->click();
        QCOMPARE(childButtons(program).size(), 3);
        QVERIFY(!program.app.classRoom().child());
        QVERIFY(!program.app.services().training.practiceLog);
        QCOMPARE(program.app.services().training.score(TrainerKind::OneRow).points(), 0);
    }
    TestProgram again;
    const QList<QPushButton *> buttons = childButtons(again);
    QCOMPARE(buttons.size(), 3);
    buttons[1]->click();
    QCOMPARE(again.app.classRoom().child()->id, ben);
    const Score &score = again.app.services().training.score(TrainerKind::OneRow);
    QCOMPARE(score.points(), points);
    QCOMPARE(score.errors(), errors);
    QCOMPARE(score.solvedSinceMemory(), 1);
}

void ClassRoomTest::setUpRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pin");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("children");
    QTest::addColumn<QString>("said");
    QTest::newRow("no name") << "" << "2468" << "2468" << "Ada" << "Namen für die Klasse";
    QTest::newRow("short PIN") << "3a" << "246" << "246" << "Ada" << "mindestens 4 Ziffern";
    QTest::newRow("letters") << "3a" << "24a8" << "24a8" << "Ada" << "mindestens 4 Ziffern";
    QTest::newRow("PINs differ") << "3a" << "2468" << "2469" << "Ada" << "stimmen nicht";
    QTest::newRow("no children") << "3a" << "2468" << "2468" << "\n \n" << "Kinder eintragen";
}

void ClassRoomTest::setUpRefusals()
{
    QFETCH(QString, name);
    QFETCH(QString, pin);
    QFETCH(QString, again);
    QFETCH(QString, children);
    QFETCH(QString, said);
    TestProgram program;
    const std::optional<QString> wrong = program.app.classRoom().setUpClass(name, pin, again, children);
    QVERIFY(wrong);
    QVERIFY2(wrong->contains(said), qPrintable(*wrong));
    QVERIFY(!program.app.classRoom().hasClass());
    QVERIFY(QDir(m_home->path()).isEmpty());
}

void ClassRoomTest::pinWaitsAfterThreeWrong()
{
    TestProgram program;
    ClassRoom &room = program.app.classRoom();
    QVERIFY(!room.setUpClass(QStringLiteral("3a"), QStringLiteral("2468"), QStringLiteral("2468"), QStringLiteral("Ada")).has_value());
    QDateTime now = QDateTime::currentDateTimeUtc();
    room.setClock([&now] { return now; });
    QVERIFY(room.unlock(QStringLiteral("2468")));
    for (int i = 0; i < 3; ++i)
        QVERIFY(!room.unlock(QStringLiteral("1357")));
    QCOMPARE(room.waitSeconds(), 60);
    QVERIFY(!room.unlock(QStringLiteral("2468"))); // even the right one waits
    now = now.addSecs(61);
    QVERIFY(room.unlock(QStringLiteral("2468")));
    // The PIN appears in no message the program showed.
    for (const FakeDialogs::Call &call : std::as_const(program.dialogs.calls))
        QVERIFY(!call.text.contains(QStringLiteral("2468")));
}

void ClassRoomTest::disclosureAndDeleting()
{
    TestProgram program;
    setUpClass(program, QStringLiteral("Name;Klasse\nAda;3a\nBen;3a\n"));
    ClassRoom &room = program.app.classRoom();
    QCOMPARE(room.children().size(), 2); // the heading is no child
    childButtons(program)[0]->click();
    PractisingChild(room.practiceLog()).play(QStringLiteral("one 4321 3; all"));
    program.app.changeChild();

    ClassDialog manage(room, program.dialogs);
    auto *list = manage.findChild<QListWidget *>(QStringLiteral("Kinderliste"));
    list->setCurrentRow(0);
    const QString file = m_home->filePath(QStringLiteral("auskunft.txt"));
    program.dialogs.fileNames << file;
    manage.disclose();
    QFile text(file);
    QVERIFY(text.open(QIODevice::ReadOnly));
    const QString disclosed = QString::fromUtf8(text.readAll());
    QVERIFY(disclosed.contains(QStringLiteral("Name: Ada")));
    QVERIFY(disclosed.contains(QStringLiteral("Aufgabe 4321 · 3")));
    QVERIFY(!disclosed.contains(QStringLiteral("Ben")));

    program.dialogs.answers << Answer::No << Answer::Yes;
    manage.removeChild(); // asked, "Nein"
    QCOMPARE(room.children().size(), 2);
    manage.removeChild();
    QCOMPARE(room.children().size(), 1);
    QCOMPARE(childButtons(program).size(), 1);

    program.dialogs.answers << Answer::Yes;
    manage.removeClass();
    QVERIFY(!room.hasClass());
    QVERIFY(!QFileInfo::exists(dataFile()));
    QVERIFY(childButtons(program).isEmpty());
}

void ClassRoomTest::overview()
{
    TestProgram program;
    setUpClass(program, QStringLiteral("Ada\nBen"));
    ClassRoom &room = program.app.classRoom();
    childButtons(program)[0]->click();
    PractisingChild ada(room.practiceLog());
    ada.play(QStringLiteral("one 4321 3; all; one 1111 2; all; one 2222 3; ok 2"));
    program.app.changeChild();

    ClassOverview overview(room, program.dialogs);
    const QStringList lines = overview.csv().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith(QStringLiteral("Kind;Zuletzt geübt;Aufgaben diese Woche;")));
    const QStringList first = lines[1].split(QLatin1Char(';'));
    QCOMPARE(first[0], QStringLiteral("Ada"));
    QCOMPARE(first[1], QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(first[2], QStringLiteral("2"));
    const QStringList ben = lines[2].split(QLatin1Char(';'));
    QCOMPARE(ben.mid(0, 3), (QStringList{QStringLiteral("Ben"), QStringLiteral("noch nie"), QStringLiteral("0")}));
    QVERIFY(ben.contains(QStringLiteral("noch nicht gesehen")));
    QCOMPARE(ben.value(ben.size() - 2), QStringLiteral("0 von 80"));

    const QString file = m_home->filePath(QStringLiteral("klasse.csv"));
    program.dialogs.fileNames << file;
    overview.saveCsv();
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll().mid(3)), overview.csv());
}

QTEST_MAIN(ClassRoomTest)
#include "tst_class_room.moc"
