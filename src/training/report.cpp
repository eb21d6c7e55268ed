#include "training/report.h"

namespace {

QString countOf(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// "Übertrag vergessen 2, Einmaleins 1", or "ohne erkennbares Muster".
QString kindsText(const std::array<int, SessionStatistics::kindCount> &byKind, int errors)
{
    QStringList parts;
    int named = 0;
    for (ErrorKind kind : errorKinds()) {
        const int n = byKind[std::size_t(errorKindIndex(kind))];
        if (n > 0)
            parts << QStringLiteral("%1 %2").arg(errorKindName(kind)).arg(n);
        named += n;
    }
    if (errors > named)
        parts << QStringLiteral("ohne Muster %1").arg(errors - named);
    return parts.join(QStringLiteral(", "));
}

} // namespace

std::optional<ErrorKind> strikingKind(const SessionStatistics::Trainer &trainer)
{
    for (ErrorKind kind : errorKinds()) {
        const int n = trainer.byKind[std::size_t(errorKindIndex(kind))];
        if (n >= 3 && 2 * n >= trainer.errors)
            return kind;
    }
    return std::nullopt;
}

QStringList reportLines(const SessionStatistics &statistics)
{
    QStringList lines{QStringLiteral("Auswertung: Malrechnen seit dem Programmstart")};
    for (TrainerKind trainerKind : {TrainerKind::OneRow, TrainerKind::TwoRow, TrainerKind::ThreeRow}) {
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
        if (t.errors == 0)
            continue;
        lines << QStringLiteral("  Fehler nach Art: %1").arg(kindsText(t.byKind, t.errors));
        lines << QStringLiteral("  Aufgaben mit den meisten Fehlern:");
        for (const SessionStatistics::ProblemErrors &p : t.worst)
            lines << QStringLiteral("    %1: %2 (%3)")
                         .arg(p.problem, countOf(p.errors, "Fehler", "Fehler"),
                              kindsText(p.byKind, p.errors));
        if (const std::optional<ErrorKind> kind = strikingKind(t)) {
            const int n = t.byKind[std::size_t(errorKindIndex(*kind))];
            lines << QStringLiteral("  Auffällig: %1 von %2 Fehlern sind \u201e%3\u201c.")
                         .arg(n)
                         .arg(t.errors)
                         .arg(errorKindName(*kind));
        }
    }
    return lines;
}
