#include "trainers/common/exercise.h"

#include "training/diagnosis.h"

const char *const solvedProblemText = "Die Aufgabe wurde richtig gelöst.";
const char *const singleProblemTitle = "Malaufgabe";
const char *const gapProblemTitle = "Lückenaufgabe";

QString CaptionExercise::solvedText() const
{
    return QString::fromUtf8(solvedProblemText) + QStringLiteral("\r\r");
}

QString placeName(int place)
{
    const QString word = placeWord(place);
    return word.isEmpty() ? word : word + QStringLiteral("stelle");
}

QString CaptionExercise::fieldDescription(const QString &) const
{
    return QString();
}

CaptionExercise::Verdict CaptionExercise::drop(const QString &field, const std::optional<QChar> &digit)
{
    if (digit)
        m_captions[field] = QString(*digit);
    return caption(field) == expectedDigit(field) ? Verdict::Right : Verdict::Wrong;
}

QString CaptionExercise::joinedShown(const QStringList &names) const
{
    QString joined;
    for (const QString &name : names) {
        if (isShown(name))
            joined += caption(name);
    }
    return joined;
}

bool CaptionExercise::shownFieldsRight(const QStringList &fields) const
{
    for (const QString &field : fields) {
        if (isShown(field) && (caption(field).isEmpty() || caption(field) != expectedDigit(field)))
            return false;
    }
    return true;
}

QString CaptionExercise::problemText() const
{
    const WrittenMultiplication w = written();
    QString text = QStringLiteral("%1 \u00b7 %2").arg(w.multiplicand()).arg(w.multiplier());
    if (isGap())
        text += QStringLiteral(" (L\u00fccke)");
    return text;
}

std::optional<Cell> CaptionExercise::cellOf(const QString &name) const
{
    for (const NamedCell &named : namedCells()) {
        if (named.name == name)
            return named.cell;
    }
    return std::nullopt;
}

QString CaptionExercise::nameOf(const Cell &cell) const
{
    for (const NamedCell &named : namedCells()) {
        if (named.cell == cell)
            return named.name;
    }
    return QString();
}
