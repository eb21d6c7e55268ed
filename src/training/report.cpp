#include "training/report.h"

namespace {

QString countOf(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// "a", "a und b", "a, b und c".
QString listed(const QStringList &items, const QString &last = QStringLiteral(" und "))
{
    if (items.size() <= 1)
        return items.value(0);
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + last + items.last();
}

// "Übertrag vergessen 2, Einmaleins 1", or "ohne Muster 2".
QString kindsText(const std::array<int, SessionStatistics::kindCount> &byKind, int unexplained)
{
    QStringList parts;
    for (ErrorKind kind : errorKinds()) {
        const int n = byKind[std::size_t(errorKindIndex(kind))];
        if (n > 0)
            parts << QStringLiteral("%1 %2").arg(errorKindName(kind)).arg(n);
    }
    if (unexplained > 0)
        parts << QStringLiteral("ohne Muster %1").arg(unexplained);
    return parts.join(QStringLiteral(", "));
}

// „Übertrag vergessen“
QString quoted(ErrorKind kind)
{
    return QStringLiteral("\u201e%1\u201c").arg(errorKindName(kind));
}

QList<Skill> factsIn(const SessionStatistics &statistics, TrainerKind trainer, SkillState state)
{
    QList<Skill> facts;
    for (int i = 0; i < Skill::factCount; ++i) {
        if (skillStateIn(statistics, trainer, Skill::fromIndex(i)) == state)
            facts << Skill::fromIndex(i);
    }
    return facts;
}

QStringList names(const QList<Skill> &skills)
{
    QStringList list;
    for (Skill skill : skills)
        list << skillName(skill);
    return list;
}

// The facts the child still practises, the weakest first, at most `most`.
QList<Skill> weakestFacts(const SessionStatistics &statistics, TrainerKind trainer, int most)
{
    QList<Skill> facts = factsIn(statistics, trainer, SkillState::Practising);
    std::stable_sort(facts.begin(), facts.end(), [&](Skill a, Skill b) {
        return statistics.skills().known(a) < statistics.skills().known(b);
    });
    return facts.mid(0, most);
}

// "Einmaleins: 24 Aufgaben sicher, 3 werden sicherer, 7 · 8 und 6 · 9 übt es noch"
QString factsLine(const SessionStatistics &statistics, TrainerKind trainer)
{
    constexpr int named = 6;
    const int mastered = int(factsIn(statistics, trainer, SkillState::Mastered).size());
    const int improving = int(factsIn(statistics, trainer, SkillState::Improving).size());
    const QList<Skill> practising = factsIn(statistics, trainer, SkillState::Practising);
    QStringList parts;
    if (mastered > 0)
        parts << countOf(mastered, "Aufgabe sicher", "Aufgaben sicher");
    if (improving > 0)
        parts << countOf(improving, "Aufgabe wird sicherer", "Aufgaben werden sicherer");
    if (!practising.isEmpty()) {
        QStringList shown = names(weakestFacts(statistics, trainer, named));
        if (practising.size() > named)
            shown << QStringLiteral("%1 weitere").arg(practising.size() - named);
        parts << listed(shown) + QStringLiteral(" übt es noch");
    }
    return parts.isEmpty() ? QString() : QStringLiteral("  Einmaleins: ") + parts.join(QStringLiteral(", "));
}

// What to practise with a pattern of errors.
QString adviceFor(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::CarryForgotten:
        return QStringLiteral("Aufgaben mit vielen Überträgen; den gemerkten Übertrag jedes Mal dazuzählen.");
    case ErrorKind::CarryAddedTooEarly:
        return QStringLiteral("Aufgaben mit vielen Überträgen; erst malnehmen, dann den Übertrag dazuzählen.");
    case ErrorKind::TensForOnes:
        return QStringLiteral("Aufgaben mit großen Produkten; den Einer schreiben, den Zehner merken.");
    case ErrorKind::OnesAsCarry:
        return QStringLiteral("Aufgaben mit großen Produkten; den Zehner als Übertrag merken, den Einer schreiben.");
    case ErrorKind::TimesTable:
        return QStringLiteral("das Einmaleins.");
    case ErrorKind::ZeroForgotten:
        return QStringLiteral("Teilprodukte mit Nullen; die Nullen zuerst schreiben.");
    case ErrorKind::PlaceShifted:
        return QStringLiteral("jede Ziffer genau unter ihre Stelle schreiben, Spalte für Spalte.");
    case ErrorKind::AdditionCarryForgotten:
        return QStringLiteral("das Addieren der Teilprodukte; die Überträge mitzählen.");
    }
    return QString();
}

QString adviceLine(const SessionStatistics &statistics, TrainerKind trainer,
                   const std::optional<ErrorEvidence::Pattern> &pattern)
{
    const QString weakFacts = listed(names(weakestFacts(statistics, trainer, 4)));
    QString advice;
    if (pattern && pattern->kinds.first() == ErrorKind::TimesTable && !weakFacts.isEmpty())
        advice = QStringLiteral("das Einmaleins mit %1.").arg(weakFacts);
    else if (pattern)
        advice = adviceFor(pattern->kinds.first());
    else {
        QStringList weak;
        for (MethodSkill method : methodSkills()) {
            if (skillStateIn(statistics, trainer, Skill::method(method)) == SkillState::Practising)
                weak << skillName(Skill::method(method));
        }
        if (!weakFacts.isEmpty())
            weak << QStringLiteral("das Einmaleins mit %1").arg(weakFacts);
        if (!weak.isEmpty())
            advice = listed(weak) + QLatin1Char('.');
    }
    if (advice.isEmpty())
        return QStringLiteral("  Als Nächstes: weiter so, mit neuen Aufgaben.");
    return QStringLiteral("  Als Nächstes üben: ") + advice;
}

// "  Auffällig: „Übertrag vergessen“ passt an 9 von 10 Stellen, an denen der Fehler möglich
// war, etwa in 5123 · 7 und 4810 · 6." "Einmaleins" names its facts.
QString patternLine(const ErrorEvidence &evidence, const ErrorEvidence::Pattern &pattern)
{
    QStringList kinds;
    for (ErrorKind kind : pattern.kinds) {
        QString text = quoted(kind);
        if (kind == ErrorKind::TimesTable) {
            QStringList facts;
            for (int fact : evidence.namedFacts())
                facts << skillName(Skill::fromIndex(fact));
            if (!facts.isEmpty())
                text += QStringLiteral(" bei ") + listed(facts);
        }
        kinds << text;
    }
    QString line = QStringLiteral("  Auffällig: %1 %2 an %3 von %4 Stellen, an denen der Fehler möglich war")
                       .arg(listed(kinds, QStringLiteral(" oder ")),
                            pattern.kinds.size() == 1 ? QStringLiteral("passt") : QStringLiteral("passen"))
                       .arg(pattern.fits)
                       .arg(pattern.occasions);
    if (!pattern.problems.isEmpty())
        line += QStringLiteral(", etwa in %1").arg(listed(pattern.problems));
    return line + QLatin1Char('.');
}

// "  Behoben: „Übertrag vergessen“, zuletzt richtig, wo der Fehler möglich war."
QString mendedLine(const QList<ErrorKind> &kinds)
{
    QStringList names;
    for (ErrorKind kind : kinds)
        names << quoted(kind);
    return QStringLiteral("  Behoben: %1, zuletzt richtig, wo der Fehler möglich war.").arg(listed(names));
}

} // namespace

