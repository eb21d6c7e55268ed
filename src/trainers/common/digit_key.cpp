#include "trainers/common/digit_key.h"

#include "trainers/common/cell_look.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

const char *const digitMimeType = "application/x-malrechnen-digit";

std::unique_ptr<QMimeData> digitMimeData(QChar digit)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QLatin1String(digitMimeType), QString(digit).toLatin1());
    return data;
}

std::optional<QChar> digitFromMime(const QMimeData *data)
{
    if (!data || !data->hasFormat(QLatin1String(digitMimeType)))
        return std::nullopt;
    const QByteArray bytes = data->data(QLatin1String(digitMimeType));
    if (bytes.size() != 1 || bytes.at(0) < '0' || bytes.at(0) > '9')
        return std::nullopt;
    return QChar(QLatin1Char(bytes.at(0)));
}

DigitKey::DigitKey(QChar digit, QWidget *parent)
    : QPushButton(QString(digit), parent)
    , m_digit(digit)
{
    setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setCheckable(true); // a clicked key stays chosen until it is placed
    setAccessibleDescription(QStringLiteral("Zifferntaste"));
}

void DigitKey::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressedAt = event->position().toPoint();
    }
    QPushButton::mousePressEvent(event);
}

void DigitKey::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)
        || (event->position().toPoint() - m_pressedAt).manhattanLength()
               < QApplication::startDragDistance()) {
        QPushButton::mouseMoveEvent(event);
        return;
    }
    m_pressed = false;
    setDown(false);

    QPixmap picture(size() * devicePixelRatioF());
    picture.setDevicePixelRatio(devicePixelRatioF());
    picture.fill(Qt::transparent);
    render(&picture);

    auto *drag = new QDrag(this);
    drag->setMimeData(digitMimeData(m_digit).release());
    drag->setPixmap(picture);
    drag->setHotSpot(m_pressedAt);
    drag->exec(Qt::CopyAction);
}

void DigitKey::paintEvent(QPaintEvent *event)
{
    if (!isChecked()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    CellLook::paintBox(painter, rect(), CellLook::chosenKeyFill, CellLook::chosenKeyFrame, 3, 5);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
