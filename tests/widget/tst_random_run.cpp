#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "games/catching/catching_window.h"
#include "games/memory/memory_window.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/drop_field.h"
#include "trainers/common/trainer_window.h"
#include "widgets/clickable_label.h"

#include <QCheckBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <functional>
#include <random>

// A whole classroom afternoon in one test: the program as main() builds it, driven by a
// seeded stream of random clicks, drops, keys, timer steps and dialog answers over every
// window, with the program's promises checked after each event.
//
// MALRECHNEN_RANDOM_SEED replays a run (the seed is printed at the start);
// MALRECHNEN_RANDOM_EVENTS sets its length.
class TestRandomRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void longRandomRunKeepsEveryPromise();
};

namespace {

constexpr quint64 defaultSeed = 20261210;
constexpr int defaultEvents = 100000;

quint64 environmentNumber(const char *name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok, 0);
    return ok ? value : fallback;
}

const WindowId trainerIds[] = {WindowId::OneRow, WindowId::TwoRow, WindowId::ThreeRow};
const WindowId screenIds[] = {WindowId::Menu,   WindowId::OneRow, WindowId::TwoRow,
                              WindowId::ThreeRow, WindowId::Memory, WindowId::Catching};

// What the run has seen a trainer do, independently of the trainer's own counters.
struct Tally
{
    int accepted = 0;
    int refused = 0;
    int solvedSinceMemory = 0;
    bool catchingDue = false;
};

class RandomRun
{
public:
    explicit RandomRun(quint64 seed)
        : m_seed(seed)
        , m_rng(seed)
        , m_app(m_dialogs, m_random, &m_printer, &m_clipboard)
    {
        m_random.seed(seed);
        m_dialogs.answerWith = [this](const FakeDialogs::Call &) {
            m_lastAnswer = chance(50) ? Answer::Yes : Answer::No;
            return m_lastAnswer;
        };
        m_dialogs.enterWith = [this](const FakeDialogs::Call &) {
            m_entries << randomEntry();
            return m_entries.last();
        };
        m_dialogs.whileOpen = [this](const FakeDialogs::Call &call) { checkSolvedMessage(call); };
        m_app.registry().setQuitHandler([this] { m_quit = true; });
        m_app.start();
    }

    // Runs `events` events; false with a message once a promise is broken.
    bool run(int events)
    {
        for (m_event = 1; m_event <= events; ++m_event) {
            // The printer and the clipboard of a classroom: now and then no printer, a
            // stopped print server, another program holding the clipboard.
            static const char *const printFailures[] = {
                "Es ist kein Drucker eingerichtet.", "Der Drucker „Raum 12“ hat den Auftrag nicht angenommen."};
            m_printer.failure = chance(30) ? QString::fromUtf8(printFailures[below(2)]) : QString();
            m_clipboard.refuse = chance(20);
            m_entries.clear();
            const Before before = snapshot();
            step();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (m_quit) { // the program would end here; the next pupil starts it again
                m_quit = false;
                ++m_figures["program ended"];
                m_app.start();
            }
            if (!checkAll() || !checkPrintingAndCopying(before))
                return false;
            m_dialogs.clear();
        }
        return true;
    }

