#pragma once

#include "seams/services.h"
#include "shell/window_registry.h"
#include "training/session_statistics.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class Dialogs;
class RandomSource;
class Printer;
class Clipboard;
class ClassRoom;

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

    // The class on this computer and the child at it.
    ClassRoom &classRoom() { return *m_classRoom; }
    // "Kind wechseln": back to the menu's "Wer rechnet?"; the child's progress stays stored.
    void changeChild();

    // While the pupil reads the menu, after its first paint: builds the trainers and
    // prepares their first showing out of sight, one step per turn of the event loop, so a
    // click waits for one step at most and opening a trainer the first time only shows it.
    // A trainer opened before its turn is built then, as without this.
    void prepareInAdvance();
    bool isPreparing() const { return !m_steps.isEmpty(); }

private:
    void takeNextStep();

    std::unique_ptr<Printer> m_systemPrinter;
    std::unique_ptr<Clipboard> m_systemClipboard;
    WindowRegistry m_registry;
    Training m_training;
    Services m_services;
    std::unique_ptr<ClassRoom> m_classRoom;
    // The windows show the child at the computer: its points and errors, no old notices.
    void showChild();
    QList<std::function<bool()>> m_steps; // of prepareInAdvance(); true: not yet done
    QObject m_stepper;                    // whose timers go with the program
};
