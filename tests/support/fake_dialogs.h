#pragma once

#include "seams/dialogs.h"

#include <QList>
#include <QString>
#include <functional>

// Records every dialog the program opens and answers from a script.
class FakeDialogs final : public Dialogs
{
public:
    enum class Kind { Message, Question, Input, SaveFile };
    struct Call
    {
        Kind kind;
        QString title;
        QString text;
        MessageIcon icon;
        Answer defaultButton;
        QString defaultText;
    };

    void message(const QString &title, const QString &text, MessageIcon icon) override;
    Answer question(const QString &title, const QString &text, MessageIcon icon,
                    Answer defaultButton) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    // Recorded with the proposed path as its default text and the filter as its text.
    std::optional<QString> saveFileName(const QString &title, const QString &proposedPath,
                                        const QString &filter) override;

    // Answers for the next questions; No when none is left.
    QList<Answer> answers;
    // Entries for the next input boxes; Cancel when none is left.
    QList<std::optional<QString>> entries;
    // Paths for the next save dialogs; Cancel when none is left.
    QList<std::optional<QString>> fileNames;
    QList<Call> calls;
    // Runs while each box is "open", where a real box would run its own event loop
    // (timers keep firing there).
    std::function<void(const Call &)> whileOpen;
    // Answer and entry when the lists above have run out (a long random run draws them);
    // without them, No and Cancel.
    std::function<Answer(const Call &)> answerWith;
    std::function<std::optional<QString>(const Call &)> enterWith;

    int count(const QString &title) const;
    void clear() { calls.clear(); }
    Call last() const { return calls.isEmpty() ? Call{} : calls.last(); }
};
