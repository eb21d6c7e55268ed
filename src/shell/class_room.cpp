#include "shell/class_room.h"

#include "seams/dialogs.h"
#include "training/session_statistics.h"

#include <QMetaObject>
#include <QPointer>
#include <QRegularExpression>

ClassRoom::ClassRoom(Training &training, Dialogs &dialogs, const QString &file)
    : m_training(training)
    , m_dialogs(dialogs)
    , m_store(file)
{
}

ClassRoom::~ClassRoom() = default;

bool ClassRoom::hasClass() const
{
    return m_store.classMayExist();
}

ClassStore *ClassRoom::store()
{
    if (m_store.loaded())
        return m_store.loaded();
    QString failure;
    ClassStore *store = m_store.store(&failure);
    if (!store) {
        if (!m_told)
            m_dialogs.message(QStringLiteral("Klasse"), failure, MessageIcon::Warning);
        m_told = true;
        return nullptr;
    }
    // The writer thread finds a full disk; the window's thread tells the teacher.
    QPointer<ClassRoom> self(this);
    store->setFailureHandler([self](const QString &text) {
        QMetaObject::invokeMethod(
            self, [self, text] {
                if (self)
                    Q_EMIT self->storingFailed(text);
            },
            Qt::QueuedConnection);
    });
    if (!store->problem().isEmpty()) {
        m_dialogs.message(QStringLiteral("Klasse"), store->problem(), MessageIcon::Warning);
        m_told = true;
    }
    return store;
}

QList<ChildEntry> ClassRoom::children()
{
    ClassStore *s = hasClass() ? store() : nullptr;
    return s ? s->children() : QList<ChildEntry>();
}

QString ClassRoom::className()
{
    ClassStore *s = hasClass() ? store() : nullptr;
    return s ? s->className() : QString();
}

QString ClassRoom::storingState()
{
    if (!hasClass())
        return QStringLiteral("Keine Klasse eingerichtet: Es wird nichts gespeichert.");
    ClassStore *s = store();
    if (!s || !s->isStoring())
        return QStringLiteral("Speichern nicht möglich: ") + (s ? s->problem() : QStringLiteral("Programmteil fehlt."));
    return QStringLiteral("Klasse „%1“: Der Fortschritt jedes Kindes wird auf diesem Computer gespeichert.")
        .arg(s->className());
}

bool ClassRoom::pick(qint64 child)
{
    ClassStore *s = store();
    if (!s)
        return false;
    const QList<ChildEntry> entries = s->children();
    const auto it = std::find_if(entries.cbegin(), entries.cend(), [child](const ChildEntry &e) { return e.id == child; });
    if (it == entries.cend())
        return false;
    m_training.practiceLog = nullptr;
    m_log = s->startChild(child, m_training);
    m_training.practiceLog = m_log;
    m_child = *it;
    Q_EMIT childChanged();
    return true;
}

void ClassRoom::leave()
{
    m_log = nullptr;
    m_training.practiceLog = nullptr;
    m_child.reset();
    m_training.startNewChild();
    Q_EMIT childChanged();
}

QStringList ClassRoom::namesOf(const QString &text)
{
    QStringList names;
    static const QRegularExpression separators(QStringLiteral("[;,\\t]"));
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts)) {
        QString name = line.section(separators, 0, 0).trimmed();
        if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2).trimmed();
        if (name.isEmpty() || (names.isEmpty() && (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0
                                                   || name.compare(QLatin1String("Vorname"), Qt::CaseInsensitive) == 0)))
            continue;
        if (!names.contains(name))
            names << name;
    }
    return names;
}

std::optional<QString> ClassRoom::setUpClass(const QString &name, const QString &pin, const QString &pinAgain,
                                             const QString &children)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Bitte einen Namen für die Klasse eingeben.");
    static const QRegularExpression digits(QStringLiteral("^[0-9]{4,}$"));
    if (!digits.match(pin).hasMatch())
        return QStringLiteral("Die PIN muss aus mindestens 4 Ziffern bestehen.");
    if (pin != pinAgain)
        return QStringLiteral("Die beiden PINs stimmen nicht überein.");
    const QStringList names = namesOf(children);
    if (names.isEmpty())
        return QStringLiteral("Bitte die Kinder eintragen: Vornamen oder Fantasienamen, einen je Zeile.");
    ClassStore *s = store();
    if (!s)
        return QStringLiteral("Die Klasse kann nicht eingerichtet werden.");
    if (!s->setUpClass(name, pin, names))
        return QStringLiteral("Die Klasse kann nicht eingerichtet werden. ") + s->problem();
    Q_EMIT classChanged();
    return std::nullopt;
}

int ClassRoom::waitSeconds() const
{
    return m_lockedUntil.isValid() ? std::max<qint64>(0, m_clock().secsTo(m_lockedUntil)) : 0;
}

bool ClassRoom::unlock(const QString &pin)
{
    if (waitSeconds() > 0)
        return false;
    ClassStore *s = store();
    if (s && s->checkPin(pin)) {
        m_wrongPins = 0;
        return true;
    }
    if (++m_wrongPins >= 3) {
        m_wrongPins = 0;
        m_lockedUntil = m_clock().addSecs(60);
    }
    return false;
}

bool ClassRoom::removeChild(qint64 child)
{
    ClassStore *s = store();
    if (!s || !s->removeChild(child))
        return false;
    if (m_child && m_child->id == child)
        leave();
    Q_EMIT classChanged();
    return true;
}

bool ClassRoom::removeClass()
{
    ClassStore *s = store();
    if (!s)
        return false;
    m_training.practiceLog = nullptr;
    m_log = nullptr;
    const bool removed = s->removeClass();
    if (m_child)
        leave();
    Q_EMIT classChanged();
    return removed;
}
