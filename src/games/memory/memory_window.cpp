#include "games/memory/memory_window.h"

#include "seams/dialogs.h"
#include "seams/navigator.h"
#include "seams/services.h"
#include "widgets/clickable_label.h"
#include "widgets/window_geometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

namespace {

const char *const quitText = "  Dieses Spiel jetzt beenden?";
const char *const wonText = "\rPrima, du hast es geschafft!";
const char *const rulesText = "Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                              "die Einzelfelder an und suche so Zahlenpaare!";

constexpr int columns = 6;
constexpr int fieldWidth = 96;
constexpr int fieldHeight = 72;
constexpr int fieldGap = 12;
constexpr int frameLeft = 16;
constexpr int frameTop = 56;
constexpr int frameBorder = 8;
constexpr int frameWidth = 2 * frameBorder + columns * fieldWidth + (columns - 1) * fieldGap;
constexpr int frameHeight = 2 * frameBorder + 3 * fieldHeight + 2 * fieldGap;
constexpr int windowWidth = frameWidth + 2 * frameLeft;
constexpr int buttonTop = frameTop + frameHeight + 14;
constexpr int windowHeight = buttonTop + 30 + 14;

QString title()
{
    return QStringLiteral("Memory");
}

} // namespace

QColor MemoryWindow::fieldColour()
{
    return QColor(255, 246, 200);
}

QColor MemoryWindow::markedColour()
{
    return QColor(0, 0, 255);
}

MemoryWindow::MemoryWindow(Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_game(services.random)
    , m_scaler(this, QSize(windowWidth, windowHeight))
{
    setObjectName(QStringLiteral("memo"));
    setWindowTitle(title());
    // Drawn at this size; opens scaled to the screen and scales with the window.
    setMinimumSize(windowWidth, windowHeight);
    resize(windowWidth, windowHeight);
    QPalette formPalette = palette();
    formPalette.setColor(QPalette::Window, QColor(0, 96, 64));
    setPalette(formPalette);
    setAutoFillBackground(true);

    auto *heading = new QLabel(QStringLiteral("Finde die Zahlenpaare!"), this);
    heading->setGeometry(frameLeft, 8, frameWidth, 40);
    heading->setStyleSheet(QStringLiteral("color: white;"));
    QFont headingFont = heading->font();
    headingFont.setPixelSize(18);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Figur3"));
    frame->setGeometry(frameLeft, frameTop, frameWidth, frameHeight);
    frame->setStyleSheet(QStringLiteral("QFrame#Figur3 { border: 3px solid %1; border-radius: 6px; }")
                             .arg(fieldColour().name()));

    QFont fieldFont;
    fieldFont.setPixelSize(24);
    fieldFont.setBold(true);
    for (int k = 1; k <= MemoryGame::fieldCount; ++k) {
        const int column = (k - 1) % columns;
        const int row = (k - 1) / columns;
        auto *field = new ClickableLabel(this);
        field->setObjectName(QStringLiteral("Bezeichnung%1").arg(k));
        field->setAccessibleDescription(QStringLiteral("Feld %1").arg(k));
        field->setGeometry(frameLeft + frameBorder + column * (fieldWidth + fieldGap),
                           frameTop + frameBorder + row * (fieldHeight + fieldGap), fieldWidth,
                           fieldHeight);
        field->setAlignment(Qt::AlignCenter);
        field->setAutoFillBackground(true);
        field->setFont(fieldFont);
        field->setCursor(Qt::PointingHandCursor);
        connect(field, &ClickableLabel::clicked, this, [this, k] { clickField(k); });
        m_fields[k - 1] = field;
    }

    const auto button = [this](const char *name, const QString &text, int left) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, buttonTop, 140, 30);
        return b;
    };
    connect(button("Befehl2", QStringLiteral("Spielregeln"), frameLeft), &QPushButton::clicked,
            this, &MemoryWindow::showRules);
    connect(button("Befehl1", QStringLiteral("Ende"), frameLeft + frameWidth - 140),
            &QPushButton::clicked, this, &MemoryWindow::askQuit);

    render();
}

void MemoryWindow::clickField(int k)
{
    const MemoryGame::Outcome outcome = m_game.HandleFieldClick(k);
    render();
    if (outcome == MemoryGame::Outcome::Won)
        GameWon();
}

void MemoryWindow::GameWon()
{
    m_services.dialogs.message(title(), QString::fromUtf8(wonText));
    m_game.ResetBoard();
    render();
    m_services.navigator.endReward();
}

void MemoryWindow::askQuit()
{
    const Answer answer = m_services.dialogs.question(title(), QString::fromUtf8(quitText),
                                                      MessageIcon::Critical, Answer::Yes);
    if (answer != Answer::No)
        m_services.navigator.endReward();
}

void MemoryWindow::showRules()
{
    m_services.dialogs.message(title(), QString::fromUtf8(rulesText));
}

void MemoryWindow::startNewChild()
{
    m_game.ResetBoard();
    render();
}

void MemoryWindow::render()
{
    for (int k = 1; k <= MemoryGame::fieldCount; ++k) {
        ClickableLabel *field = m_fields[k - 1];
        const bool marked = m_game.isMarked(k);
        QPalette pal = field->palette();
        pal.setColor(QPalette::Window, marked ? markedColour() : fieldColour());
        pal.setColor(QPalette::WindowText, marked ? QColor(Qt::white) : QColor(0, 0, 128));
        field->setPalette(pal);
        QFont font = field->font();
        font.setItalic(marked);
        field->setFont(font);
        field->setText(m_game.caption(k));
    }
}

void MemoryWindow::showEvent(QShowEvent *event)
{
    if (!m_centred && !event->spontaneous()) {
        m_scaler.sizeForScreenOnce();
        centreOnScreen(this);
        m_centred = true;
    }
    QWidget::showEvent(event);
}

void MemoryWindow::resizeEvent(QResizeEvent *event)
{
    m_scaler.apply();
    QWidget::resizeEvent(event);
}

void MemoryWindow::closeEvent(QCloseEvent *event)
{
    // Closing the frame is leaving the game: back to the trainer, the board kept.
    event->ignore();
    m_services.navigator.endReward();
}
