#pragma once

#include "arithmetic/written_multiplication.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class RandomSource;

// One problem as a trainer window shows it: the caption of every label the problem writes
// (by the label's name), which of them are shown, and the rule that checks a digit
// dropped on an answer field. Every trainer's single and gap problems are exercises.
class CaptionExercise
{
public:
    enum class Verdict { Right, Wrong };

    virtual ~CaptionExercise() = default;

    // Clears the fields and deals a new problem.
    virtual void deal(RandomSource &random) = 0;
    // The answer fields, in the order a pupil writes them.
    virtual QStringList fieldNames() const = 0;
    // The digit the written computation expects in `field`, as the fields stand now.
    virtual QString expectedDigit(const QString &field) const = 0;
    virtual bool isSolved() const = 0;
    // Where a field or a digit of the problem stands in the written computation, for
    // screen readers ("Ergebnis, Zehnerstelle").
    virtual QString fieldDescription(const QString &field) const;
    // Title and text of the message that reports the problem solved.
    virtual QString solvedTitle() const = 0;
    virtual QString solvedText() const;

    // The drop procedure: a digit key writes its digit into the field, anything else
    // leaves the field as it is; then the field is compared with the expected digit.
    // A wrong field is left as dropped so the pupil sees it; clearField() empties it.
    Verdict drop(const QString &field, const std::optional<QChar> &digit);
    void clearField(const QString &field) { m_captions[field].clear(); }
    bool isField(const QString &name) const { return fieldNames().contains(name); }

    QString caption(const QString &name) const { return m_captions.value(name); }
    bool isShown(const QString &name) const { return m_shown.value(name, true); }
    const QHash<QString, QString> &captions() const { return m_captions; }
    const QHash<QString, bool> &visibility() const { return m_shown; }

    // Captions of `names` joined, skipping the hidden ones.
    QString joinedShown(const QStringList &names) const;

    // The problem on screen as a written multiplication, for hints and the report.
    virtual WrittenMultiplication written() const = 0;
    virtual bool isGap() const = 0;
    // "5123 · 47", a gap problem with " (Lücke)".
    QString problemText() const;
    // The cell a control of the problem shows, by the control's name, and back. Each
    // trainer has one table of them.
    std::optional<Cell> cellOf(const QString &name) const;
    QString nameOf(const Cell &cell) const;

    struct NamedCell
    {
        QString name;
        Cell cell;
    };

protected:
    // The controls of this problem with the cell each shows.
    virtual QList<NamedCell> namedCells() const = 0;
    // Every shown field of `fields` holds the digit it expects: nothing on screen is left
    // empty, whether the pupil has not written it yet or a wrong drop knocked it out.
    bool shownFieldsRight(const QStringList &fields) const;
    void setCaption(const QString &name, const QString &text) { m_captions[name] = text; }
    void setShown(const QString &name, bool shown) { m_shown[name] = shown; }

private:
    QHash<QString, QString> m_captions;
    QHash<QString, bool> m_shown;
};

// The German name of a place: 0 "Einerstelle", 1 "Zehnerstelle", ... 6 "Millionenstelle".
QString placeName(int place);

// "Die Aufgabe wurde richtig gelöst." and the titles of the solved messages.
extern const char *const solvedProblemText;
extern const char *const singleProblemTitle;
extern const char *const gapProblemTitle;
