#include "shell/report_window.h"

#include "seams/clipboard.h"
#include "seams/dialogs.h"
#include "seams/printer.h"
#include "seams/services.h"
#include "training/report.h"
#include "training/session_statistics.h"
#include "platform/qt_dialogs.h"
#include "widgets/reading_font.h"
#include "widgets/window_geometry.h"
#include "worksheets/sheet_commands.h"
#include "worksheets/worksheet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

namespace {

const char *const reportName = "Die Auswertung";

using DrawPicture = void (*)(QPainter &, const QRectF &, const ReportPictures &);

// One of the report's pictures on white, drawn by the function that prints it.
class PictureView final : public QWidget
{
public:
    PictureView(const ReportPictures &pictures, DrawPicture draw, QSizeF design, const QString &name,
                QWidget *parent)
        : QWidget(parent)
        , m_pictures(pictures)
        , m_draw(draw)
        , m_design(design)
    {
        setObjectName(name);
        setAccessibleName(name);
        setAutoFillBackground(true);
        QPalette paper = palette();
        paper.setColor(QPalette::Window, Qt::white);
        setPalette(paper);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setContentsMargins(6, 6, 6, 6);
    }

    QSize sizeHint() const override { return m_design.toSize(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_draw(painter, QRectF(contentsRect()), m_pictures);
    }

private:
    const ReportPictures &m_pictures;
    DrawPicture m_draw;
    QSizeF m_design;
};

// On paper a unit of a picture's design size is this many points.
constexpr double pointsPerUnit = 0.9;

// The heading of the printed report, in points: as on the worksheets, the title large and a
// line for the child's name and the date under it.
constexpr QSizeF headingSize(500, 84);

void drawHeading(QPainter &painter, const QRectF &area, const ReportHeading &heading)
{
    const qreal unit = area.height() / headingSize.height();
    const auto write = [&](qreal top, qreal points, bool bold, const QString &text) {
        QFont font = readingFont(bold);
        font.setPixelSize(qMax(1, qRound(points * unit)));
        painter.setFont(font);
        painter.drawText(QRectF(area.left(), area.top() + top * unit, area.width(), 2 * points * unit),
                         Qt::AlignLeft | Qt::AlignTop, text);
    };
    painter.setPen(Qt::black);
    write(0, 22, true, heading.title);
    write(32, 12, false, heading.since + QStringLiteral(" · ") + heading.total);
    write(58, 12, false, nameAndDateLine());
}

// The heading, the pictures, then a block per trainer practised, each kept together on a
// page; the trainers not practised are named together in one line at the end.
PrintDocument reportDocument(const ReportHeading &heading, const QStringList &lines,
                             const ReportPictures &pictures)
{
    PrintDocument document;
    document.name = QStringLiteral("Malrechnen Auswertung");
    document.fontFamily = QString::fromUtf8(sheetFontFamily);
    document.pointSize = 11;
    // The pictures stand after the first block: a blank line at the top of the page.
    document.blocks << QStringList{QString()};
    QStringList notPractised;
    QStringList block;
    // A blank line between the blocks, kept with the block above it.
    const auto add = [&](const QStringList &lines) {
        if (document.blocks.size() > 1)
            document.blocks.last() << QString();
        document.blocks << lines;
    };
    const auto close = [&] {
        if (block.size() >= 2 && block.at(1) == QStringLiteral("  nicht geübt"))
            notPractised << block.first();
        else if (!block.isEmpty())
            add(block);
        block.clear();
    };
    // The heading's lines, up to the first blank one, are drawn above.
    qsizetype i = lines.indexOf(QString());
    for (++i; i > 0 && i < lines.size(); ++i) {
        if (lines.at(i).isEmpty()) {
            close();
            continue;
        }
        block << lines.at(i);
    }
    close();
    if (!notPractised.isEmpty())
        add({QStringLiteral("Nicht geübt: ") + notPractised.join(QStringLiteral(", "))});
    document.pictures << PrintPicture{0, headingSize,
                                      [heading](QPainter &painter, const QRectF &area) {
                                          drawHeading(painter, area, heading);
                                      }}
                      << PrintPicture{0, factsTableSize * pointsPerUnit,
                                      [pictures](QPainter &painter, const QRectF &area) {
                                          drawFactsTable(painter, area, pictures);
                                      }}
                      << PrintPicture{0, errorBarsSize * pointsPerUnit,
                                      [pictures](QPainter &painter, const QRectF &area) {
                                          drawErrorBars(painter, area, pictures);
                                      }};
    return document;
}

constexpr int designFontPixels = 13;
constexpr int designMargin = 12;
constexpr QSize designButton(110, 30);

} // namespace

ReportWindow::ReportWindow(Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("Auswertung"));
    setWindowTitle(QStringLiteral("Auswertung"));
    resize(designSize);

