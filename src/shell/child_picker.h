#pragma once

#include <QWidget>

#include <functional>

class ClassRoom;
class DesignScaler;
class QLabel;
class QPushButton;

// "Wer rechnet?": the children of the class as large buttons (colour, initial, name) over
// the main menu's choice of trainers, until a child picks itself.
class ChildPicker : public QWidget
{
    Q_OBJECT
public:
    // Laid out at `area` of the menu's design size; `scaler` scales it with the menu.
    ChildPicker(ClassRoom &room, DesignScaler &scaler, const QRect &area, QWidget *menu);

    // The buttons anew from the class's children.
    void refresh();
    // A small button in the bottom line, beside the children (the info window, quitting).
    QPushButton *addAction(const QString &text, const QString &name, std::function<void()> action);
    QList<QPushButton *> buttons() const { return m_buttons; }

private:
    ClassRoom &m_room;
    DesignScaler &m_scaler;
    QRect m_area;
    QLabel *m_heading;
    QList<QPushButton *> m_buttons;
    QList<QPushButton *> m_actions;
};
