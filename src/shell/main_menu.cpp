#include "shell/main_menu.h"

#include "platform/qt_dialogs.h"
#include "seams/navigator.h"
#include "seams/services.h"
#include "shell/child_picker.h"
#include "shell/class_room.h"
#include "shell/help_text.h"
#include "widgets/clickable_label.h"
#include "widgets/plain_look.h"
#include "widgets/window_geometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QShowEvent>

namespace {

constexpr int menuWidth = 620;
constexpr int menuHeight = 430;
constexpr int tileSize = 64;
// The heading and the greeting; the tiles write in the same type (see TileLabel).
constexpr int headingPixels = 22;
constexpr int greetingPixels = 15;

QFrame *decoration(QWidget *parent, const char *name, QFrame::Shape shape, const QRect &rect)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(shape);
    frame->setGeometry(rect);
    return frame;
}

} // namespace

MainMenu::MainMenu(Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_scaler(this, QSize(menuWidth, menuHeight))
{
    setObjectName(QStringLiteral("Form0"));
    setWindowTitle(QString::fromUtf8(menuCaption));
    // Drawn at this size; opens scaled to the screen like the trainers and scales with the
    // window.
    setMinimumSize(menuWidth, menuHeight);
    resize(menuWidth, menuHeight);

    auto *banner = decoration(this, "Figur1", QFrame::NoFrame, QRect(0, 0, menuWidth, 56));
    banner->setAutoFillBackground(true);
    setColour(banner, QPalette::Window, QColor(0, 0, 128));
    auto *heading = new QLabel(QString::fromUtf8(menuCaption), banner);
    heading->setGeometry(16, 0, menuWidth - 32, 56);
    heading->setFont(sizedFont(heading->font(), headingPixels, true));
    setColour(heading, QPalette::WindowText, Qt::white);

    m_help = new QPlainTextEdit(this);
    m_help->setObjectName(QStringLiteral("Text1"));
    m_help->setGeometry(16, 72, 320, 342);
    m_help->setReadOnly(true);
    // The help text is longer than its box at every size, so the scroll bar is there from
    // the start; the text is then laid out once, at the width it is shown at.
    m_help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_help->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_scaler.setDesignFontSize(m_help, 13);

    decoration(this, "Linie1", QFrame::VLine, QRect(344, 72, 4, 342));
    decoration(this, "Figur2", QFrame::StyledPanel, QRect(360, 72, 244, 136));
    decoration(this, "Linie2", QFrame::HLine, QRect(368, 214, 228, 12));
    decoration(this, "Figur3", QFrame::StyledPanel, QRect(360, 232, 244, 112));
    auto *hint = new QLabel(QStringLiteral("Wähle ein Training:"), this);
    hint->setGeometry(372, 78, 220, 22);

    struct Entry {
        const char *picture;
        const char *caption;
        const char *captionName;
        const char *tile;
        QColor colour;
        QPoint at;
    };
    const Entry entries[] = {
        {"Bild1", "einreihig", "Bezeichnung3", "×7", QColor(0, 128, 64), {374, 104}},
        {"Bild2", "zweireihig", "Bezeichnung4", "×27", QColor(0, 96, 176), {450, 104}},
        {"Bild5", "dreireihig", "Bezeichnung5", "×327", QColor(128, 64, 160), {526, 104}},
        {"Bild4", "Info", "Bezeichnung2", "i", QColor(200, 140, 0), {374, 248}},
        {"Bild3", "Ende", "Bezeichnung1", "✕", QColor(176, 32, 32), {526, 248}},
    };
    for (const Entry &entry : entries) {
        auto *picture = new TileLabel(QString::fromUtf8(entry.tile), entry.colour, this);
        picture->setObjectName(QLatin1String(entry.picture));
        picture->setGeometry(QRect(entry.at, QSize(tileSize, tileSize)));
        // Four characters take the smaller type.
        const bool longer = QString::fromUtf8(entry.tile).size() > 3;
        picture->setFont(sizedFont(picture->font(), longer ? greetingPixels : headingPixels, true));
        picture->setCursor(Qt::PointingHandCursor);
        picture->setAccessibleName(QString::fromUtf8(entry.caption));
        auto *caption = new QLabel(QString::fromUtf8(entry.caption), this);
        caption->setObjectName(QLatin1String(entry.captionName));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setGeometry(entry.at.x() - 4, entry.at.y() + tileSize + 2, tileSize + 8, 20);
    }
    auto *cheer = decoration(this, "Figur4", QFrame::NoFrame, QRect(360, 356, 244, 58));
    cheer->setAutoFillBackground(true);
    setColour(cheer, QPalette::Window, QColor(255, 243, 208));
    auto *greeting = new QLabel(QStringLiteral("Viel Spaß beim Rechnen!"), cheer);
    greeting->setGeometry(0, 0, 244, 58);
    greeting->setAlignment(Qt::AlignCenter);
    greeting->setFont(sizedFont(greeting->font(), greetingPixels, true));
    setColour(greeting, QPalette::WindowText, QColor(0, 0, 128));
    decoration(this, "Figur5", QFrame::VLine, QRect(480, 248, 4, 64));
    decoration(this, "Linie4", QFrame::HLine, QRect(0, 56, menuWidth, 4));

    const auto bind = [this](const char *name, auto action) {
        connect(findChild<ClickableLabel *>(QLatin1String(name)), &ClickableLabel::clicked, this,
                action);
    };
    bind("Bild1", [this] { m_services.navigator.switchTo(WindowId::OneRow); });
    bind("Bild2", [this] { m_services.navigator.switchTo(WindowId::TwoRow); });
    bind("Bild5", [this] { ShowThreeRowTrainer(); });
    bind("Bild4", [this] { m_services.navigator.showInfo(); });
    bind("Bild3", [this] { askQuit(); });
}

void MainMenu::ShowThreeRowTrainer()
{
    m_services.navigator.switchTo(WindowId::ThreeRow);
}

void MainMenu::askQuit()
{
    const Answer answer = m_services.dialogs.question(QString::fromUtf8(menuCaption),
                                                      QString::fromUtf8(quitQuestionText),
                                                      MessageIcon::Critical, Answer::No);
    if (answer != Answer::No)
        m_services.navigator.quit();
}

void MainMenu::ShowHelpText()
{
    m_help->setPlainText(QtDialogs::displayText(menuHelpText()));
}

void MainMenu::setVisible(bool visible)
{
    // Sized and scaled before its controls are shown, so that each of them hears of its
    // size once; the help text then follows in showEvent.
    if (visible && !m_sized) {
        m_scaler.sizeForScreenOnce();
        centreOnScreen(this);
        m_sized = true;
        m_scaler.apply();
    }
    QWidget::setVisible(visible);
}

void MainMenu::showEvent(QShowEvent *event)
{
    ShowHelpText();
    QWidget::showEvent(event);
}

void MainMenu::resizeEvent(QResizeEvent *event)
{
    // Until it is first shown the menu waits for the size it opens at, so that fonts and
    // tiles are made once, at that size.
    if (m_sized)
        m_scaler.apply();
    QWidget::resizeEvent(event);
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    // Closing the menu ends the whole program, hidden trainers included.
    event->accept();
    m_services.navigator.quit();
}

void MainMenu::setClassRoom(ClassRoom *room)
{
    m_room = room;
    m_picker = new ChildPicker(*room, m_scaler, QRect(0, 60, menuWidth, menuHeight - 60), this);
    // The teacher reaches the info window, and the program ends, while nobody has picked.
    m_picker->addAction(QStringLiteral("Info"), QStringLiteral("WerRechnetInfo"), [this] { m_services.navigator.showInfo(); });
    m_picker->addAction(QStringLiteral("Ende"), QStringLiteral("WerRechnetEnde"), [this] { askQuit(); });
    connect(room, &ClassRoom::classChanged, this, &MainMenu::showChildChoice);
    connect(room, &ClassRoom::childChanged, this, &MainMenu::showChildChoice);
    showChildChoice();
}

void MainMenu::showChildChoice()
{
    // Nothing is loaded to learn that there is no class.
    const bool choosing = m_room->hasClass() && !m_room->child();
    if (choosing)
        m_picker->refresh();
    m_picker->setVisible(choosing);
    m_picker->raise();
    if (auto *cheer = findChild<QFrame *>(QStringLiteral("Figur4"))) {
        if (auto *greeting = cheer->findChild<QLabel *>())
            greeting->setText(m_room->child() ? QStringLiteral("Viel Spaß beim Rechnen, %1!").arg(m_room->child()->name)
                                              : QStringLiteral("Viel Spaß beim Rechnen!"));
    }
}