    QString failure() const { return m_failure; }
    qint64 checks() const { return m_checks; }
    const QMap<QString, int> &figures() const { return m_figures; }

private:
    // --- drawing ------------------------------------------------------------------
    int below(int n) { return int(m_rng() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template<typename T>
    T pick(const QList<T> &list) { return list.at(below(int(list.size()))); }

    std::optional<QString> randomEntry()
    {
        switch (below(9)) {
        case 6:
        case 7: return m_pointsShown; // the teacher who knows the password
        case 8: return m_pointsShown + QStringLiteral("\r");
        case 0: return std::nullopt;
        case 1: return QString();
        case 2: return QString(10000, QChar(u'7'));
        case 3: return QStringLiteral("Привет 九九 שלום");
        case 4: return QStringLiteral("12\r\n\t\x01\x1b");
        default: return QString::number(below(1000));
        }
    }

    // Anything but a digit key: what else a desktop lets a child drag onto a field.
    std::unique_ptr<QMimeData> foreignData()
    {
        auto data = std::make_unique<QMimeData>();
        switch (below(8)) {
        case 0: data->setUrls({QUrl::fromLocalFile(QStringLiteral("/home/schule/Bild.png"))}); break;
        case 1: data->setText(QString::number(below(10))); break;
        case 2:
            if (chance(5))
                data->setText(QString(1 << 20, QChar(u'7')));
            else
                data->setText(QString(below(5000), QChar(u'3')));
            break;
        case 3: break; // no data at all
        case 4: data->setData(QStringLiteral("application/x-unknown"), QByteArray(below(64), '\xff')); break;
        case 5: data->setData(QLatin1String(digitMimeType), QByteArray("77")); break;
        case 6: data->setData(QLatin1String(digitMimeType), QByteArray()); break;
        default: data->setData(QLatin1String(digitMimeType), QByteArray("\xc3\xa4")); break;
        }
        return data;
    }

    template<typename T>
    QList<T *> shown(QWidget *window)
    {
        QList<T *> list;
        for (T *w : window->findChildren<T *>()) {
            if (w->isVisibleTo(window))
                list << w;
        }
        return list;
    }

    // The two notices share text and place; the Memory one is light grey.
    static bool isMemoryNotice(const QWidget *notice)
    {
        return notice->styleSheet().contains(QColor(192, 192, 192).name());
    }

    void note(const QString &what)
    {
        m_recent.append(QStringLiteral("%1: %2").arg(m_event).arg(what));
        if (m_recent.size() > 12)
            m_recent.removeFirst();
        ++m_figures[what.section(QLatin1Char(' '), 0, 1)];
    }

    // --- events -------------------------------------------------------------------
    void step()
    {
        const WindowId current = m_app.registry().current();
        m_eventWindow = current;
        QWidget *window = m_app.registry().window(current);
        // The info window stands beside whatever is on screen.
        QWidget *info = m_app.registry().window(WindowId::Info);
        if (info && info->isVisible() && chance(25))
            return infoEvent(info);
        switch (current) {
        case WindowId::Menu: return menuEvent(window);
        case WindowId::Memory: return memoryEvent(qobject_cast<MemoryWindow *>(window));
        case WindowId::Catching: return catchingEvent(qobject_cast<CatchingWindow *>(window));
        default: return trainerEvent(current, qobject_cast<TrainerWindow *>(window));
        }
    }

    void infoEvent(QWidget *info)
    {
        const int roll = below(100);
        if (roll < 60) {
            note(QStringLiteral("info lock"));
            info->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))->click();
        } else if (roll < 80) {
            note(QStringLiteral("info Okay"));
            QTest::mouseClick(info->findChild<QWidget *>(QStringLiteral("Bezeichnung1")), Qt::LeftButton);
        } else if (roll < 90) {
            note(QStringLiteral("info Escape"));
            QTest::keyClick(info, Qt::Key_Escape);
        } else if (roll < 97) {
            note(QStringLiteral("info closed"));
            info->close();
        } else {
            note(QStringLiteral("info Neues Kind"));
            info->findChild<QPushButton *>(QStringLiteral("NeuesKind"))->click();
            // "Ja": the next child starts with nothing counted.
            if (m_lastAnswer == Answer::Yes)
                m_tally.clear();
        }
    }

    void menuEvent(QWidget *menu)
    {
        const int roll = below(100);
        if (roll < 3) {
            note(QStringLiteral("menu closed"));
            menu->close();
            return;
        }
        if (roll < 8) {
            note(QStringLiteral("menu quit"));
            QTest::mouseClick(menu->findChild<QWidget *>(QStringLiteral("Bild3")), Qt::LeftButton);
            return;
        }
        QList<ClickableLabel *> pictures;
        for (ClickableLabel *picture : shown<ClickableLabel>(menu)) {
            if (picture->objectName() != QLatin1String("Bild3"))
                pictures << picture;
        }
        ClickableLabel *picture = pick(pictures);
        note(QStringLiteral("menu ") + picture->objectName());
        QTest::mouseClick(picture, Qt::LeftButton);
    }

