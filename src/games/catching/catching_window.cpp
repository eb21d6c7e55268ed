#include "games/catching/catching_window.h"

#include "seams/dialogs.h"
#include "seams/navigator.h"
#include "seams/services.h"
#include "widgets/clickable_label.h"
#include "widgets/window_geometry.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>

namespace {

const char *const quitText = "  Dieses Spiel jetzt beenden?";
const char *const endText = "  Das Spiel ist beendet!";

constexpr double cellPoints = 14.0;
constexpr double pixelsPerPoint = 96.0 / 72.0; // the twips scale: 96 dpi
constexpr double fontPoints = 13.5;
constexpr int restingInterval = 1000;
constexpr int startSpeed = 2;
const QRect boardRect(8, 48, 466, 284);
const QSize designSize(640, 380);

QString title()
{
    return QStringLiteral("Zahlfange");
}

QFont boldFont(int pixelSize)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QFont gridFont(qreal scale)
{
    QFont font;
    font.setPointSizeF(fontPoints * scale);
    return font;
}

// An arrow on a round tile; `turns` quarter turns clockwise from pointing right.
QPixmap arrowPixmap(int size, int turns)
{
    const qreal ratio = 2.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 80), 1.5));
    painter.setBrush(QColor(60, 110, 200));
    painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 5.0, size / 5.0);
    painter.translate(size / 2.0, size / 2.0);
    painter.rotate(90.0 * turns);
    const qreal s = size / 2.0;
    const QPolygonF arrow({QPointF(0.55 * s, 0), QPointF(0.0, -0.5 * s), QPointF(0.0, -0.2 * s),
                           QPointF(-0.55 * s, -0.2 * s), QPointF(-0.55 * s, 0.2 * s),
                           QPointF(0.0, 0.2 * s), QPointF(0.0, 0.5 * s)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(arrow);
    return pixmap;
}

// Figur1: the playing area. Its fill colour is the background the digits jump on.
class PlayingArea : public QWidget
{
public:
    PlayingArea(const CatchingWindow &window, QWidget *parent)
        : QWidget(parent)
        , m_window(window)
    {
        setObjectName(QStringLiteral("Figur1"));
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const CatchingGame &game = m_window.game();
        QPainter painter(this);
        painter.fillRect(rect(), CatchingWindow::backgroundColour());
        painter.setPen(QColor(120, 140, 180));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(CatchingWindow::digitColour());
        painter.setFont(gridFont(m_window.boardScale()));
        const QString digits = game.digitsLeft();
        for (int i = 1; i <= digits.size(); ++i)
            drawAt(painter, game.digitCell(i), digits.at(i - 1));
        // The catcher in a colour of its own, bold: the child finds it at a glance among
        // the digits.
        QFont bold = painter.font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(CatchingWindow::catcherColour());
        drawAt(painter, game.catcher(), QLatin1Char('+'));
    }

private:
    void drawAt(QPainter &painter, QPoint cell, QChar text)
    {
        painter.drawText(m_window.cellRect(cell), Qt::AlignLeft | Qt::AlignTop, QString(text));
    }

    const CatchingWindow &m_window;
};

} // namespace

QColor CatchingWindow::digitColour()
{
    return QColor(0, 0, 128);
}

QColor CatchingWindow::catcherColour()
{
    return QColor(205, 30, 0);
}

QColor CatchingWindow::backgroundColour()
{
    return QColor(255, 252, 220);
}

qreal CatchingWindow::boardScale() const
{
    return m_board ? m_board->width() / qreal(boardRect.width()) : 1.0;
}

QRect CatchingWindow::cellRect(QPoint cell) const
{
    const qreal scale = boardScale();
    const double x = (cell.x() * cellPoints * pixelsPerPoint - boardRect.left()) * scale;
    const double y = (cell.y() * cellPoints * pixelsPerPoint - boardRect.top()) * scale;
    const double side = cellPoints * pixelsPerPoint * scale;
    return QRect(int(x + 0.5), int(y + 0.5), int(side + 0.5), int(side + 4 * scale + 0.5));
}

