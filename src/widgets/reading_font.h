#pragma once

#include <QFont>

// The typeface for beginning readers the problems are written in: 1 and 7, 6 and 9 never
// look alike. The caller sets the size.
inline QFont readingFont(bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}
