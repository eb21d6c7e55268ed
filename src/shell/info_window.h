#pragma once

#include <QWidget>

class QLabel;

// ZEPLABEL: the program info window with the print lock `Kontroll1`, checked (printing
// locked) whenever the window is built. "O k a y", the picture and Escape only hide the
// window, so the box keeps its state; closing it by its frame throws it away.
class InfoWindow : public QWidget
{
    Q_OBJECT
public:
    explicit InfoWindow(QWidget *parent = nullptr);

    // The hide procedure of "O k a y", the picture and Escape.
    void HideWindow();

Q_SIGNALS:
    // The window was closed by its frame: the program drops it, and the next use builds it
    // anew with the lock on.
    void closedByFrame();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillTexts();

    QLabel *m_notice = nullptr;
    QLabel *m_contact = nullptr;
};
