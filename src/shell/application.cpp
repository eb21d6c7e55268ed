#include "shell/application.h"

#include <QTime>

#include "games/catching/catching_window.h"
#include "games/memory/memory_window.h"
#include "platform/qt_clipboard.h"
#include "platform/printer_on_demand.h"
#include "shell/class_room.h"
#include "shell/info_window.h"
#include "shell/main_menu.h"
#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_window.h"
#include "trainers/three_row/three_row_window.h"
#include "trainers/two_row/two_row_window.h"

#include <QTimer>

Application::Application(Dialogs &dialogs, RandomSource &random, Printer *printer,
                         Clipboard *clipboard)
    : m_systemPrinter(printer ? nullptr : std::make_unique<PrinterOnDemand>())
    , m_systemClipboard(clipboard ? nullptr : std::make_unique<QtClipboard>())
    , m_services{dialogs,
                 random,
                 m_registry,
                 printer ? *printer : *m_systemPrinter,
                 clipboard ? *clipboard : *m_systemClipboard,
                 m_training}
{
    m_classRoom = std::make_unique<ClassRoom>(m_training, dialogs);
    QObject::connect(m_classRoom.get(), &ClassRoom::childChanged, &m_stepper, [this] { showChild(); });
    m_registry.registerWindow(WindowId::Menu, [this] {
        auto *menu = new MainMenu(m_services);
        menu->setClassRoom(m_classRoom.get());
        return menu;
    });
    m_registry.registerWindow(WindowId::OneRow, [this] { return new OneRowWindow(m_services); });
    m_registry.registerWindow(WindowId::TwoRow, [this] { return new TwoRowWindow(m_services); });
    m_registry.registerWindow(WindowId::ThreeRow, [this] { return new ThreeRowWindow(m_services); });
    m_registry.registerWindow(WindowId::Memory, [this] { return new MemoryWindow(m_services); });
    m_registry.registerWindow(WindowId::Catching, [this] { return new CatchingWindow(m_services); });
    m_registry.registerWindow(WindowId::Info, [this] {
        auto *info = new InfoWindow(m_services);
        QObject::connect(info, &InfoWindow::closedByFrame, info,
                         [this] { m_registry.unload(WindowId::Info); });
        QObject::connect(info, &InfoWindow::newChildConfirmed, info, [this] { startNewChild(); });
        info->setClassRoom(m_classRoom.get());
        QObject::connect(info, &InfoWindow::changeChildRequested, info, [this] { changeChild(); });
        return info;
    });
}

Application::~Application() = default;

void Application::start()
{
    m_registry.switchTo(WindowId::Menu);
}

void Application::startNewChild()
{
    m_training.startNewChild();
    m_training.statistics.newChildAt = QTime::currentTime();
    // A trainer deals a fresh problem whenever it is shown, and Zahlfange starts afresh.
    if (m_registry.current() != WindowId::Menu)
        m_registry.switchTo(WindowId::Menu);
    showChild();
}

void Application::changeChild()
{
    if (m_registry.current() != WindowId::Menu)
        m_registry.switchTo(WindowId::Menu);
    m_classRoom->leave();
}

void Application::showChild()
{
    for (WindowId id : {WindowId::OneRow, WindowId::TwoRow, WindowId::ThreeRow}) {
        if (auto *trainer = qobject_cast<TrainerWindow *>(m_registry.built(id)))
            trainer->startNewChild();
    }
    if (auto *memory = qobject_cast<MemoryWindow *>(m_registry.built(WindowId::Memory)))
        memory->startNewChild();
}

void Application::prepareInAdvance()
{
    const bool idle = m_steps.isEmpty();
    for (const WindowId id : {WindowId::OneRow, WindowId::TwoRow, WindowId::ThreeRow}) {
        m_steps.append([this, id] {
            m_registry.window(id);
            return false;
        });
        m_steps.append([this, id] {
            return static_cast<TrainerWindow *>(m_registry.window(id))->prepareFirstShowing();
        });
    }
    if (idle)
        QTimer::singleShot(0, &m_stepper, [this] { takeNextStep(); });
}

void Application::takeNextStep()
{
    if (m_steps.isEmpty())
        return;
    // A step that has more to do stays first.
    if (!m_steps.first()())
        m_steps.removeFirst();
    if (!m_steps.isEmpty())
        QTimer::singleShot(0, &m_stepper, [this] { takeNextStep(); });
}
