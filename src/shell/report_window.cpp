#include "shell/report_window.h"

#include "seams/clipboard.h"
#include "seams/dialogs.h"
#include "seams/printer.h"
#include "seams/services.h"
#include "training/report.h"
#include "training/session_statistics.h"
#include "widgets/window_geometry.h"
#include "worksheets/sheet_commands.h"
#include "worksheets/worksheet.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const char *const reportName = "Die Auswertung";

// The report's blocks (one per trainer) stay together on a page.
PrintDocument reportDocument(const QStringList &lines)
{
    PrintDocument document;
    document.name = QStringLiteral("Malrechnen Auswertung");
    document.fontFamily = QString::fromUtf8(sheetFontFamily);
    document.pointSize = 11;
    QStringList block;
    for (const QString &line : lines) {
        if (line.isEmpty() && !block.isEmpty()) {
            block << line;
            document.blocks << block;
            block.clear();
        } else {
            block << line;
        }
    }
    if (!block.isEmpty())
        document.blocks << block;
    return document;
}

// The password of a locked print: the right digits of the run, as the report shows them.
QString rightDigits(const SessionStatistics &statistics)
{
    int total = 0;
    for (TrainerKind trainer : {TrainerKind::OneRow, TrainerKind::TwoRow, TrainerKind::ThreeRow})
        total += statistics.trainer(trainer).rightDigits;
    return QString::number(total);
}

} // namespace

ReportWindow::ReportWindow(Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("Auswertung"));
    setWindowTitle(QStringLiteral("Auswertung"));
    resize(640, 520);

    m_view = new QPlainTextEdit(this);
    m_view->setObjectName(QStringLiteral("Auswertungstext"));
    m_view->setReadOnly(true);
    m_view->setAccessibleName(QStringLiteral("Auswertung"));
    QFont font = m_view->font();
    font.setPixelSize(15);
    m_view->setFont(font);

    auto *copy = new QPushButton(QStringLiteral("Kopieren"), this);
    copy->setObjectName(QStringLiteral("Kopieren"));
    auto *print = new QPushButton(QStringLiteral("Drucken"), this);
    print->setObjectName(QStringLiteral("Drucken"));
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("Schliessen"));
    connect(copy, &QPushButton::clicked, this, &ReportWindow::copyReport);
    connect(print, &QPushButton::clicked, this, &ReportWindow::printReport);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
}

QString ReportWindow::text() const
{
    return m_view->toPlainText();
}

void ReportWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        centreOnScreen(this, 4);
        m_view->setPlainText(reportLines(m_services.training.statistics).join(QLatin1Char('\n')));
    }
    QWidget::showEvent(event);
}

void ReportWindow::copyReport()
{
    const QString text = reportLines(m_services.training.statistics).join(QLatin1Char('\n'))
                         + QLatin1Char('\n');
    if (m_services.clipboard.setText(text))
        m_services.dialogs.message(QStringLiteral("Zwischenablage"),
                                   QStringLiteral("Die Auswertung wurde in die Ablage kopiert.\r\r"));
    else
        m_services.dialogs.message(QStringLiteral("Zwischenablage"),
                                   QStringLiteral("Die Zwischenablage hat den Text nicht angenommen.\r"
                                                  "Es wurde nichts kopiert.\r\r"),
                                   MessageIcon::Warning);
}

void ReportWindow::printReport()
{
    const SessionStatistics &statistics = m_services.training.statistics;
    const PrintDocument document = reportDocument(reportLines(statistics));
    printLocked(m_services, QStringLiteral("Auswertung"), QString::fromUtf8(reportName),
                rightDigits(statistics), [&] { return m_services.printer.print(document); });
}
