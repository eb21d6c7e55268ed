#pragma once

#include <QString>

// The description of the program shown in the main menu: nine paragraphs, each on a
// line of its own, separated by blank lines (CR LF).
QString menuHelpText();

// "Dieses Programm jetzt beenden?" and the rest of the menu's quit question.
extern const char *const quitQuestionText;
extern const char *const menuCaption;
