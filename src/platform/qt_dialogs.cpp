#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QRegularExpression>

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

QString QtDialogs::displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtDialogs::message(const QString &title, const QString &text, MessageIcon icon)
{
    QMessageBox box(toQt(icon), title, displayText(text), QMessageBox::Ok, dialogParent());
    box.exec();
}

Answer QtDialogs::question(const QString &title, const QString &text, MessageIcon icon,
                           Answer defaultButton)
{
    QMessageBox box(toQt(icon), title, displayText(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(defaultButton == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &title,
                                        const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title, displayText(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::saveFileName(const QString &title, const QString &proposedPath,
                                               const QString &filter)
{
    // Qt's own dialog on every desktop: what it lists is read through the provider below.
    FileIconsByName icons;
    QFileDialog dialog(dialogParent(), title, proposedPath, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an ending gets the filter's before the dialog asks about
    // replacing a file: it asks about the file that will be written.
    static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    const QRegularExpressionMatch ending = onePattern.match(filter);
    if (ending.hasMatch())
        dialog.setDefaultSuffix(ending.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

QIcon FileIconsByName::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    return QIcon::fromTheme(mime.iconName(), icon(File));
}

QString FileIconsByName::type(const QFileInfo &info) const
{
    if (!info.isFile())
        return QFileIconProvider::type(info); // folder, drive, link or unknown: no file is read
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}
