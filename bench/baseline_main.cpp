#include "bare_window.h"
#include "widgets/after_first_paint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareWindow window;
    window.show();
    exitAfterFirstPaintIfAsked(&window);
    return app.exec();
}
