#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

// The style's standard icons (of the message boxes, and of the OK, Yes, No and Cancel
// buttons), each made once and then handed out again. Qt's styles read them anew from
// their image files on every request, and each box that shows one leaves a copy in
// QPixmapCache under a key of its own (the key names the new picture): one to two KB per
// message box, until the cache is full at 10 MB after some ten thousand boxes.
class StandardIconStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    explicit StandardIconStyle(const QString &baseStyle);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override;

private:
    mutable QHash<int, QIcon> m_icons;
};

// Puts the application's style behind StandardIconStyle, once; before the first window.
void keepStandardIcons();
