#pragma once

#include <QWidget>

struct Services;
class QPlainTextEdit;

// Form0: the main menu. Its pictures open the trainers and the info window or ask
// before quitting; closing its frame ends the program.
class MainMenu : public QWidget
{
    Q_OBJECT
public:
    explicit MainMenu(Services &services, QWidget *parent = nullptr);

    // The quit question; a Yes ends the program.
    void askQuit();
    // Opens the three-row trainer (bound to Bild5).
    void ShowThreeRowTrainer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ShowHelpText();

    Services &m_services;
    QPlainTextEdit *m_help = nullptr;
    bool m_centred = false;
};
