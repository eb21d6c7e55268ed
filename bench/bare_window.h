#pragma once

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

// The least any Qt Widgets program shows: one window with a label and four buttons.
// The figures of the program are compared with it.
class BareWindow : public QWidget
{
public:
    explicit BareWindow(QLabel *label = nullptr, QWidget *parent = nullptr)
        : QWidget(parent)
    {
        setWindowTitle(QStringLiteral("Baseline"));
        auto *layout = new QVBoxLayout(this);
        m_label = label ? label : new QLabel;
        m_label->setParent(this);
        m_label->setText(QStringLiteral("0"));
        m_label->setObjectName(QStringLiteral("label"));
        layout->addWidget(m_label);
        for (int i = 1; i <= 4; ++i)
            layout->addWidget(new QPushButton(QStringLiteral("Knopf %1").arg(i), this));
        resize(320, 240);
    }

    QLabel *label() const { return m_label; }

private:
    QLabel *m_label = nullptr;
};
