#include "shell/class_dialogs.h"

#include "seams/dialogs.h"
#include "shell/class_overview.h"
#include "shell/class_room.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace {

QLabel *errorLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Meldung"));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    return label;
}

QLineEdit *pinEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    edit->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    return edit;
}

// A CSV file as a school's software writes it: UTF-8, or Windows-1252 from older ones.
QString decoded(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows.decode(bytes) : QString::fromLatin1(bytes);
}

} // namespace

ClassSetupDialog::ClassSetupDialog(ClassRoom &room, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_room(room)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("KlasseEinrichten"));
    setWindowTitle(QStringLiteral("Klasse einrichten"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral(
        "Mit einer Klasse merkt sich Malrechnen auf diesem Computer, was jedes Kind geübt hat. "
        "Bitte nur Vornamen oder Fantasienamen verwenden. Die PIN schützt alle Funktionen für die Lehrkraft."), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Klassenname"));
    m_name->setPlaceholderText(QStringLiteral("z. B. 3a"));
    form->addRow(QStringLiteral("Name der Klasse:"), m_name);
    m_pin = pinEdit(this, "PIN");
    form->addRow(QStringLiteral("PIN (mindestens 4 Ziffern):"), m_pin);
    m_pinAgain = pinEdit(this, "PINWiederholung");
    form->addRow(QStringLiteral("PIN wiederholen:"), m_pinAgain);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Die Kinder, ein Name je Zeile:"), this));
    m_children = new QPlainTextEdit(this);
    m_children->setObjectName(QStringLiteral("Kinder"));
    m_children->setMinimumHeight(160);
    layout->addWidget(m_children);
    auto *csv = new QPushButton(QStringLiteral("Aus CSV-Datei lesen …"), this);
    csv->setObjectName(QStringLiteral("CsvLesen"));
    connect(csv, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Namen aus CSV-Datei lesen"),
                                                          QDir::homePath(),
                                                          QStringLiteral("CSV-Dateien (*.csv *.txt)"));
        if (!file.isEmpty())
            readNames(file);
    });
    layout->addWidget(csv, 0, Qt::AlignLeft);
    m_error = errorLabel(this);
    layout->addWidget(m_error);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Klasse einrichten"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ClassSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ClassSetupDialog::reject);
    layout->addWidget(buttons);
    resize(460, 480);
}

void ClassSetupDialog::readNames(const QString &csvFile)
{
    QFile file(csvFile);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error->setText(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden.").arg(csvFile));
        return;
    }
    QStringList names = ClassRoom::namesOf(m_children->toPlainText());
    for (const QString &name : ClassRoom::namesOf(decoded(file.readAll()))) {
        if (!names.contains(name))
            names << name;
    }
    m_children->setPlainText(names.join(QLatin1Char('\n')));
}

void ClassSetupDialog::accept()
{
    const std::optional<QString> wrong =
        m_room.setUpClass(m_name->text(), m_pin->text(), m_pinAgain->text(), m_children->toPlainText());
    m_pin->clear();
    m_pinAgain->clear();
    if (wrong) {
        m_error->setText(*wrong);
        return;
    }
    QDialog::accept();
}

PinDialog::PinDialog(ClassRoom &room, QWidget *parent)
    : QDialog(parent)
    , m_room(room)
{
    setObjectName(QStringLiteral("PinAbfrage"));
    setWindowTitle(QStringLiteral("PIN der Lehrkraft"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Bitte die PIN der Lehrkraft eingeben:"), this));
    m_pin = pinEdit(this, "PIN");
    layout->addWidget(m_pin);
    m_error = errorLabel(this);
    layout->addWidget(m_error);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PinDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PinDialog::reject);
    layout->addWidget(buttons);
    if (m_room.waitSeconds() > 0)
        m_error->setText(QStringLiteral("Zu viele falsche PINs. Bitte %1 Sekunden warten.").arg(m_room.waitSeconds()));
}

void PinDialog::accept()
{
    const bool right = m_room.unlock(m_pin->text());
    m_pin->clear();
    if (right) {
        QDialog::accept();
        return;
    }
    m_error->setText(m_room.waitSeconds() > 0
                         ? QStringLiteral("Zu viele falsche PINs. Bitte %1 Sekunden warten.").arg(m_room.waitSeconds())
                         : QStringLiteral("Die PIN stimmt nicht."));
}

ClassDialog::ClassDialog(ClassRoom &room, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_room(room)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("KlasseVerwalten"));
    setWindowTitle(QStringLiteral("Klasse verwalten"));
    auto *layout = new QVBoxLayout(this);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Name der Klasse:"), this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Klassenname"));
    nameRow->addWidget(m_name, 1);
    auto *rename = new QPushButton(QStringLiteral("Umbenennen"), this);
    rename->setObjectName(QStringLiteral("KlasseUmbenennen"));
    connect(rename, &QPushButton::clicked, this, &ClassDialog::renameClass);
    nameRow->addWidget(rename);
    layout->addLayout(nameRow);

    auto *childRow = new QHBoxLayout;
    m_children = new QListWidget(this);
    m_children->setObjectName(QStringLiteral("Kinderliste"));
    childRow->addWidget(m_children, 1);
    auto *childButtons = new QVBoxLayout;
    const auto button = [&](const char *text, const char *name, void (ClassDialog::*action)()) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, action);
        childButtons->addWidget(b);
    };
    button("Kind hinzufügen …", "KindHinzufuegen", &ClassDialog::addChild);
    button("Kind umbenennen …", "KindUmbenennen", &ClassDialog::renameChild);
    button("Kind löschen …", "KindLoeschen", &ClassDialog::removeChild);
    button("Auskunft speichern …", "Auskunft", &ClassDialog::disclose);
    button("Klassenübersicht …", "Uebersicht", &ClassDialog::showOverview);
    childButtons->addStretch();
    childRow->addLayout(childButtons);
    layout->addLayout(childRow, 1);

    auto *keepRow = new QHBoxLayout;
    keepRow->addWidget(new QLabel(QStringLiteral("Übungsverlauf löschen, wenn älter als"), this));
    m_retention = new QSpinBox(this);
    m_retention->setObjectName(QStringLiteral("Aufbewahrung"));
    m_retention->setRange(0, 60);
    m_retention->setSpecialValueText(QStringLiteral("nie"));
    m_retention->setSuffix(QStringLiteral(" Monate"));
    keepRow->addWidget(m_retention);
    keepRow->addStretch();
    layout->addLayout(keepRow);
    connect(m_retention, &QSpinBox::editingFinished, this, [this] {
        if (ClassStore *s = m_room.store())
            s->setRetentionMonths(m_retention->value());
    });

    auto *bottom = new QHBoxLayout;
    auto *removeAll = new QPushButton(QStringLiteral("Ganze Klasse löschen …"), this);
    removeAll->setObjectName(QStringLiteral("KlasseLoeschen"));
    connect(removeAll, &QPushButton::clicked, this, &ClassDialog::removeClass);
    bottom->addWidget(removeAll);
    bottom->addStretch();
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("Schliessen"));
    connect(close, &QPushButton::clicked, this, &ClassDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    resize(520, 420);
    fill();
}