CatchingWindow::CatchingWindow(Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_game(services.random)
    , m_scaler(this, designSize)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(title());
    // Drawn at this size; opens scaled to the screen and scales with the window.
    setMinimumSize(designSize);
    resize(designSize);
    setFocusPolicy(Qt::StrongFocus);
    QPalette formPalette = palette();
    formPalette.setColor(QPalette::Window, QColor(222, 232, 248));
    setPalette(formPalette);
    setAutoFillBackground(true);

    auto *heading = new QLabel(QStringLiteral("Fange die Zahlen der Reihe nach: 0, 1, 2 … 9!"), this);
    heading->setGeometry(8, 8, 466, 34);
    heading->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
    heading->setFont(boldFont(17));

    m_board = new PlayingArea(*this, this);
    m_board->setGeometry(boardRect);

    auto *nextCaption = new QLabel(QStringLiteral("Fange jetzt:"), this);
    nextCaption->setGeometry(490, 48, 140, 20);
    nextCaption->setAlignment(Qt::AlignCenter);
    m_next = new QLabel(this);
    m_next->setObjectName(QStringLiteral("Bezeichnung3"));
    m_next->setGeometry(530, 70, 60, 60);
    m_next->setAlignment(Qt::AlignCenter);
    m_next->setStyleSheet(QStringLiteral("background-color: %1; color: %2; border: 2px solid %2;"
                                         " border-radius: 8px;")
                              .arg(backgroundColour().name(), digitColour().name()));
    m_next->setFont(boldFont(40));

    const struct {
        const char *name;
        CatchingGame::Direction direction;
        QPoint at;
        int turns;
        const char *tip;
    } arrows[] = {
        {"Bild1", CatchingGame::Direction::Left, {490, 196}, 2, "nach links"},
        {"Bild2", CatchingGame::Direction::Up, {538, 150}, 3, "nach oben"},
        {"Bild3", CatchingGame::Direction::Down, {538, 242}, 1, "nach unten"},
        {"Bild4", CatchingGame::Direction::Right, {586, 196}, 0, "nach rechts"},
    };
    constexpr int arrowSize = 44;
    for (const auto &arrow : arrows) {
        auto *picture = new ClickableLabel(this);
        picture->setObjectName(QLatin1String(arrow.name));
        picture->setPixmap(arrowPixmap(arrowSize, arrow.turns));
        picture->setScaledContents(true);
        picture->setGeometry(QRect(arrow.at, QSize(arrowSize, arrowSize)));
        picture->setCursor(Qt::PointingHandCursor);
        picture->setToolTip(QString::fromUtf8(arrow.tip));
        const CatchingGame::Direction direction = arrow.direction;
        connect(picture, &ClickableLabel::clicked, this, [this, direction] { moveCatcher(direction); });
    }

    auto *end = new QPushButton(QStringLiteral("ENDE"), this);
    end->setObjectName(QStringLiteral("Befehl1"));
    end->setGeometry(490, 302, 140, 30);
    end->setFocusPolicy(Qt::NoFocus);
    connect(end, &QPushButton::clicked, this, &CatchingWindow::askQuit);

    auto *fast = new QLabel(QStringLiteral("schnell"), this);
    fast->setGeometry(8, 344, 62, 24);
    fast->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_speed = new QScrollBar(Qt::Horizontal, this);
    m_speed->setObjectName(QStringLiteral("HBildlauf1"));
    m_speed->setRange(1, 5);
    m_speed->setPageStep(1);
    m_speed->setValue(startSpeed);
    m_speed->setGeometry(78, 347, 318, 18);
    m_speed->setFocusPolicy(Qt::NoFocus);
    m_speed->setToolTip(QStringLiteral("Sekunden bis zum nächsten Sprung"));
    auto *slow = new QLabel(QStringLiteral("langsam"), this);
    slow->setGeometry(404, 344, 70, 24);
    slow->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Zeit1"));
    m_timer->setInterval(restingInterval);
    connect(m_timer, &QTimer::timeout, this, &CatchingWindow::step);
    connect(m_speed, &QScrollBar::valueChanged, this, [this](int seconds) {
        m_timer->setInterval(seconds * 1000);
        setFocus();
    });
}

void CatchingWindow::moveCatcher(CatchingGame::Direction direction)
{
    afterStep(m_game.move(direction));
}

void CatchingWindow::step()
{
    afterStep(m_game.tick());
}

void CatchingWindow::afterStep(bool caughtLast)
{
    render();
    if (!caughtLast)
        return;
    // The timer stops before the box opens: a tick behind the open box would find the
    // game over and report it again.
    stopTimer();
    m_services.dialogs.message(title(), QString::fromUtf8(endText));
    m_services.navigator.endReward();
}

void CatchingWindow::askQuit()
{
    // The pupil cannot move while the question is open, so the digits wait too.
    const bool running = m_timer->isActive();
    m_timer->stop();
    const Answer answer = m_services.dialogs.question(title(), QString::fromUtf8(quitText),
                                                      MessageIcon::Critical, Answer::Yes);
    if (answer == Answer::Yes)
        StopGame();
    else if (running)
        m_timer->start();
}

void CatchingWindow::StopGame()
{
    stopTimer();
    m_services.navigator.endReward();
}

void CatchingWindow::stopTimer()
{
    m_timer->stop();
    m_timer->setInterval(restingInterval);
}

void CatchingWindow::render()
{
    m_next->setText(m_game.nextDigit());
    m_board->update();
}

void CatchingWindow::showEvent(QShowEvent *event)
{
    // The program's own show is a new start; coming back from a minimised window is not.
    if (!event->spontaneous()) {
        m_scaler.sizeForScreenOnce();
        centreOnScreen(this);
        m_game.start();
        render();
        m_timer->setInterval(m_speed->value() * 1000);
        m_timer->start();
        setFocus();
    }
    QWidget::showEvent(event);
}

void CatchingWindow::resizeEvent(QResizeEvent *event)
{
    m_scaler.apply();
    QWidget::resizeEvent(event);
}

void CatchingWindow::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        m_timer->stop();
    QWidget::hideEvent(event);
}

void CatchingWindow::closeEvent(QCloseEvent *event)
{
    // Closing the frame is quitting without the question.
    event->ignore();
    StopGame();
}

void CatchingWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveCatcher(CatchingGame::Direction::Left); break;
    case Qt::Key_Up: moveCatcher(CatchingGame::Direction::Up); break;
    case Qt::Key_Down: moveCatcher(CatchingGame::Direction::Down); break;
    case Qt::Key_Right: moveCatcher(CatchingGame::Direction::Right); break;
    case Qt::Key_Escape: askQuit(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}
