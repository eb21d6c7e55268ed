#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>

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

// The window of the program that was active last. Without a window manager (a kiosk
// session, a classroom thin client) no window is active again once a box has closed, and the
// next box would belong to no window: unscaled, and not over the window it is about.
QPointer<QWidget> &lastActiveWindow()
{
    static QPointer<QWidget> window;
    return window;
}

QWidget *dialogParent()
{
    if (QWidget *active = QApplication::activeWindow()) {
        if (!qobject_cast<QDialog *>(active))
            lastActiveWindow() = active;
        return active;
    }
    QWidget *last = lastActiveWindow();
    return last && last->isVisible() ? last : nullptr;
}

const char *const scaleProperty = "malrechnenWindowScale";

QStyle::StandardPixmap standardPixmapOf(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Information: return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Warning: return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical: return QStyle::SP_MessageBoxCritical;
    default: return QStyle::SP_MessageBoxQuestion;
    }
}

// The box as much larger as the window it belongs to draws its contents.
void scaleWithParent(QWidget *box)
{
    const qreal scale = QtDialogs::windowScale(box->parentWidget() ? box->parentWidget()->window() : nullptr);
    if (qFuzzyCompare(scale, 1.0))
        return;
    QFont font = box->font();
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, qRound(font.pixelSize() * scale)));
    else
        font.setPointSizeF(font.pointSizeF() * scale);
    box->setFont(font);
    // A message box wraps its text at a width meant for unscaled type, which would break the
    // lines the program words; the label keeps room for its longest line.
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        const QRect screen = box->screen() ? box->screen()->availableGeometry() : QRect();
        const int longest = QFontMetrics(font).boundingRect(QRect(), 0, label->text()).width() + 2;
        label->setMinimumWidth(screen.isEmpty() ? longest : qMin(longest, screen.width() * 4 / 5));
    }
    if (auto *message = qobject_cast<QMessageBox *>(box); message && message->icon() != QMessageBox::NoIcon) {
        const int size = message->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, message);
        const QIcon icon = message->style()->standardIcon(standardPixmapOf(message->icon()), nullptr, message);
        message->setIconPixmap(icon.pixmap(qRound(size * scale)));
    }
}

} // namespace

void QtDialogs::setWindowScale(QWidget *window, qreal scale)
{
    window->setProperty(scaleProperty, scale);
}

qreal QtDialogs::windowScale(const QWidget *window)
{
    const QVariant scale = window ? window->property(scaleProperty) : QVariant();
    return scale.isValid() ? scale.toReal() : 1.0;
}

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
    scaleWithParent(&box);
    box.exec();
}

Answer QtDialogs::question(const QString &title, const QString &text, MessageIcon icon,
                           Answer defaultButton)
{
    QMessageBox box(toQt(icon), title, displayText(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(defaultButton == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    scaleWithParent(&box);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &title,
                                        const QString &defaultText)
{
    QInputDialog box(dialogParent());
    box.setWindowTitle(title);
    box.setLabelText(displayText(prompt));
    box.setTextValue(defaultText);
    scaleWithParent(&box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
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