    // A drop, a placed key or a typed digit on `field`: the run works out beforehand what
    // the trainer must make of it, from the problem as it stands.
    void expectDrop(WindowId id, TrainerWindow *trainer, DropField *field,
                    std::optional<QChar> digit, const std::function<void()> &deliver)
    {
        const QString name = field->objectName();
        // Under the worksheet view a field takes nothing: no point, no error, no box.
        const bool isField = trainer->fieldNames().contains(name)
                             && !trainer->findChild<QWidget *>(QStringLiteral("Liste5"))->isVisible();
        const QString candidate = digit ? QString(*digit) : shownDigit(trainer, name);
        const bool right = !candidate.isEmpty() && candidate == expectedDigit(trainer, name);
        deliver();
        QCoreApplication::sendPostedEvents();
        if (!isField)
            return;
        Tally &tally = m_tally[int(id)];
        if (right) {
            ++tally.accepted;
            if (tally.accepted % Score::pointsPerCatching == 0)
                tally.catchingDue = true;
        } else {
            ++tally.refused;
            m_expectEmpty = {trainer, name}; // checked with the other promises
        }
    }

    void trainerEvent(WindowId id, TrainerWindow *trainer)
    {
        const QList<DropField *> fields = shown<DropField>(trainer);
        const QStringList order = trainer->focusOrder();
        const auto field = [&](const QString &name) { return trainer->findChild<DropField *>(name); };
        const int roll = below(1000);

        if (roll < 450 && !order.isEmpty()) { // a pupil who knows the answer, mostly in order
            QString next = pick(order);
            if (chance(80)) {
                for (const QString &name : order) {
                    if (shownDigit(trainer, name).isEmpty()) {
                        next = name;
                        break;
                    }
                }
            }
            DropField *target = field(next);
            const QString expected = expectedDigit(trainer, target->objectName());
            const QChar digit = expected.isEmpty() ? QChar(u'0') : expected.at(0);
            note(QStringLiteral("drop right ") + target->objectName());
            expectDrop(id, trainer, target, digit, [&] { deliverDrop(target, digitMimeData(digit).get()); });
        } else if (roll < 550 && !fields.isEmpty()) {
            DropField *target = pick(fields);
            const QChar digit(u'0' + below(10));
            note(QStringLiteral("drop key %1 on %2").arg(digit).arg(target->objectName()));
            expectDrop(id, trainer, target, digit, [&] { deliverDrop(target, digitMimeData(digit).get()); });
        } else if (roll < 600 && !fields.isEmpty()) {
            DropField *target = pick(fields);
            note(QStringLiteral("drop foreign ") + target->objectName());
            expectDrop(id, trainer, target, std::nullopt,
                       [&] { deliverDrop(target, foreignData().get()); });
        } else if (roll < 660) {
            const QList<DigitKey *> keys = shown<DigitKey>(trainer);
            DigitKey *key = pick(keys);
            note(QStringLiteral("choose key ") + key->text());
            QTest::mouseClick(key, Qt::LeftButton);
        } else if (roll < 720 && !fields.isEmpty()) {
            DropField *target = pick(fields);
            const std::optional<QChar> chosen = trainer->chosenKey();
            note(QStringLiteral("click field ") + target->objectName());
            if (chosen)
                expectDrop(id, trainer, target, chosen,
                           [&] { QTest::mouseClick(target, Qt::LeftButton); });
            else
                QTest::mouseClick(target, Qt::LeftButton);
        } else if (roll < 790 && !fields.isEmpty()) {
            DropField *target = chance(50) && !order.isEmpty() ? field(pick(order)) : pick(fields);
            const QString expected = expectedDigit(trainer, target->objectName());
            const QChar digit = chance(50) && !expected.isEmpty() ? expected.at(0)
                                                                  : QChar(u'0' + below(10));
            note(QStringLiteral("type on %1: %2").arg(target->objectName()).arg(digit));
            expectDrop(id, trainer, target, digit, [&] {
                QTest::keyClick(target, Qt::Key(Qt::Key_0 + digit.digitValue()));
            });
        } else if (roll < 820 && !fields.isEmpty()) {
            static const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                            Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_A, Qt::Key_Space};
            DropField *target = pick(fields);
            note(QStringLiteral("key on ") + target->objectName());
            target->setFocus();
            QTest::keyClick(target, moves[below(8)]);
        } else if (roll < 850) {
            QList<QPushButton *> buttons;
            for (QPushButton *button : shown<QPushButton>(trainer)) {
                if (!qobject_cast<DigitKey *>(button) && button->objectName() != QLatin1String("Befehl1"))
                    buttons << button;
            }
            QPushButton *button = pick(buttons);
            note(QStringLiteral("button ") + button->text());
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (roll < 950) {
            takeNotice(id, trainer);
        } else if (roll < 975) {
            note(QStringLiteral("trainer Ende"));
            QTest::mouseClick(trainer->findChild<QPushButton *>(QStringLiteral("Befehl1")), Qt::LeftButton);
        } else if (roll < 990) {
            note(QStringLiteral("trainer closed"));
            trainer->close();
        } else {
            note(QStringLiteral("trainer resized"));
            trainer->resize(trainer->minimumSize() + QSize(below(400), below(300)));
        }
    }

