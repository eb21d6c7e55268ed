#pragma once

#include <QDialog>

class ClassRoom;
class Dialogs;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;

// "Klasse einrichten": the class's name, the teacher's PIN twice and the children, typed,
// pasted or read from a CSV file. OK sets the class up, or says what is missing and stays.
class ClassSetupDialog : public QDialog
{
    Q_OBJECT
public:
    ClassSetupDialog(ClassRoom &room, Dialogs &dialogs, QWidget *parent = nullptr);

    // "Aus CSV-Datei lesen …": the names of the file's first column join the list.
    void readNames(const QString &csvFile);
    void accept() override;

private:
    ClassRoom &m_room;
    Dialogs &m_dialogs;
    QLineEdit *m_name;
    QLineEdit *m_pin;
    QLineEdit *m_pinAgain;
    QPlainTextEdit *m_children;
    QLabel *m_error;
};

// The teacher's PIN, never shown: OK with the right one accepts; a wrong one says so, and
// after three the PIN waits a minute.
class PinDialog : public QDialog
{
    Q_OBJECT
public:
    PinDialog(ClassRoom &room, QWidget *parent = nullptr);
    void accept() override;

private:
    ClassRoom &m_room;
    QLineEdit *m_pin;
    QLabel *m_error;
};

// "Klasse verwalten", behind the PIN: rename the class, add, rename and delete children,
// the "Auskunft" about a child, how long history is kept, delete the whole class.
class ClassDialog : public QDialog
{
    Q_OBJECT
public:
    ClassDialog(ClassRoom &room, Dialogs &dialogs, QWidget *parent = nullptr);

    void renameClass();
    void addChild();
    void renameChild();
    void removeChild();
    // Everything stored about the selected child into a text file chosen by the teacher.
    void disclose();
    void removeClass();
    // The class at a glance.
    void showOverview();

private:
    void fill();
    qint64 selectedChild() const;

    ClassRoom &m_room;
    Dialogs &m_dialogs;
    QLineEdit *m_name;
    QListWidget *m_children;
    QSpinBox *m_retention;
};
