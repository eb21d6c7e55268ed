#pragma once

#include "training/practice_log.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>

struct Training;

struct ChildEntry
{
    qint64 id = 0;
    QString name;    // a first name or a pseudonym
    QString colour;  // "#rrggbb", for its button
    QString initial; // the letter on its button
};

// When a child last practised and how much this week, for the teacher's overview.
struct ChildActivity
{
    qint64 lastMsecs = 0;   // the start of its last sitting; 0: never
    int solvedSince = 0;    // problems solved since the time asked about
};

// The class on this computer and each child's history: the seam between the program and
// where it keeps them (a file of SQLite, which the program loads only once a class exists).
// Every function runs on the window's thread; none of the practice log's waits for a disk.
class ClassStore
{
public:
    virtual ~ClassStore() = default;

    // Whether what the children do is kept. If not, problem() says why, in German, for the
    // teacher; practice goes on all the same.
    virtual bool isStoring() const = 0;
    virtual QString problem() const = 0;
    // Told (on whatever thread finds it) when storing stops later, e.g. on a full disk.
    virtual void setFailureHandler(std::function<void(const QString &)> handler) = 0;

    virtual bool hasClass() const = 0;
    virtual QString className() const = 0;
    virtual QList<ChildEntry> children() const = 0;

    // A new class with its teacher PIN (at least 4 digits) and its children, one name each.
    // False if a class exists or the file cannot be written (problem() says why).
    virtual bool setUpClass(const QString &name, const QString &pin, const QStringList &children) = 0;
    virtual bool renameClass(const QString &name) = 0;
    virtual std::optional<qint64> addChild(const QString &name) = 0;
    virtual bool renameChild(qint64 child, const QString &name) = 0;
    // The child with everything stored about it.
    virtual bool removeChild(qint64 child) = 0;
    // The class, its children and all their history: the file is gone.
    virtual bool removeClass() = 0;
    virtual bool checkPin(const QString &pin) const = 0;

    // History older than this many months is deleted (0: kept until the class is deleted).
    virtual int retentionMonths() const = 0;
    virtual bool setRetentionMonths(int months) = 0;

    // The child's points, errors, progress and what the tutor knows of it, rebuilt into
    // `training` from its history; what it does from now on goes to the log returned, which
    // lives until the next child starts or the store goes. Null if the child is unknown.
    virtual PracticeLog *startChild(qint64 child, Training &training) = 0;
    // The same for the teacher's overview, without starting a sitting.
    virtual void childState(qint64 child, Training &training) = 0;
    virtual ChildActivity activity(qint64 child, qint64 sinceMsecs) = 0;
    // Everything stored about the child, as a text a parent can read ("Auskunft").
    virtual QString disclosure(qint64 child) const = 0;
};
