#pragma once

#include <QString>

// The system clipboard, for plain text.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content by `text`; false when the clipboard did not take it.
    virtual bool setText(const QString &text) = 0;
};

