#pragma once

#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "scripted_random.h"
#include "shell/application.h"

#include <QWidget>

// The whole program with scripted dialogs, draws, printer and clipboard; the menu is shown.
// Ending the program only sets quitCalled.
struct TestProgram
{
    FakeDialogs dialogs;
    ScriptedRandom random;
    FakePrinter printer;
    FakeClipboard clipboard;
    Application app;
    bool quitCalled = false;

    // `realPrinter` replaces the fake one, for tests of the real print path.
    explicit TestProgram(Printer *realPrinter = nullptr)
        : app(dialogs, random, realPrinter ? realPrinter : &printer, &clipboard)
    {
        app.registry().setQuitHandler([this] { quitCalled = true; });
        app.start();
    }

    QWidget *menu() { return app.registry().window(WindowId::Menu); }

    // Shows a window the way the program moves between its windows.
    template<typename W = QWidget>
    W *open(WindowId id)
    {
        app.registry().switchTo(id);
        return qobject_cast<W *>(app.registry().window(id));
    }
};
