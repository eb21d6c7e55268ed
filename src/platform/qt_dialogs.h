#pragma once

#include "seams/dialogs.h"

#include <QFileIconProvider>

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

    // A window that draws its contents larger than at its design size says by how much, each
    // time it scales them: the boxes it opens draw their text, buttons and icon as much larger,
    // so that a question reads beside the digits it is about.
    static void setWindowScale(QWidget *window, qreal scale);
    // 1 for a window that never said.
    static qreal windowScale(const QWidget *window);
};

// Icons and types of the files a file dialog lists, told from their names alone. Qt's own
// provider reads a file's first bytes to tell its type, and a read of a special file such
// as /proc/kmsg waits for ever, in the dialog's thread and the thread listing the folder.
class FileIconsByName final : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};
