#include "platform/standard_icons.h"

#include <QApplication>

StandardIconStyle::StandardIconStyle(const QString &baseStyle)
    : QProxyStyle(baseStyle)
{
}

QIcon StandardIconStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    // An option may ask for a variant (a direction, a state); those are not kept.
    if (option)
        return QProxyStyle::standardIcon(icon, option, widget);
    auto kept = m_icons.constFind(int(icon));
    if (kept == m_icons.constEnd())
        kept = m_icons.insert(int(icon), QProxyStyle::standardIcon(icon, option, widget));
    return *kept;
}

void keepStandardIcons()
{
    if (!qobject_cast<StandardIconStyle *>(QApplication::style()))
        QApplication::setStyle(new StandardIconStyle(QApplication::style()->name()));
}