void ClassDialog::fill()
{
    const qint64 selected = selectedChild();
    m_name->setText(m_room.className());
    m_children->clear();
    for (const ChildEntry &child : m_room.children()) {
        auto *item = new QListWidgetItem(child.name, m_children);
        item->setData(Qt::UserRole, child.id);
        item->setData(Qt::DecorationRole, QColor(child.colour));
        if (child.id == selected)
            m_children->setCurrentItem(item);
    }
    if (ClassStore *s = m_room.store())
        m_retention->setValue(s->retentionMonths());
}

qint64 ClassDialog::selectedChild() const
{
    const QListWidgetItem *item = m_children->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : -1;
}

void ClassDialog::renameClass()
{
    ClassStore *s = m_room.store();
    if (s && s->renameClass(m_name->text()))
        Q_EMIT m_room.classChanged();
    fill();
}

void ClassDialog::addChild()
{
    const std::optional<QString> name =
        m_dialogs.input(QStringLiteral("Vorname oder Fantasiename des Kindes:"), QStringLiteral("Kind hinzufügen"), QString());
    ClassStore *s = m_room.store();
    if (name && !name->trimmed().isEmpty() && s && s->addChild(*name))
        Q_EMIT m_room.classChanged();
    fill();
}

void ClassDialog::renameChild()
{
    const qint64 child = selectedChild();
    if (child < 0)
        return;
    const std::optional<QString> name = m_dialogs.input(QStringLiteral("Neuer Name des Kindes:"),
                                                        QStringLiteral("Kind umbenennen"),
                                                        m_children->currentItem()->text());
    ClassStore *s = m_room.store();
    if (name && s && s->renameChild(child, *name))
        Q_EMIT m_room.classChanged();
    fill();
}

void ClassDialog::removeChild()
{
    const qint64 child = selectedChild();
    if (child < 0)
        return;
    const Answer answer = m_dialogs.question(
        QStringLiteral("Kind löschen"),
        QStringLiteral("„%1“ mit allem, was über das Kind gespeichert ist, endgültig löschen?")
            .arg(m_children->currentItem()->text()),
        MessageIcon::Warning, Answer::No);
    if (answer == Answer::Yes)
        m_room.removeChild(child);
    fill();
}

void ClassDialog::disclose()
{
    const qint64 child = selectedChild();
    ClassStore *s = m_room.store();
    if (child < 0 || !s)
        return;
    const QString name = m_children->currentItem()->text();
    const std::optional<QString> file = m_dialogs.saveFileName(
        QStringLiteral("Auskunft speichern"), QDir::home().filePath(QStringLiteral("Auskunft %1.txt").arg(name)),
        QStringLiteral("Textdateien (*.txt)"));
    if (!file)
        return;
    QFile out(*file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(s->disclosure(child).toUtf8()) < 0) {
        m_dialogs.message(QStringLiteral("Auskunft"), QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(*file),
                          MessageIcon::Warning);
        return;
    }
    m_dialogs.message(QStringLiteral("Auskunft"), QStringLiteral("Die Auskunft über „%1“ steht in „%2“.").arg(name, *file),
                      MessageIcon::Information);
}

void ClassDialog::removeClass()
{
    const Answer answer = m_dialogs.question(
        QStringLiteral("Klasse löschen"),
        QStringLiteral("Die ganze Klasse „%1“ mit allen Kindern und allem Gespeicherten endgültig löschen?")
            .arg(m_room.className()),
        MessageIcon::Warning, Answer::No);
    if (answer != Answer::Yes)
        return;
    m_room.removeClass();
    QDialog::accept();
}

void ClassDialog::showOverview()
{
    ClassOverview overview(m_room, m_dialogs, this);
    overview.exec();
}
