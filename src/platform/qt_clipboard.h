#pragma once

#include "seams/clipboard.h"

// The system clipboard through Qt.
class QtClipboard final : public Clipboard
{
public:
    bool setText(const QString &text) override;
};
