#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

// The toolkit's style as the program uses it, with two changes nobody sees:
// - The standard icons (of the message boxes, and of the OK, Yes, No and Cancel buttons) are
//   made once and then handed out again. Qt's styles read them anew from their image files
//   on every request, and each box that shows one leaves a copy in QPixmapCache under a key
//   of its own (the key names the new picture): one to two KB per message box, until the
//   cache is full at 10 MB after some ten thousand boxes.
// - A tall scroll bar is drawn a strip at a time. Qt fills a shaded area taller than about
//   96 pixels on threads of a pool it starts for that; on the menu's help box that cost the
//   start more than the fill itself (two threads, their memory, and waiting for them at
//   the end). Each strip is drawn whole and put in place: the same pixels.
class ProgramStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    explicit ProgramStyle(const QString &baseStyle);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override;

private:
    mutable QHash<int, QIcon> m_icons;
};

// Puts the application's style behind ProgramStyle, once; before the first window.
void useProgramStyle();
