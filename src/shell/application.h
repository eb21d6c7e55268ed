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

private:
    std::unique_ptr<Printer> m_systemPrinter;
    std::unique_ptr<Clipboard> m_systemClipboard;
    WindowRegistry m_registry;
    Training m_training;
    Services m_services;
};
