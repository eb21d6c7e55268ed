#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>

// Every character a sheet is written with takes the same width in `font`.
inline bool linesUp(const QFont &font)
{
    const QFontMetricsF metrics(font);
    const double pitch = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const QChar c : QStringLiteral("0123456789*-_."))
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), pitch))
            return false;
    return true;
}

// `family` at `pointSize`, or a fixed-pitch stand-in where `family` is missing, so that
// the columns of a sheet line up whatever font is found. (Header only: the sheet view and
// the printing library, which the program loads apart, both use it.)
inline QFont fixedPitchFont(const QString &family, double pointSize)
{
    // Where the family is missing, fontconfig may hand out a font it does not know to be
    // fixed-pitch; the Courier lookalikes come first, then whatever the system calls fixed.
    QFont font;
    font.setFamilies({family, QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    if (!linesUp(font)) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(pointSize);
    }
    return font;
}
