#pragma once

#include "ui/dialogs.h"

// Boxes that never open: a benchmark must not wait for a click. Every question is
// answered No, so nothing quits or asks for a password on its own.
class QuietDialogs final : public Dialogs
{
public:
    void message(const QString &, const QString &, MessageIcon) override { ++messages; }
    Answer question(const QString &, const QString &, MessageIcon, Answer) override
    {
        return Answer::No;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }

    int messages = 0;
};
