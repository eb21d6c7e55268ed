#pragma once

#include "worksheets/sheet_code.h"
#include "worksheets/worksheet.h"

#include <QLabel>
#include <QStringList>
#include <optional>

struct Services;
class QLineEdit;
class QListWidget;
class QPushButton;

// What the sheet view needs from the window it lies in.
class WorksheetHost
{
public:
    virtual ~WorksheetHost() = default;
    // A command button in the window's button column, at `row`.
    virtual QPushButton *addSheetButton(const QString &name, const QString &text, int row) = 0;
    // How "Blatt" writes partial products: as the window shows them.
    virtual WrittenDisplay sheetDisplay() const = 0;
    // The points as the window shows them: the password of a locked print.
    virtual QString pointsShown() const = 0;
    // False while the view covers the answer fields: they take no drop, click or key. True
    // once it has gone: they take them again and the marked field has the focus back.
    virtual void setFieldsReachable(bool reachable) = 0;
};

// The sheet view of a trainer: "Blatt" draws a fresh sheet of the trainer's kind and shows
// it over the problem (the dark panel with the sheet list and, along its foot, the sheet
// code and the squared-paper sheet); "Abbruch" takes it away and empties it. The print
// commands and "Kopieren" work on the sheet as it stands. The view is the panel; its
// command buttons stand in the window's button column.
class WorksheetView : public QLabel
{
    Q_OBJECT
public:
    // `rect` is the panel's place in the window's design size.
    WorksheetView(Services &services, SheetKind kind, WorksheetHost &host, QWidget *window,
                  const QRect &rect);

    void showNewSheet();
    void showSheet(const SheetCode &code);
    void closeSheet();
    void printProblems();
    void printSolutions();
    void copySheet();
    // "Kästchenblatt …": the sheet on squared paper, saved as a PDF file or printed.
    void saveOnSquaredPaper();
    void printOnSquaredPaper();

    bool isOpen() const { return m_code.has_value(); }
    const QStringList &sheet() const { return m_sheet; }
    // The code of the sheet on screen; nothing while no sheet is shown.
    std::optional<SheetCode> code() const { return m_code; }

private:
    void buildCodeBar(const QFont &buttonFont);
    void lineUpFonts();
    // A code typed into the code field brings its sheet back; a wrong one is refused.
    void openTypedCode();

    Services &m_services;
    SheetKind m_kind;
    WorksheetHost &m_host;
    QStringList m_sheet;
    std::optional<SheetCode> m_code;
    QListWidget *m_list = nullptr;
    QLineEdit *m_codeField = nullptr;
    bool m_fontsLinedUp = false;
};
