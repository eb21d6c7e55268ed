#pragma once

#include "seams/dialogs.h"

// Boxes that never open: a benchmark must not wait for a click. Every question gets
// `answer` (No unless a run asks for more: nothing quits on its own).
class QuietDialogs final : public Dialogs
{
public:
    void message(const QString &, const QString &, MessageIcon) override { ++messages; }
    Answer question(const QString &, const QString &, MessageIcon, Answer) override
    {
        return answer;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }

    Answer answer = Answer::No;
    int messages = 0;
};
