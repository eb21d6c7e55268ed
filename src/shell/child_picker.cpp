#include "shell/child_picker.h"

#include "shell/class_room.h"
#include "widgets/design_scaler.h"
#include "widgets/plain_look.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {
constexpr int gap = 8;
constexpr int headingHeight = 40;
constexpr int actionHeight = 28;
} // namespace

ChildPicker::ChildPicker(ClassRoom &room, DesignScaler &scaler, const QRect &area, QWidget *menu)
    : QWidget(menu)
    , m_room(room)
    , m_scaler(scaler)
    , m_area(area)
{
    setObjectName(QStringLiteral("WerRechnet"));
    setAutoFillBackground(true);
    setGeometry(area);
    m_heading = new QLabel(QStringLiteral("Wer rechnet?"), this);
    m_heading->setObjectName(QStringLiteral("WerRechnetTitel"));
    m_heading->setGeometry(16, 4, area.width() - 32, headingHeight - 4);
    m_heading->setFont(sizedFont(m_heading->font(), 20, true));
    setColour(m_heading, QPalette::WindowText, QColor(0, 0, 128));
}

void ChildPicker::refresh()
{
    const QList<ChildEntry> children = m_room.children();
    const int n = int(children.size());
    // Buttons are kept and hidden, never deleted: the scaler knows each by its address.
    for (int i = n; i < m_buttons.size(); ++i)
        m_buttons[i]->hide();
    if (n == 0)
        return;
    // As square as the area allows: 30 children in 7 columns of 5.
    const int columns = std::min(n, int(std::ceil(std::sqrt(n * 1.6))));
    const int rows = (n + columns - 1) / columns;
    const int width = (m_area.width() - 32 - (columns - 1) * gap) / columns;
    const int height = std::min(96, (m_area.height() - headingHeight - actionHeight - 20 - (rows - 1) * gap) / rows);
    const int fontPixels = std::clamp(height / 4, 11, 18);
    for (int i = 0; i < n; ++i) {
        const ChildEntry &child = children[i];
        if (i == m_buttons.size()) {
            auto *button = new QPushButton(this);
            button->setObjectName(QStringLiteral("Kind%1").arg(i + 1));
            button->setCursor(Qt::PointingHandCursor);
            connect(button, &QPushButton::clicked, this, [this, button] {
                m_room.pick(button->property("child").toLongLong());
            });
            m_buttons << button;
        }
        QPushButton *button = m_buttons[i];
        button->setText(QStringLiteral("%1\n%2").arg(child.initial, child.name));
        button->setProperty("child", child.id);
        button->setAccessibleName(child.name);
        button->setToolTip(child.name);
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px solid "
                                             "rgb(0, 0, 96); border-radius: 10px; font-weight: bold; }"
                                             " QPushButton:focus { border: 3px solid rgb(230, 120, 0); }")
                                  .arg(child.colour));
        m_scaler.setDesignFontSize(button, fontPixels);
        m_scaler.setDesignGeometry(button, QRect(16 + (i % columns) * (width + gap),
                                                 headingHeight + (i / columns) * (height + gap), width, height));
        button->show();
    }
}

QPushButton *ChildPicker::addAction(const QString &text, const QString &name, std::function<void()> action)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, std::move(action));
    m_actions << button;
    const int width = 96;
    for (int i = 0; i < m_actions.size(); ++i)
        m_actions[i]->setGeometry(m_area.width() - 16 - (m_actions.size() - i) * (width + gap) + gap,
                                  m_area.height() - actionHeight - 8, width, actionHeight);
    return button;
}
