#pragma once

#include <QDialog>
#include <QStringList>

class ClassRoom;
class Dialogs;
class QTableWidget;

// The class at a glance, for the teacher (behind the PIN): one row a child, with when it
// last practised, the problems it solved this week, the steps of the method in the report's
// colours and words, the times-table facts it knows for sure and what stands out in its
// errors. Saved as CSV for a spreadsheet.
class ClassOverview : public QDialog
{
    Q_OBJECT
public:
    ClassOverview(ClassRoom &room, Dialogs &dialogs, QWidget *parent = nullptr);

    // The table as CSV (";" between the cells, as German spreadsheets read it).
    QString csv() const;
    void saveCsv();

private:
    void fill();

    ClassRoom &m_room;
    Dialogs &m_dialogs;
    QTableWidget *m_table;
};
