#pragma once

#include "widgets/design_scaler.h"

#include <QWidget>

class ClassRoom;
class QLabel;
class QPushButton;
class ReportWindow;
class TileLabel;
struct Services;

// ZEPLABEL: the program info window with the print lock `Kontroll1` and the switches of the
// run: `Tipps` for the hints after a wrong digit, `Ueberschlag` that starts every single
// problem with an Überschlag, `Passend` for problems chosen to fit the child (values of the
// run the boxes show and set). "Auswertung" shows the teacher's report, "Neues Kind" starts
// the run afresh for the next child. The lock is on whenever the window is built. "O k a y",
// the picture and Escape only hide the window, so the lock stays as it is; closing it by
// its frame throws it away, and the lock is on again.
class InfoWindow : public QWidget
{
    Q_OBJECT
public:
    explicit InfoWindow(Services &services, QWidget *parent = nullptr);

    // "Auswertung": the report window, built on first use.
    ReportWindow *showReport();

    // "Neues Kind": asks, and on "Ja" the run starts afresh for the next child.
    void askNewChild();

    // The hide procedure of "O k a y", the picture and Escape.
    void HideWindow();

    // With the class on this computer: "Klasse einrichten" (or, behind the PIN, "Klasse
    // verwalten"), a line on storing, and "Kind wechseln" in place of "Neues Kind".
    void setClassRoom(ClassRoom *room);
    // "Klasse einrichten", or the PIN and "Klasse verwalten".
    void openClass();

Q_SIGNALS:
    // The window was closed by its frame: the program drops it, and the next use builds it
    // anew with the lock on.
    void closedByFrame();
    // "Neues Kind" was answered with "Ja": the program starts the run afresh.
    void newChildConfirmed();
    // "Kind wechseln": back to "Wer rechnet?"; what the child did is kept.
    void changeChildRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fillTexts();
    void fitToSize();

    Services &m_services;
    DesignScaler m_scaler;
    TileLabel *m_picture = nullptr;
    bool m_sized = false;
    ReportWindow *m_report = nullptr;
    QLabel *m_notice = nullptr;
    QLabel *m_contact = nullptr;

    void showClassState();
    ClassRoom *m_room = nullptr;
    QPushButton *m_classButton = nullptr;
    QLabel *m_storing = nullptr;
};
