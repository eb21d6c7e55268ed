#pragma once

#include "shell/modul1.h"
#include "shell/window_registry.h"
#include "ui/services.h"

class Dialogs;
class RandomSource;

// The whole program: the window registry with every window registered, and the services
// the windows share. main() builds it with the real seams, tests with scripted ones.
class Application
{
public:
    Application(Dialogs &dialogs, RandomSource &random);

    WindowRegistry &registry() { return m_registry; }
    Services &services() { return m_services; }

    // Shows the main menu.
    void start();

private:
    WindowRegistry m_registry;
    Modul1 m_modul1;
    Services m_services;
};