    void takeNotice(WindowId id, TrainerWindow *trainer)
    {
        QList<ClickableLabel *> notices;
        for (ClickableLabel *label : shown<ClickableLabel>(trainer))
            notices << label;
        if (notices.isEmpty())
            return;
        ClickableLabel *notice = pick(notices);
        note(QStringLiteral("notice ") + notice->objectName());
        Tally &tally = m_tally[int(id)];
        const bool memory = isMemoryNotice(notice);
        QTest::mouseClick(notice, Qt::LeftButton);
        if (memory) {
            tally.solvedSinceMemory = 0;
            ++m_figures["Memory taken"];
        } else {
            tally.catchingDue = false;
            ++m_figures["Zahlfange taken"];
        }
    }

    void memoryEvent(MemoryWindow *memo)
    {
        const int roll = below(100);
        if (roll < 85) {
            const int k = 1 + below(MemoryGame::fieldCount);
            note(QStringLiteral("memory field %1").arg(k));
            QTest::mouseClick(memo->findChild<QWidget *>(QStringLiteral("Bezeichnung%1").arg(k)),
                              Qt::LeftButton);
        } else if (roll < 92) {
            note(QStringLiteral("memory rules"));
            QTest::mouseClick(memo->findChild<QPushButton *>(QStringLiteral("Befehl2")), Qt::LeftButton);
        } else if (roll < 98) {
            note(QStringLiteral("memory Ende"));
            QTest::mouseClick(memo->findChild<QPushButton *>(QStringLiteral("Befehl1")), Qt::LeftButton);
        } else {
            note(QStringLiteral("memory closed"));
            memo->close();
        }
    }

