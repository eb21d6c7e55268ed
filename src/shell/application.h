#pragma once

#include "seams/services.h"
#include "shell/window_registry.h"
#include "training/session_statistics.h"

#include <memory>

class Dialogs;
class RandomSource;
class Printer;
class Clipboard;

// The whole program: the window registry with every window registered, and the services
// the windows share. main() builds it with the real seams, tests with scripted ones; a
// printer or clipboard not handed in is the system's own.
class Application
{
public:
    Application(Dialogs &dialogs, RandomSource &random, Printer *printer = nullptr,
                Clipboard *clipboard = nullptr);
    ~Application();

    WindowRegistry &registry() { return m_registry; }
    Services &services() { return m_services; }

    // Shows the main menu.
    void start();
    // "Neues Kind": the run starts afresh for the next child, at the main menu: no points,
    // errors, progress, Memory game, report, skills or pattern of the child before. The
    // switches and the print lock stay.
    void startNewChild();

private:
    std::unique_ptr<Printer> m_systemPrinter;
    std::unique_ptr<Clipboard> m_systemClipboard;
    WindowRegistry m_registry;
    Training m_training;
    Services m_services;
};
