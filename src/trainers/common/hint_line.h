#pragma once

#include "arithmetic/written_multiplication.h"
#include "training/diagnosis.h"

#include <QList>
#include <QPointer>

#include <functional>
#include <optional>

class QLabel;
class QWidget;

// The hint line `Tipp` under the problem, with the digits its step uses highlighted. It
// shows what the session says: a hint after a wrong digit, the estimate while the
// Überschlag stands, or nothing. One for every trainer window.
class HintLine
{
public:
    // `widgetOf` finds the control of the window that shows a cell.
    HintLine(QWidget *window, std::function<QWidget *(const Cell &)> widgetOf);

    QLabel *label() const { return m_label; }

    // Shows `hint` with its cells highlighted; nothing hides the line.
    void show(const std::optional<Hint> &hint);
    void clear();

private:
    std::function<QWidget *(const Cell &)> m_widgetOf;
    QLabel *m_label = nullptr;
    QList<QPointer<QWidget>> m_highlighted;
};