    void catchingEvent(CatchingWindow *game)
    {
        const int roll = below(100);
        if (roll < 40 && !game->game().isOver()) {
            const QPoint target = game->game().digitCell(1);
            const QPoint at = game->game().catcher();
            using D = CatchingGame::Direction;
            const D direction = at.x() != target.x() ? (at.x() < target.x() ? D::Right : D::Left)
                                                     : (at.y() < target.y() ? D::Down : D::Up);
            note(QStringLiteral("catch towards"));
            game->moveCatcher(direction);
        } else if (roll < 60) {
            const QString arrow = QStringLiteral("Bild%1").arg(1 + below(4));
            note(QStringLiteral("catch arrow ") + arrow);
            QTest::mouseClick(game->findChild<QWidget *>(arrow), Qt::LeftButton);
        } else if (roll < 70) {
            static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right,
                                           Qt::Key_Space, Qt::Key_Escape};
            const Qt::Key key = keys[below(chance(10) ? 6 : 5)];
            note(QStringLiteral("catch key %1").arg(int(key)));
            QTest::keyClick(game, key);
        } else if (roll < 93) {
            note(QStringLiteral("catch tick"));
            game->step(); // the handler of Zeit1
        } else if (roll < 96) {
            note(QStringLiteral("catch speed"));
            game->findChild<QScrollBar *>(QStringLiteral("HBildlauf1"))->setValue(below(7));
        } else if (roll < 99) {
            note(QStringLiteral("catch ENDE"));
            QTest::mouseClick(game->findChild<QPushButton *>(QStringLiteral("Befehl1")), Qt::LeftButton);
        } else {
            note(QStringLiteral("catch closed"));
            game->close();
        }
    }

    // --- invariants ---------------------------------------------------------------
    bool expect(bool ok, const QString &what)
    {
        ++m_checks;
        if (!ok && m_failure.isEmpty())
            m_failure = QStringLiteral("seed %1, event %2: %3\nlast events:\n  %4")
                            .arg(m_seed)
                            .arg(m_event)
                            .arg(what, m_recent.join(QStringLiteral("\n  ")));
        return ok;
    }

    // While "Die Aufgabe wurde richtig gelöst." is open, the problem still stands behind
    // it: every box on screen holds its digit (only the carries of a single problem may
    // stay empty).
    void checkSolvedMessage(const FakeDialogs::Call &call)
    {
        if (call.title != QStringLiteral("Malaufgabe") && call.title != QStringLiteral("Lückenaufgabe"))
            return;
        auto *trainer = qobject_cast<TrainerWindow *>(m_app.registry().window(m_app.registry().current()));
        if (!expect(trainer, QStringLiteral("a solved message without a trainer on screen")))
            return;
        const QStringList fields = trainer->fieldNames();
        for (DropField *field : shown<DropField>(trainer)) {
            const QString name = field->objectName();
            if (!fields.contains(name) || field->accessibleDescription().startsWith(QStringLiteral("Übertrag")))
                continue;
            expect(!field->text().isEmpty() && field->text() == expectedDigit(trainer, name),
                   QStringLiteral("%1: \"%2\" reported solved with %3 reading \"%4\"")
                       .arg(trainer->objectName(), call.title, name, field->text()));
        }
    }

    // A problem finished on screen is reported at once, whatever finished it.
    bool checkNothingSolvedUnreported()
    {
        auto *trainer = qobject_cast<TrainerWindow *>(m_app.registry().window(m_app.registry().current()));
        return !trainer
               || expect(!trainer->exercise().isSolved(),
                         trainer->objectName() + QStringLiteral(": a finished problem stands unreported"));
    }

    bool checkAll()
    {
        countSolved();
        bool ok = m_failure.isEmpty() && checkScreens() && checkNothingSolvedUnreported();
        for (WindowId id : trainerIds)
            ok = ok && checkTrainer(id);
        ok = ok && checkRefusedFieldIsEmpty();
        ok = ok && checkCatching();
        return ok;
    }

    void countSolved()
    {
        for (const FakeDialogs::Call &call : std::as_const(m_dialogs.calls)) {
            if (call.title == QStringLiteral("Malaufgabe") || call.title == QStringLiteral("Lückenaufgabe")) {
                ++m_tally[int(m_eventWindow)].solvedSinceMemory;
                ++m_figures["problems solved"];
            }
        }
    }

    bool checkScreens()
    {
        int visible = 0;
        QWidget *shownWindow = nullptr;
        for (WindowId id : screenIds) {
            QWidget *w = m_app.registry().window(id);
            if (w && w->isVisible()) {
                ++visible;
                shownWindow = w;
            }
        }
        return expect(visible == 1, QStringLiteral("%1 of menu, trainers and games visible").arg(visible))
               && expect(shownWindow == m_app.registry().window(m_app.registry().current()),
                         QStringLiteral("the visible window is not the current one"));
    }

    bool checkTrainer(WindowId id)
    {
        auto *trainer = qobject_cast<TrainerWindow *>(m_app.registry().window(id));
        const Tally &tally = m_tally[int(id)];
        const Score &score = trainer->score();
        const QString name = trainer->objectName();
        const auto label = [trainer](const char *n) {
            return trainer->findChild<QLabel *>(QLatin1String(n))->text();
        };
        const bool memoryNoticeShown = [&] {
            for (ClickableLabel *notice : shown<ClickableLabel>(trainer)) {
                if (isMemoryNotice(notice))
                    return true;
            }
            return false;
        }();
        const int catchingNotices = int(shown<ClickableLabel>(trainer).size()) - (memoryNoticeShown ? 1 : 0);
        return expect(score.points() == tally.accepted,
                      QStringLiteral("%1: %2 points, %3 accepted drops")
                          .arg(name).arg(score.points()).arg(tally.accepted))
               && expect(score.errors() == tally.refused,
                         QStringLiteral("%1: %2 errors, %3 refused drops")
                             .arg(name).arg(score.errors()).arg(tally.refused))
               && expect(label("Bezeichnung16") == QString::number(tally.accepted)
                             && label("Bezeichnung22") == QString::number(tally.accepted),
                         name + QStringLiteral(": points labels"))
               && expect(label("Bezeichnung15") == QString::number(tally.refused)
                             && label("Bezeichnung23") == QString::number(tally.refused),
                         name + QStringLiteral(": errors labels"))
               && expect(score.solvedSinceMemory() == tally.solvedSinceMemory
                             && markerSteps(trainer) == qMin(tally.solvedSinceMemory, Score::problemsPerMemory),
                         QStringLiteral("%1: marker %2 steps up after %3 solved problems")
                             .arg(name).arg(markerSteps(trainer)).arg(tally.solvedSinceMemory))
               && expect(trackRect(trainer).contains(markerRect(trainer)),
                         name + QStringLiteral(": the marker has left its track"))
               && expect(memoryNoticeShown == score.isMemoryDue(),
                         name + QStringLiteral(": Memory notice and marker disagree"))
               && expect((catchingNotices == 1) == tally.catchingDue,
                         name + QStringLiteral(": Zahlfange notice shown without 50 new points, or lost"));
    }

    static QRect markerRect(QWidget *trainer)
    {
        return trainer->findChild<QWidget *>(QStringLiteral("Bild1"))->geometry();
    }

    // The track and the marker's own height above and below it.
    static QRect trackRect(QWidget *trainer)
    {
        const QRect track = trainer->findChild<QWidget *>(QStringLiteral("progressTrack"))->geometry();
        const int margin = markerRect(trainer).height();
        return QRect(0, track.top() - margin, trainer->width(), track.height() + 2 * margin);
    }

    bool checkRefusedFieldIsEmpty()
    {
        if (!m_expectEmpty.first)
            return true;
        const auto [trainer, name] = m_expectEmpty;
        m_expectEmpty = {};
        const QString caption = shownDigit(trainer, name);
        const QString shownText = trainer->findChild<QLabel *>(name)->text();
        return expect(caption.isEmpty() && shownText.isEmpty(),
                      QStringLiteral("%1 holds \"%2\" (shows \"%3\") after a refused drop")
                          .arg(name, caption, shownText));
    }

    bool checkCatching()
    {
        auto *window = qobject_cast<CatchingWindow *>(m_app.registry().window(WindowId::Catching));
        auto *timer = window->findChild<QTimer *>(QStringLiteral("Zeit1"));
        if (!expect(!timer->isActive() || window->isVisible(), QStringLiteral("Zeit1 runs behind a hidden game")))
            return false;
        const CatchingGame &game = window->game();
        const auto inGrid = [](QPoint p) {
            return p.x() >= CatchingGame::firstColumn && p.x() <= CatchingGame::lastColumn
                   && p.y() >= CatchingGame::firstRow && p.y() <= CatchingGame::lastRow;
        };
        if (!expect(inGrid(game.catcher()), QStringLiteral("Zahlfange cursor off the grid")))
            return false;
        if (!window->isVisible())
            return true;
        QSet<int> columns, rows;
        const int n = int(game.digitsLeft().size());
        for (int i = 1; i <= n; ++i) {
            const QPoint cell = game.digitCell(i);
            if (!expect(inGrid(cell), QStringLiteral("Zahlfange digit %1 off the grid").arg(i)))
                return false;
            columns << cell.x();
            rows << cell.y();
        }
        return expect(columns.size() == n && rows.size() == n,
                      QStringLiteral("Zahlfange digits share a column or a row"));
    }

    // What printing and copying depend on, as it stood before an event.
    struct Before
    {
        bool locked = true;
        QString points; // as the trainer on screen shows them
        qsizetype jobs = 0;
        qsizetype copies = 0;
    };

    Before snapshot()
    {
        Before before;
        auto *info = m_app.registry().window(WindowId::Info);
        before.locked = info->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))->isChecked();
        if (auto *trainer = qobject_cast<TrainerWindow *>(m_app.registry().window(m_app.registry().current())))
            before.points = trainer->findChild<QLabel *>(QStringLiteral("Bezeichnung16"))->text();
        m_pointsShown = before.points;
        before.jobs = m_printer.jobs.size() + m_printer.pdfJobs.size(); // text and squared paper
        before.copies = m_clipboard.texts.size();
        return before;
    }

    int messages(const QString &part) const
    {
        int n = 0;
        for (const FakeDialogs::Call &call : m_dialogs.calls)
            n += call.kind == FakeDialogs::Kind::Message && call.text.contains(part) ? 1 : 0;
        return n;
    }

    // A print goes out only past the lock, is reported printing only when the printer took
    // it, and a copy is reported only when the clipboard took it.
    bool checkPrintingAndCopying(const Before &before)
    {
        const qsizetype jobs = m_printer.jobs.size() + m_printer.pdfJobs.size() - before.jobs;
        const int printing = messages(QStringLiteral(" wird gedruckt ..."));
        const int notPrinted = messages(QStringLiteral(" wurde nicht gedruckt."));
        if (jobs > 0)
            ++m_figures[m_printer.failure.isEmpty() ? "print jobs printed" : "print jobs failed"];
        const bool unlocked = !before.locked || m_entries.contains(before.points);
        bool ok = expect(jobs <= 1, QStringLiteral("%1 print jobs from one click").arg(jobs))
                  && expect(jobs == 0 || unlocked,
                            QStringLiteral("printed past the lock (entries %1, points %2)")
                                .arg(m_entries.size()).arg(before.points))
                  && expect(printing == (jobs == 1 && m_printer.failure.isEmpty() ? 1 : 0),
                            QStringLiteral("\"wird gedruckt\" %1 times, %2 jobs, failure \"%3\"")
                                .arg(printing).arg(jobs).arg(m_printer.failure))
                  && expect(notPrinted == (jobs == 1 && !m_printer.failure.isEmpty() ? 1 : 0),
                            QStringLiteral("a failed print not reported"))
                  && expect(notPrinted == 0 || messages(m_printer.failure) == 1,
                            QStringLiteral("a failed print without its reason"));
        const qsizetype copies = m_clipboard.texts.size() - before.copies;
        const int copied = messages(QStringLiteral("wurden in die Ablage kopiert"));
        const int refused = messages(QStringLiteral("Die Zwischenablage hat den Text nicht angenommen"));
        if (copied + refused > 0)
            ++m_figures[copied ? "copies taken" : "copies refused"];
        ok = ok && expect(copied == copies && copies <= 1,
                          QStringLiteral("%1 copies reported, %2 taken").arg(copied).arg(copies))
             && expect(refused == 0 || (m_clipboard.refuse && copies == 0),
                       QStringLiteral("a taken copy reported refused"));
        return ok;
    }

    quint64 m_seed;
    std::mt19937_64 m_rng;
    FakeDialogs m_dialogs;
    ScriptedRandom m_random;
    FakePrinter m_printer;
    FakeClipboard m_clipboard;
    QList<std::optional<QString>> m_entries;
    QString m_pointsShown;
    Application m_app;
    bool m_quit = false;
    Answer m_lastAnswer = Answer::No;
    int m_event = 0;
    qint64 m_checks = 0;
    QHash<int, Tally> m_tally;
    WindowId m_eventWindow = WindowId::Menu;
    std::pair<TrainerWindow *, QString> m_expectEmpty{nullptr, QString()};
    QStringList m_recent;
    QString m_failure;
    QMap<QString, int> m_figures;
};

} // namespace

void TestRandomRun::longRandomRunKeepsEveryPromise()
{
    // The offscreen platform cannot raise a window; said a hundred thousand times it
    // would bury the result.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                                         const QString &message) {
        if (message != QLatin1String("This plugin does not support raise()"))
            previous(type, context, message);
    });

    const quint64 seed = environmentNumber("MALRECHNEN_RANDOM_SEED", defaultSeed);
    const int events = int(environmentNumber("MALRECHNEN_RANDOM_EVENTS", defaultEvents));
    qInfo("random run: seed %llu, %d events (MALRECHNEN_RANDOM_SEED=%llu replays it)", seed, events,
          seed);
    QElapsedTimer clock;
    clock.start();
    RandomRun run(seed);
    const bool ok = run.run(events);
    qInfo("random run: %lld invariant checks in %.1f s", run.checks(), clock.elapsed() / 1000.0);
    for (auto it = run.figures().cbegin(); it != run.figures().cend(); ++it)
        qInfo("  %s: %d", qPrintable(it.key()), it.value());
    qInstallMessageHandler(previous);
    QVERIFY2(ok, qPrintable(run.failure()));
}

QTEST_MAIN(TestRandomRun)
#include "tst_random_run.moc"
