#pragma once

#include <QChar>
#include <QList>

#include <functional>
#include <optional>

class DigitKey;
class QWidget;

// The ten digit keys along the bottom of a trainer. A key is dragged onto a field, or
// tapped to be chosen (it stays marked) and placed with a tap on a field; a second tap on
// the chosen key lets it go.
class KeyPad
{
public:
    // `tapped` hears every tap on a key.
    KeyPad(QWidget *window, std::function<void(QChar)> tapped);

    // Chooses `digit`, or lets it go when it is chosen already.
    void toggle(QChar digit);
    void letGo();
    std::optional<QChar> chosen() const { return m_chosen; }

private:
    QList<DigitKey *> m_keys;
    std::optional<QChar> m_chosen;
};
