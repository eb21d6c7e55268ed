#pragma once

#include "store/store_on_demand.h"

#include <QDateTime>
#include <QObject>

#include <optional>

struct Training;
class Dialogs;

// The class on this computer as the windows meet it: whether there is one, its children,
// the child at the computer and the teacher's PIN. Without a class nothing is loaded and
// nothing written, and the program behaves as it always did.
class ClassRoom : public QObject
{
    Q_OBJECT
public:
    ClassRoom(Training &training, Dialogs &dialogs, const QString &file = classFilePath());
    ~ClassRoom() override;

    // A class is set up (the file is there; its library is loaded on first use).
    bool hasClass() const;
    // The store, loaded now if it is not yet; null (and said once) if it cannot be.
    ClassStore *store();
    QList<ChildEntry> children();
    QString className();
    // What the info window says about storing.
    QString storingState();

    // The child at the computer; nothing before one picked itself.
    std::optional<ChildEntry> child() const { return m_child; }
    // The child picks itself: its points, errors, progress and what the tutor knows come
    // back from its history, and what it does from now on is kept.
    bool pick(qint64 child);
    // "Kind wechseln": the list again, with nobody at the computer.
    void leave();
    // Where the session hands each event on, for the child at the computer.
    PracticeLog *practiceLog() const { return m_log; }

    // "Klasse einrichten": the text of what is wrong, or nothing when the class is set up.
    // `children` one name a line, or the lines of a CSV file (the first field of each).
    std::optional<QString> setUpClass(const QString &name, const QString &pin, const QString &pinAgain,
                                      const QString &children);
    // The names of a pasted list or a CSV file, one a line; a heading "Name" or
    // "Vorname" is skipped.
    static QStringList namesOf(const QString &text);

    // The teacher's PIN. Three wrong ones in a row lock it for a minute; while locked,
    // `waitSeconds` says how long.
    bool unlock(const QString &pin);
    int waitSeconds() const;

    // The child and everything stored about it; the class with all its children.
    bool removeChild(qint64 child);
    bool removeClass();

    // For tests: the clock of the lock.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

Q_SIGNALS:
    // Set up, renamed, a child added, renamed or removed, the class deleted.
    void classChanged();
    // A child picked itself, or left (child() is nothing then).
    void childChanged();
    // Storing stopped while the program ran (a full disk); said in German.
    void storingFailed(const QString &text);

private:
    Training &m_training;
    Dialogs &m_dialogs;
    StoreOnDemand m_store;
    bool m_told = false;
    std::optional<ChildEntry> m_child;
    PracticeLog *m_log = nullptr;
    int m_wrongPins = 0;
    QDateTime m_lockedUntil;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTimeUtc(); };
};
