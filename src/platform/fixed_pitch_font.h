#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>

// Header only: the sheet view and the printing library, which the program loads apart,
// both use these.

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

// `family` at `pointSize`, asked for as fixed-pitch with the Courier lookalikes after it.
// Where the family is missing, fontconfig may still hand out a font it does not know to be
// fixed-pitch; only loading the font tells (linedUp()), and that takes a few milliseconds.
inline QFont fixedPitchRequest(const QString &family, double pointSize)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    return font;
}

// `font`, or where its columns would not line up, whatever the system calls fixed at the
// same size and weight.
inline QFont linedUp(const QFont &font)
{
    if (linesUp(font))
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (font.pixelSize() > 0)
        fixed.setPixelSize(font.pixelSize());
    else
        fixed.setPointSizeF(font.pointSizeF());
    fixed.setBold(font.bold());
    return fixed;
}

// `family` at `pointSize`, or a fixed-pitch stand-in where `family` is missing, so that
// the columns of a sheet line up whatever font is found.
inline QFont fixedPitchFont(const QString &family, double pointSize)
{
    return linedUp(fixedPitchRequest(family, pointSize));
}
