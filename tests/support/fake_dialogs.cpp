#include "fake_dialogs.h"

void FakeDialogs::message(const QString &title, const QString &text, MessageIcon icon)
{
    calls.append({Kind::Message, title, text, icon, Answer::Yes, QString()});
    if (whileOpen)
        whileOpen(Call(calls.last())); // a copy: the hook may open further boxes
}

Answer FakeDialogs::question(const QString &title, const QString &text, MessageIcon icon,
                             Answer defaultButton)
{
    calls.append({Kind::Question, title, text, icon, defaultButton, QString()});
    if (whileOpen)
        whileOpen(Call(calls.last())); // a copy: the hook may open further boxes
    if (!answers.isEmpty())
        return answers.takeFirst();
    return answerWith ? answerWith(Call(calls.last())) : Answer::No;
}

std::optional<QString> FakeDialogs::input(const QString &prompt, const QString &title,
                                          const QString &defaultText)
{
    calls.append({Kind::Input, title, prompt, MessageIcon::None, Answer::No, defaultText});
    if (!entries.isEmpty())
        return entries.takeFirst();
    return enterWith ? enterWith(Call(calls.last())) : std::nullopt;
}

std::optional<QString> FakeDialogs::saveFileName(const QString &title, const QString &proposedPath,
                                                 const QString &filter)
{
    calls.append({Kind::SaveFile, title, filter, MessageIcon::None, Answer::No, proposedPath});
    if (!fileNames.isEmpty())
        return fileNames.takeFirst();
    return std::nullopt;
}

int FakeDialogs::count(const QString &title) const
{
    int n = 0;
    for (const Call &call : calls)
        n += call.title == title ? 1 : 0;
    return n;
}