std::optional<ErrorEvidence::Pattern> namedPattern(const SessionStatistics::Trainer &trainer)
{
    const QList<ErrorEvidence::Pattern> patterns = trainer.evidence.patterns();
    return patterns.isEmpty() ? std::nullopt : std::optional(patterns.first());
}

QList<ErrorEvidence::Pattern> namedPatterns(const SessionStatistics::Trainer &trainer)
{
    return trainer.evidence.patterns();
}

QString skillStateName(SkillState state)
{
    switch (state) {
    case SkillState::NotSeen: return QStringLiteral("noch nicht gesehen");
    case SkillState::Practising: return QStringLiteral("übt noch");
    case SkillState::Improving: return QStringLiteral("wird sicherer");
    case SkillState::Mastered: return QStringLiteral("sicher");
    }
    return QString();
}

SkillState skillStateIn(const SessionStatistics &statistics, TrainerKind trainer, Skill skill)
{
    const SessionStatistics::Trainer &t = statistics.trainer(trainer);
    if (!t.skillsShown.test(std::size_t(skill.index())))
        return SkillState::NotSeen;
    // What a kind the report names blames is not "sicher": it "übt noch".
    for (const ErrorEvidence::Pattern &pattern : t.evidence.patterns()) {
        for (ErrorKind kind : pattern.kinds) {
            if (skill.isFact() ? kind == ErrorKind::TimesTable && t.evidence.namedFacts().contains(skill.index())
                               : methodSkillsOf(kind).contains(skill.methodSkill()))
                return SkillState::Practising;
        }
    }
    return statistics.skills().state(skill);
}

