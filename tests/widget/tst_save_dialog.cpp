#include "platform/qt_dialogs.h"

#include <QPushButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// The file dialog behind "Kästchenblatt …": whatever folder it lists and whatever path is
// typed into it, it reads no file, so a special file cannot stop the program.
namespace {

// Ends the test run when the dialog hangs: stuck in a read, the main thread never gets
// back to its event loop, so no timer of its own could fail the test.
class Watchdog
{
public:
    explicit Watchdog(int seconds)
        : m_thread([this, seconds] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_woken.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_done; })) {
                  std::fprintf(stderr, "FAIL!  : the file dialog hung for %d s\n", seconds);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_woken.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
    bool m_done = false;
    std::thread m_thread; // last: it starts once the others exist
};

} // namespace

class TestSaveDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void typeByNameOnly_data();
    void typeByNameOnly();
    void dialogListsProcAndReturnsThePath();
    void replacingAsksAboutTheFileWritten_data();
    void replacingAsksAboutTheFileWritten();
};

void TestSaveDialog::initTestCase()
{
    // Qt's file dialog keeps the folders it visited in the user's settings and lists them
    // again next time: the test's own settings, starting empty, keep the user's untouched.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  + QStringLiteral("/QtProject.conf"));
}

void TestSaveDialog::typeByNameOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("mimeByName");

    // Without an extension Qt's own provider looks inside and finds a PDF.
    QTest::newRow("PDF inside, no extension") << "kmsg" << QByteArray("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
                                              << "application/octet-stream";
    QTest::newRow("text inside, PDF by name") << "blatt.pdf" << QByteArray("Hallo\n")
                                              << "application/pdf";
}

void TestSaveDialog::typeByNameOnly()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, mimeByName);

    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    const FileIconsByName icons;
    const QMimeType expected = QMimeDatabase().mimeTypeForName(mimeByName);
    QCOMPARE(icons.type(QFileInfo(file.fileName())), expected.comment());
    QVERIFY(!icons.icon(QFileInfo(file.fileName())).isNull());
    QCOMPARE(icons.type(QFileInfo(dir.path())), QFileIconProvider().type(QFileInfo(dir.path())));
}

// The real dialog, opened as "Kästchenblatt …" opens it: it lists /proc, whose kmsg blocks
// the reader as long as the kernel has nothing to say (for root; for others it is locked),
// takes /proc/kmsg typed into its name field, closes, and gives back a path typed there.
void TestSaveDialog::dialogListsProcAndReturnsThePath()
{
    const Watchdog watchdog(60);
    QTemporaryDir dir;
    const QString proposed = dir.filePath(QStringLiteral("Rechenblatt-zweireihig-6223ZC4.pdf"));
    QStringList shownNames;
    bool procListed = false;

    // Types `typed` into the open dialog's name field (after listing /proc, when it is to be
    // cancelled) and closes it.
    const auto drive = [&](const QString &typed, bool accept) {
        QTimer::singleShot(0, this, [&, typed, accept] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
            auto *model = dialog ? dialog->findChild<QFileSystemModel *>() : nullptr;
            if (!name || !model) {
                if (QApplication::activeModalWidget())
                    QApplication::activeModalWidget()->close();
                return;
            }
            shownNames << name->text();
            if (!accept) {
                // Each file of a folder passes the icon provider before the folder counts
                // as loaded.
                connect(model, &QFileSystemModel::directoryLoaded, this, [&](const QString &folder) {
                    procListed = procListed || folder == QLatin1String("/proc");
                });
                dialog->setDirectory(QStringLiteral("/proc"));
                procListed = QTest::qWaitFor([&] { return procListed; }, 20000);
            }
            name->selectAll(); // typed over the proposed name
            QTest::keyClicks(name, typed);
            QTest::qWait(200); // the completer looks the path up
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QPushButton *closing = buttons ? buttons->button(accept ? QDialogButtonBox::Save
                                                                        : QDialogButtonBox::Cancel)
                                               : nullptr;
            if (closing)
                closing->click();
            else
                dialog->reject();
        });
    };

    QtDialogs dialogs;
    drive(QStringLiteral("/proc/kmsg"), false);
    QCOMPARE(dialogs.saveFileName(QStringLiteral("Kästchenblatt speichern"), proposed,
                                  QStringLiteral("PDF-Dateien (*.pdf)")),
             std::nullopt);
    QVERIFY(procListed);

    drive(QStringLiteral("Mia.pdf"), true);
    QCOMPARE(dialogs.saveFileName(QStringLiteral("Kästchenblatt speichern"), proposed,
                                  QStringLiteral("PDF-Dateien (*.pdf)")),
             std::optional<QString>(dir.filePath(QStringLiteral("Mia.pdf"))));
    // The proposed name stands in the field when the dialog opens.
    QCOMPARE(shownNames, QStringList({QFileInfo(proposed).fileName(), QFileInfo(proposed).fileName()}));
}

void TestSaveDialog::replacingAsksAboutTheFileWritten_data()
{
    QTest::addColumn<QString>("folder"); // empty: one holding "klasse3b.pdf"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<QString>("asked"); // the file the dialog asks about; empty: none

    QTest::newRow("the ending makes an existing sheet")
        << "" << "klasse3b" << "klasse3b.pdf" << "klasse3b.pdf";
    QTest::newRow("a device without the ending") << "/dev" << "null" << "null.pdf" << "";
    QTest::newRow("a new name with its ending") << "" << "neu.pdf" << "neu.pdf" << "";
}

// The real dialog adds ".pdf" to a name typed without an ending before it checks the name:
// it asks about the file that will be written, and only that one.
void TestSaveDialog::replacingAsksAboutTheFileWritten()
{
    QFETCH(QString, folder);
    QFETCH(QString, typed);
    QFETCH(QString, returned);
    QFETCH(QString, asked);

    const Watchdog watchdog(60);
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("klasse3b.pdf")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    if (folder.isEmpty())
        folder = dir.path();

    QString question;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name) {
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
            return;
        }
        dialog->setDirectory(folder);
        name->selectAll();
        QTest::keyClicks(name, typed);
        QTest::qWait(200); // the completer looks the name up
        if (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
        name->setText(typed); // as typed, not as completed
        // A question about replacing opens over the dialog: it is read and answered Yes.
        auto *answering = new QTimer(dialog);
        connect(answering, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                question = box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        answering->start(50);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save)->click();
    });
    QtDialogs dialogs;
    const std::optional<QString> chosen =
        dialogs.saveFileName(QStringLiteral("Kästchenblatt speichern"),
                             dir.filePath(QStringLiteral("Rechenblatt-einreihig-2226M9F.pdf")),
                             QStringLiteral("PDF-Dateien (*.pdf)"));
    QCOMPARE(chosen, std::optional<QString>(QDir(folder).filePath(returned)));
    if (asked.isEmpty())
        QVERIFY2(question.isEmpty(), qPrintable(question));
    else
        QVERIFY2(question.startsWith(asked), qPrintable(question));
}

QTEST_MAIN(TestSaveDialog)
#include "tst_save_dialog.moc"
