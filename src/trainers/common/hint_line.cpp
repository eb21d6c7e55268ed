#include "trainers/common/hint_line.h"

#include <QAccessible>
#include <QLabel>

namespace {

// The control draws itself highlighted (CellLook::isHighlighted).
void setHighlighted(QWidget *widget, bool on)
{
    widget->setProperty("hint", on);
    widget->update();
}

void announce(QLabel *label)
{
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace

HintLine::HintLine(QWidget *window, std::function<QWidget *(const Cell &)> widgetOf)
    : m_widgetOf(std::move(widgetOf))
{
    m_label = new QLabel(window);
    m_label->setObjectName(QStringLiteral("Tipp"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setContentsMargins(8, 0, 8, 0);
    QFont font;
    font.setFamilies({QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    font.setBold(true);
    m_label->setFont(font);
    m_label->setStyleSheet(QStringLiteral("background-color: rgb(255, 246, 200); color: rgb(0, 0, 96);"
                                          " border: 2px solid rgb(230, 170, 40); border-radius: 6px;"));
    m_label->hide();
}


void HintLine::show(const std::optional<Hint> &hint)
{
    clear();
    if (!hint)
        return;
    const QString &text = hint->text;
    for (const Cell &cell : hint->cells) {
        QWidget *widget = m_widgetOf(cell);
        if (widget) {
            setHighlighted(widget, true);
            m_highlighted.append(widget);
        }
    }
    m_label->setText(text);
    m_label->setAccessibleName(QStringLiteral("Tipp: ") + text);
    m_label->show();
    m_label->raise();
    announce(m_label);
}

void HintLine::clear()
{
    if (m_label->isHidden() && m_highlighted.isEmpty())
        return;
    for (const QPointer<QWidget> &widget : std::as_const(m_highlighted)) {
        if (widget)
            setHighlighted(widget, false);
    }
    m_highlighted.clear();
    m_label->hide();
    m_label->clear();
}
