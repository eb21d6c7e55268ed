#pragma once

class QWidget;

// Left = (screen width - window width) / 2, Top = (screen height - window height) / divisor.
// The menu, the trainers and the games centre (divisor 2); the info window sits higher (4).
void centreOnScreen(QWidget *window, int topDivisor = 2);
