#pragma once

#include "widgets/design_scaler.h"

#include <QWidget>

struct Services;
class ChildPicker;
class ClassRoom;
class QPlainTextEdit;

// Form0: the main menu. Its pictures open the trainers and the info window or ask
// before quitting; closing its frame ends the program. Drawn at a design size, it opens
// scaled to the screen like the trainers.
class MainMenu : public QWidget
{
    Q_OBJECT
public:
    explicit MainMenu(Services &services, QWidget *parent = nullptr);

    // The quit question; a Yes ends the program.
    void askQuit();
    // Opens the three-row trainer (bound to Bild5).
    void ShowThreeRowTrainer();

    void setVisible(bool visible) override;

    // With a class, "Wer rechnet?" comes first: the children's buttons until one picks
    // itself.
    void setClassRoom(ClassRoom *room);
    ChildPicker *childPicker() const { return m_picker; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ShowHelpText();

    Services &m_services;
    DesignScaler m_scaler;
    QPlainTextEdit *m_help = nullptr;
    bool m_sized = false;

    void showChildChoice();
    ClassRoom *m_room = nullptr;
    ChildPicker *m_picker = nullptr;
};
