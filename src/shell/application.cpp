#include "shell/application.h"

#include "games/catching/catching_window.h"
#include "games/memory/memory_window.h"
#include "shell/main_menu.h"
#include "trainers/one_row/one_row_window.h"
#include "trainers/three_row/three_row_window.h"
#include "trainers/two_row/two_row_window.h"

Application::Application(Dialogs &dialogs, RandomSource &random)
    : m_services{dialogs, random, m_registry, m_modul1}
{
    m_registry.registerWindow(WindowId::Menu, [this] {
        auto *menu = new MainMenu(m_services);
        menu->setEntryAvailable("Bild4", false);
        return menu;
    });
    m_registry.registerWindow(WindowId::OneRow, [this] { return new OneRowWindow(m_services); });
    m_registry.registerWindow(WindowId::TwoRow, [this] { return new TwoRowWindow(m_services); });
    m_registry.registerWindow(WindowId::ThreeRow, [this] { return new ThreeRowWindow(m_services); });
    m_registry.registerWindow(WindowId::Memory, [this] { return new MemoryWindow(m_services); });
    m_registry.registerWindow(WindowId::Catching, [this] { return new CatchingWindow(m_services); });
}

void Application::start()
{
    m_registry.switchTo(WindowId::Menu);
}
