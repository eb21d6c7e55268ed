#include "trainers/common/answer_key.h"

QString answerKeyText(qint64 value, int width)
{
    const QString padded = QString(width, QLatin1Char(' ')) + QString::number(value);
    return padded.right(width);
}

QString characterAt(const QString &text, int position)
{
    if (position < 1 || position > text.size())
        return QString();
    return text.at(position - 1);
}

QString characterFromRight(const QString &text, int position)
{
    return characterAt(text, text.size() - position + 1);
}