QList<ErrorBar> errorBars(const SessionStatistics::Trainer &trainer)
{
    QList<ErrorBar> bars;
    for (ErrorKind kind : errorKinds())
        bars.append({kind, errorKindName(kind), trainer.byKind[std::size_t(errorKindIndex(kind))]});
    bars.append({std::nullopt, QStringLiteral("ohne Muster"), trainer.evidence.unexplained()});
    return bars;
}

ReportHeading reportHeading(const SessionStatistics &statistics)
{
    int total = 0;
    for (TrainerKind trainer : trainerKinds())
        total += statistics.trainer(trainer).rightDigits;
    const QString since =
        statistics.newChildAt
            ? QStringLiteral("seit „Neues Kind“ um %1 Uhr").arg(statistics.newChildAt->toString(QStringLiteral("H:mm")))
            : QStringLiteral("seit dem Programmstart");
    return {QStringLiteral("Auswertung: Malrechnen"), since, total,
            QStringLiteral("Richtige Ziffern aller Trainer: %1").arg(total)};
}

QStringList reportLines(const SessionStatistics &statistics)
{
    const ReportHeading heading = reportHeading(statistics);
    QStringList lines{heading.title + QLatin1Char(' ') + heading.since, heading.total};
    for (TrainerKind trainerKind : trainerKinds()) {
        const SessionStatistics::Trainer &t = statistics.trainer(trainerKind);
        lines << QString() << trainerKindName(trainerKind);
        if (!t.used()) {
            lines << QStringLiteral("  nicht geübt");
            continue;
        }
        lines << QStringLiteral("  Gelöste Aufgaben: %1 (%2, %3)")
                     .arg(t.solved())
                     .arg(countOf(t.singleSolved, "Malaufgabe", "Malaufgaben"),
                          countOf(t.gapSolved, "Lückenaufgabe", "Lückenaufgaben"));
        lines << QStringLiteral("  Richtige Ziffern: %1").arg(t.rightDigits);
        lines << QStringLiteral("  Fehler: %1").arg(t.errors);
        if (t.estimateRightDigits > 0 || t.estimateErrors > 0)
            lines << QStringLiteral("  Überschlag: %1, %2")
                         .arg(countOf(t.estimateRightDigits, "richtige Ziffer", "richtige Ziffern"),
                              countOf(t.estimateErrors, "Fehler", "Fehler"));
        if (t.errors > 0) {
            lines << QStringLiteral("  Fehler nach Art: %1").arg(kindsText(t.byKind, t.evidence.unexplained()));
            lines << QStringLiteral("  Aufgaben mit den meisten Fehlern:");
            for (const SessionStatistics::ProblemErrors &p : t.worst)
                lines << QStringLiteral("    %1: %2 (%3)")
                             .arg(p.problem, countOf(p.errors, "Fehler", "Fehler"), kindsText(p.byKind, p.unexplained));
        }
        const struct
        {
            SkillState state;
            const char *label;
        } groups[] = {{SkillState::Mastered, "Sicher"},
                      {SkillState::Improving, "Wird sicherer"},
                      {SkillState::Practising, "Übt noch"}};
        for (const auto &group : groups) {
            QStringList skills;
            for (MethodSkill method : methodSkills()) {
                if (skillStateIn(statistics, trainerKind, Skill::method(method)) == group.state)
                    skills << skillName(Skill::method(method));
            }
            if (!skills.isEmpty())
                lines << QStringLiteral("  %1: %2").arg(QString::fromUtf8(group.label), skills.join(QStringLiteral(", ")));
        }
        if (const QString facts = factsLine(statistics, trainerKind); !facts.isEmpty())
            lines << facts;
        const QList<ErrorEvidence::Pattern> patterns = namedPatterns(t);
        for (const ErrorEvidence::Pattern &pattern : patterns)
            lines << patternLine(t.evidence, pattern);
        QList<ErrorKind> mended;
        for (ErrorKind kind : errorKinds()) {
            if (t.evidence.mended(kind))
                mended << kind;
        }
        if (!mended.isEmpty())
            lines << mendedLine(mended);
        const std::optional<ErrorEvidence::Pattern> pattern =
            patterns.isEmpty() ? std::nullopt : std::optional(patterns.first());
        if (pattern || t.skillsShown.any())
            lines << adviceLine(statistics, trainerKind, pattern);
    }
    return lines;
}
