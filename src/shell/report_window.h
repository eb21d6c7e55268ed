#pragma once

#include "shell/report_pictures.h"

#include <QSize>
#include <QStringList>
#include <QWidget>

struct Services;
class QGridLayout;
class QTextEdit;

// "Auswertung": the teacher's report of this run, written anew each time it is shown: the
// times-table facts and the errors by kind as pictures, beside them the report's text.
// "Kopieren" puts the text on the clipboard, "Drucken" prints text and pictures like a
// worksheet (print lock, question, the same messages), "Schließen" hides it. Nothing is
// saved. It opens scaled to the screen like the trainers; its type and pictures grow with it.
class ReportWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize designSize{900, 560};

    explicit ReportWindow(Services &services, QWidget *parent = nullptr);

    QString text() const;
    // What the pictures show.
    const ReportPictures &pictures() const { return m_pictures; }
    // Writes the report as the run stands now.
    void refresh();
    void copyReport();
    void printReport();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void indentWrappedLines();

    Services &m_services;
    QStringList m_lines;
    ReportPictures m_pictures;
    QTextEdit *m_view = nullptr;
    QGridLayout *m_layout = nullptr;
    bool m_sized = false;
};
