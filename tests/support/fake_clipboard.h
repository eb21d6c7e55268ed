#pragma once

#include "seams/clipboard.h"

#include <QStringList>

// Keeps what the program puts on the clipboard; refuses it when `refuse` is set.
class FakeClipboard final : public Clipboard
{
public:
    bool setText(const QString &text) override
    {
        if (refuse)
            return false;
        texts.append(text);
        return true;
    }

    bool refuse = false;
    QStringList texts;
};
