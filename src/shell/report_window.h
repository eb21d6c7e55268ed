#pragma once

#include <QWidget>

struct Services;
class QPlainTextEdit;

// "Auswertung": the teacher's report of this run, written anew each time it is shown.
// "Kopieren" puts it on the clipboard as plain text, "Drucken" prints it like a worksheet
// (print lock, question, the same messages), "Schließen" hides it. Nothing is saved.
class ReportWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ReportWindow(Services &services, QWidget *parent = nullptr);

    QString text() const;
    void copyReport();
    void printReport();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Services &m_services;
    QPlainTextEdit *m_view = nullptr;
};