    auto *facts =
        new PictureView(m_pictures, drawFactsTable, factsTableSize, QStringLiteral("Einmaleins"), this);
    auto *errors =
        new PictureView(m_pictures, drawErrorBars, errorBarsSize, QStringLiteral("Fehler nach Art"), this);

    m_view = new QTextEdit(this);
    m_view->setAcceptRichText(false);
    m_view->setObjectName(QStringLiteral("Auswertungstext"));
    m_view->setReadOnly(true);
    m_view->setAccessibleName(QStringLiteral("Auswertung"));

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
    // The pictures on the left, where the eye starts; the text beside them.
    m_layout = new QGridLayout(this);
    m_layout->addWidget(facts, 0, 0);
    m_layout->addWidget(errors, 1, 0);
    m_layout->addWidget(m_view, 0, 1, 2, 1);
    m_layout->addLayout(buttons, 2, 0, 1, 2);
    m_layout->setColumnStretch(0, int(factsTableSize.width()));
    m_layout->setColumnStretch(1, designSize.width() - int(factsTableSize.width()));
    m_layout->setRowStretch(0, int(factsTableSize.height()));
    m_layout->setRowStretch(1, int(errorBarsSize.height()));
}

QString ReportWindow::text() const
{
    return m_view->toPlainText();
}

void ReportWindow::refresh()
{
    const SessionStatistics &statistics = m_services.training.statistics;
    m_pictures = reportPictures(statistics);
    const QStringList lines = reportLines(statistics);
    if (lines != m_lines) {
        m_lines = lines;
        m_view->setPlainText(lines.join(QLatin1Char('\n')));
        indentWrappedLines();
    }
    update();
}

void ReportWindow::indentWrappedLines()
{
    // A line the view wraps goes on two characters further in than the label it belongs to,
    // so that each label stands out at its own indentation.
    const QFontMetricsF metrics(m_view->font());
    QTextCursor cursor(m_view->document());
    for (QTextBlock block = m_view->document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        qsizetype spaces = 0;
        while (spaces < line.size() && line.at(spaces) == QLatin1Char(' '))
            ++spaces;
        const qreal indent = metrics.horizontalAdvance(QString(spaces + 2, QLatin1Char(' ')));
        QTextBlockFormat format = block.blockFormat();
        format.setLeftMargin(indent);
        format.setTextIndent(-indent);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

void ReportWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (!m_sized) {
            openAtScreenSize(this, designSize);
            m_sized = true;
        }
        centreOnScreen(this, 4);
        refresh();
    }
    QWidget::showEvent(event);
}

void ReportWindow::resizeEvent(QResizeEvent *event)
{
    // Type, margins and gaps grow with the window, never below their design size.
    const qreal scale = std::max(1.0, std::min(qreal(width()) / designSize.width(),
                                               qreal(height()) / designSize.height()));
    QtDialogs::setWindowScale(this, scale);
    QFont sized = font();
    sized.setPixelSize(qRound(designFontPixels * scale));
    setFont(sized);
    const int margin = qRound(designMargin * scale);
    m_layout->setContentsMargins(margin, margin, margin, margin);
    m_layout->setSpacing(qRound(designMargin * scale * 0.75));
    indentWrappedLines(); // the type changed size
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setMinimumSize((QSizeF(designButton) * scale).toSize());
    QWidget::resizeEvent(event);
}

// What is copied or printed is what the window shows, written as the run stands now.
void ReportWindow::copyReport()
{
    refresh();
    if (m_services.clipboard.setText(m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n')))
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
    refresh();
    const ReportHeading heading = reportHeading(m_services.training.statistics);
    const PrintDocument document = reportDocument(heading, m_lines, m_pictures);
    // The password is a number the report shows; a wrong one is said to be wrong.
    printLocked(m_services, QStringLiteral("Auswertung"), QString::fromUtf8(reportName),
                QString::number(heading.rightDigits), [&] { return m_services.printer.print(document); },
                QStringLiteral("Das Kennwort stimmt nicht. Die Auswertung wurde nicht gedruckt.\r\r"
                               "Das Kennwort ist die Zahl hinter „Richtige Ziffern aller Trainer“\r"
                               "oben in der Auswertung.\r\r"));
}
