#pragma once

#include <QPushButton>
#include <optional>

class QMimeData;

// The format a dragged digit key carries; nothing else counts as a digit.
extern const char *const digitMimeType;

std::unique_ptr<QMimeData> digitMimeData(QChar digit);
// The digit a drop carries, or nothing for any other data (files, text, an empty drop).
std::optional<QChar> digitFromMime(const QMimeData *data);

// One of the ten keys "0" to "9" along the bottom of a trainer; dragged onto a field.
class DigitKey : public QPushButton
{
    Q_OBJECT
public:
    DigitKey(QChar digit, QWidget *parent = nullptr);

    QChar digit() const { return m_digit; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // A key tapped to be placed is yellow in an orange frame until it is placed.
    void paintEvent(QPaintEvent *event) override;

private:
    QChar m_digit;
    QPoint m_pressedAt;
    bool m_pressed = false;
};
