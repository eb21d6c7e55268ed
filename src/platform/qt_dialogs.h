#pragma once

#include "seams/dialogs.h"

// The dialogs as Qt's message boxes, input box and file dialog show them.
class QtDialogs final : public Dialogs
{
public:
    void message(const QString &title, const QString &text, MessageIcon icon) override;
    Answer question(const QString &title, const QString &text, MessageIcon icon,
                    Answer defaultButton) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    std::optional<QString> saveFileName(const QString &title, const QString &proposedPath,
                                        const QString &filter) override;

    // Carriage returns of a message become line breaks on screen.
    static QString displayText(const QString &text);
};
