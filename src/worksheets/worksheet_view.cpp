#include "worksheets/worksheet_view.h"

#include "platform/fixed_pitch_font.h"
#include "seams/services.h"
#include "worksheets/sheet_commands.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int titleHeight = 24;
constexpr int codeBarHeight = 34;

} // namespace

WorksheetView::WorksheetView(Services &services, SheetKind kind, WorksheetHost &host,
                             QWidget *window, const QRect &rect)
    : QLabel(QStringLiteral("Übungsblatt mit Lösungen"), window)
    , m_services(services)
    , m_kind(kind)
    , m_host(host)
{
    const struct {
        const char *name;
        const char *text;
        int row;
        void (WorksheetView::*command)();
    } buttons[] = {
        {"Befehl14", "Blatt", 7, &WorksheetView::showNewSheet},
        {"Befehl17", "Aufgaben drucken", 8, &WorksheetView::printProblems},
        {"Befehl18", "Lösungen drucken", 9, &WorksheetView::printSolutions},
        {"Befehl19", "Kopieren", 10, &WorksheetView::copySheet},
        {"Befehl16", "Abbruch", 11, &WorksheetView::closeSheet},
    };
    for (const auto &b : buttons)
        connect(host.addSheetButton(QLatin1String(b.name), QString::fromUtf8(b.text), b.row),
                &QPushButton::clicked, this, b.command);

    // Bild3 covers the problem, so nothing is dropped on it while the sheet is shown.
    setObjectName(QStringLiteral("Bild3"));
    setGeometry(rect);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setContentsMargins(8, 3, 8, 0);
    setStyleSheet(QStringLiteral("QLabel { background-color: rgb(0, 0, 128); color: white; }"));
    const QFont windowFont = window->font();
    QFont panelFont = font();
    panelFont.setPixelSize(13);
    panelFont.setBold(true);
    setFont(panelFont);
    hide();

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Liste5"));
    m_list->setGeometry(0, titleHeight, rect.width(), rect.height() - titleHeight - codeBarHeight);
    QFont sheetFont = fixedPitchRequest(QString::fromUtf8(sheetFontFamily), 9);
    sheetFont.setBold(true); // the Courier lookalikes are thin on screen
    m_list->setFont(sheetFont);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::StrongFocus); // the keyboard scrolls it while it is shown
    m_list->setUniformItemSizes(true);
    m_list->setStyleSheet(QStringLiteral("QListWidget::item { padding: 0px; }"));
    m_list->hide();
    buildCodeBar(windowFont);
}

void WorksheetView::buildCodeBar(const QFont &buttonFont)
{
    // Along the foot of the view: the code of the sheet on screen (a code typed there brings
    // its sheet back) and the squared-paper sheet.
    const int top = height() - codeBarHeight;
    auto *caption = new QLabel(QStringLiteral("Blatt-Code"), this);
    caption->setGeometry(8, top + 6, 78, 22);
    m_codeField = new QLineEdit(this);
    m_codeField->setObjectName(QStringLiteral("Blattcode"));
    m_codeField->setGeometry(88, top + 5, 96, 24);
    m_codeField->setMaxLength(16);
    m_codeField->setAccessibleName(QStringLiteral("Blatt-Code"));
    m_codeField->setToolTip(
        QStringLiteral("Ein Blatt-Code eingeben und Enter drücken: Das Blatt kommt wieder."));
    m_codeField->setStyleSheet(QStringLiteral("color: black; background-color: white;"));
    QFont codeFont = fixedPitchRequest(QString::fromUtf8(sheetFontFamily), 10);
    codeFont.setBold(true);
    m_codeField->setFont(codeFont);
    caption->setBuddy(m_codeField);
    connect(m_codeField, &QLineEdit::returnPressed, this, &WorksheetView::openTypedCode);

    // The squared-paper sheet: "Kästchenblatt …" asks where to save it, "Drucken" prints it.
    const auto button = [&](const char *name, const QString &text, int right, int w) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(width() - right - w, top + 4, w, 26);
        b->setFont(buttonFont);
        return b;
    };
    connect(button("Kaestchenblatt", QStringLiteral("Kästchenblatt …"), 8 + 84, 124),
            &QPushButton::clicked, this, &WorksheetView::saveOnSquaredPaper);
    QPushButton *print = button("KaestchenblattDrucken", QStringLiteral("Drucken"), 8, 80);
    print->setToolTip(QStringLiteral("Das Kästchenblatt auf dem Standarddrucker drucken"));
    connect(print, &QPushButton::clicked, this, &WorksheetView::printOnSquaredPaper);
}

void WorksheetView::showNewSheet()
{
    showSheet(freshSheetCode(m_kind, m_host.sheetDisplay(), m_services.random));
}

void WorksheetView::showSheet(const SheetCode &code)
{
    lineUpFonts();
    m_code = code;
    m_sheet = sheetText(code);
    m_codeField->setText(code.text());
    m_list->clear();
    m_list->addItems(m_sheet);
    show();
    raise();
    m_list->show();
    m_list->setFocus(Qt::OtherFocusReason);
    m_host.setFieldsReachable(false);
}

void WorksheetView::lineUpFonts()
{
    // Loading the fonts to see whether they line up is left to the first sheet shown: the
    // trainer opens without it.
    if (m_fontsLinedUp)
        return;
    m_fontsLinedUp = true;
    m_list->setFont(linedUp(m_list->font()));
    m_codeField->setFont(linedUp(m_codeField->font()));
}

void WorksheetView::closeSheet()
{
    hide();
    m_list->hide();
    m_list->clear();
    m_sheet.clear();
    m_code.reset();
    m_codeField->clear();
    m_host.setFieldsReachable(true);
}

void WorksheetView::openTypedCode()
{
    const std::optional<SheetCode> code = readTypedSheetCode(m_services, m_kind, m_codeField->text());
    if (code)
        showSheet(*code);
    else if (m_code)
        m_codeField->setText(m_code->text());
}

void WorksheetView::saveOnSquaredPaper()
{
    if (m_code)
        saveSquaredPaper(m_services, *m_code);
}

void WorksheetView::printOnSquaredPaper()
{
    if (m_code)
        printSquaredPaper(m_services, *m_code, m_host.pointsShown());
}

void WorksheetView::printProblems()
{
    printWorksheet(m_services, m_kind, m_sheet, SheetPass::Problems, m_host.pointsShown());
}

void WorksheetView::printSolutions()
{
    printWorksheet(m_services, m_kind, m_sheet, SheetPass::Solutions, m_host.pointsShown());
}

void WorksheetView::copySheet()
{
    copyWorksheet(m_services, m_kind, m_sheet);
}
