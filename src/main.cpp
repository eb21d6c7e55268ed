#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/desktop_start.h"
#include "platform/freed_memory.h"
#include "platform/printer_on_demand.h"
#include "platform/program_icon.h"
#include "platform/program_style.h"
#include "seams/random_source.h"
#include "shell/application.h"
#include "widgets/after_first_paint.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <optional>

int main(int argc, char *argv[])
{
    returnLargeBlocksWhenFreed();
    std::optional<DesktopStart> starting(std::in_place);
    QApplication app(argc, argv);
    starting.reset();
    QApplication::setApplicationName(QStringLiteral("malrechnen"));
    QApplication::setApplicationVersion(QStringLiteral(MALRECHNEN_VERSION));
    // The desktop entry of that name gives task bars and docks the same icon as the menu.
    QApplication::setDesktopFileName(QStringLiteral("malrechnen"));

    // Every message box shows the same icons, not new copies that fill the pixmap cache.
    useProgramStyle();

    // The toolkit's own buttons speak German too ("Ja", "Nein", "Abbrechen").
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    QtDialogs dialogs;
    const auto random = makeSystemRandomSource();
    PrinterOnDemand printer;
    QtClipboard clipboard;
    Application program(dialogs, *random, &printer, &clipboard);
    program.start();
    QWidget *menu = program.registry().window(WindowId::Menu);
    // Handing the window system the icon's pictures takes a moment that the pupil would
    // otherwise wait for the menu; the task bar gets the icon right after. Then, while the
    // pupil reads the menu, the trainers get ready.
    afterFirstPaint(menu, [&program] {
        QApplication::setWindowIcon(programIcon());
        program.prepareInAdvance();
    });
    exitAfterFirstPaintIfAsked(menu);
    return app.exec();
}
