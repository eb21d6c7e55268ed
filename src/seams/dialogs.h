#pragma once

#include <QString>
#include <optional>

class QWidget;

enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class Answer { Yes, No };

// Message boxes and the input box. Texts are passed exactly as the program words them,
// carriage returns included; the Qt implementation turns them into line breaks.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A modal box with an OK button.
    virtual void message(const QString &title, const QString &text,
                         MessageIcon icon = MessageIcon::None) = 0;

    // A modal Yes/No box.
    virtual Answer question(const QString &title, const QString &text, MessageIcon icon,
                            Answer defaultButton) = 0;

    // A modal input box; nothing on Cancel.
    virtual std::optional<QString> input(const QString &prompt, const QString &title,
                                         const QString &defaultText) = 0;

    // A modal dialog to choose where a file is saved, opened at `proposedPath`; the path
    // chosen, or nothing on Cancel. `filter` as Qt's file dialogs take it; where it names
    // one pattern ("PDF-Dateien (*.pdf)"), a name typed without a dot gets its ending before
    // the dialog asks whether an existing file is to be replaced.
    virtual std::optional<QString> saveFileName(const QString &title, const QString &proposedPath,
                                                const QString &filter) = 0;
};

