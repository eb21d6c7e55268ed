#pragma once

#include "training/session_statistics.h"

#include <QStringList>

// The kinds a trainer's report names in its "Auffällig:" line: a pattern of the evidence
// that stands out (see ErrorEvidence::Pattern), or nothing.
std::optional<ErrorEvidence::Pattern> namedPattern(const SessionStatistics::Trainer &trainer);
// Every pattern the report names, strongest first (ErrorEvidence::patterns).
QList<ErrorEvidence::Pattern> namedPatterns(const SessionStatistics::Trainer &trainer);

// What the report says first: "Auswertung: Malrechnen", the time it covers ("seit dem
// Programmstart", "seit „Neues Kind“ um 10:42 Uhr") and the right digits of all trainers
// together, which a locked print of the report asks for.
struct ReportHeading
{
    QString title;
    QString since;
    int rightDigits = 0;
    QString total; // "Richtige Ziffern aller Trainer: 17"
};
ReportHeading reportHeading(const SessionStatistics &statistics);

// The teacher's report of this run as plain lines: the heading (title and time on one line,
// the total on the next), then per trainer the problems solved, right
// digits, errors, the digits of the Überschlag apart (where there were any), errors by kind,
// the problems with the most errors; the skills its digits showed in three groups
// ("Sicher", "Wird sicherer", "Übt noch") and the times-table facts; an "Auffällig:" line
// where a pattern stands out, with up to three problems where it appeared; and one line on
// what to practise next.
QStringList reportLines(const SessionStatistics &statistics);

// What the report window draws.

// "sicher", "wird sicherer", "übt noch", "noch nicht gesehen".
QString skillStateName(SkillState state);
// The state of a skill as a trainer's report shows it: the child's, where a digit in this
// trainer showed it, else not seen.
SkillState skillStateIn(const SessionStatistics &statistics, TrainerKind trainer, Skill skill);

// One bar of the errors by kind: a kind and the wrong digits counted for it (each for the
// kind its hint asked about), or (no kind) the wrong digits that fit none.
struct ErrorBar
{
    std::optional<ErrorKind> kind;
    QString name; // the kind's name, "ohne Muster"
    int errors = 0;
};
// Every kind in the order of errorKinds(), then the digits without a kind.
QList<ErrorBar> errorBars(const SessionStatistics::Trainer &trainer);
