#include "shell/class_overview.h"

#include "seams/dialogs.h"
#include "shell/class_room.h"
#include "shell/report_pictures.h"
#include "training/report.h"
#include "training/session_statistics.h"
#include "training/skills.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ClassOverview::ClassOverview(ClassRoom &room, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_room(room)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Klassenuebersicht"));
    setWindowTitle(QStringLiteral("Klassenübersicht"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("Kopfzeile"));
    title->setText(QStringLiteral("Klasse %1, Stand %2")
                       .arg(m_room.className(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
    layout->addWidget(title);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("Tabelle"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_table, 1);
    auto *buttons = new QHBoxLayout;
    auto *csv = new QPushButton(QStringLiteral("Als CSV speichern …"), this);
    csv->setObjectName(QStringLiteral("CsvSpeichern"));
    connect(csv, &QPushButton::clicked, this, &ClassOverview::saveCsv);
    buttons->addWidget(csv);
    buttons->addStretch();
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    connect(close, &QPushButton::clicked, this, &ClassOverview::accept);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(980, 560);
    fill();
}

void ClassOverview::fill()
{
    ClassStore *store = m_room.store();
    const QList<ChildEntry> children = m_room.children();
    QStringList headings = {QStringLiteral("Kind"), QStringLiteral("Zuletzt geübt"),
                            QStringLiteral("Aufgaben diese Woche")};
    for (int i = 0; i < methodSkillCount; ++i)
        headings << skillName(Skill::method(MethodSkill(i)));
    headings << QStringLiteral("Einmaleins sicher") << QStringLiteral("Auffällig");
    m_table->setColumnCount(int(headings.size()));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setRowCount(int(children.size()));
    const QDate today = QDate::currentDate();
    const qint64 weekStart = today.addDays(1 - today.dayOfWeek()).startOfDay().toMSecsSinceEpoch();
    for (int row = 0; row < children.size() && store; ++row) {
        const ChildEntry &child = children[row];
        Training training;
        store->childState(child.id, training);
        const ChildActivity activity = store->activity(child.id, weekStart);
        int column = 0;
        const auto put = [&](const QString &text, std::optional<QColor> colour = std::nullopt) {
            auto *item = new QTableWidgetItem(text);
            if (colour)
                item->setBackground(*colour);
            m_table->setItem(row, column++, item);
        };
        auto *name = new QTableWidgetItem(child.name);
        name->setData(Qt::DecorationRole, QColor(child.colour));
        m_table->setItem(row, column++, name);
        put(activity.lastMsecs ? QDateTime::fromMSecsSinceEpoch(activity.lastMsecs).toString(QStringLiteral("dd.MM.yyyy"))
                               : QStringLiteral("noch nie"));
        put(QString::number(activity.solvedSince));
        const SkillEstimates &skills = training.statistics.skills();
        for (int i = 0; i < methodSkillCount; ++i) {
            const SkillState state = skills.state(Skill::method(MethodSkill(i)));
            put(skillStateName(state), skillStateColour(state));
        }
        int facts = 0;
        for (int i = 0; i < Skill::factCount; ++i)
            facts += skills.state(Skill::fromIndex(i)) == SkillState::Mastered;
        put(QStringLiteral("%1 von %2").arg(facts).arg(Skill::factCount));
        QStringList striking;
        for (TrainerKind t : trainerKinds()) {
            if (const std::optional<ErrorEvidence::Pattern> pattern = namedPattern(training.statistics.trainer(t))) {
                for (ErrorKind kind : pattern->kinds) {
                    if (!striking.contains(errorKindName(kind)))
                        striking << errorKindName(kind);
                }
            }
        }
        put(striking.join(QStringLiteral(", ")));
    }
    m_table->resizeColumnsToContents();
}

QString ClassOverview::csv() const
{
    const auto cell = [](QString text) {
        if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')))
            text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
        return text;
    };
    QStringList lines;
    QStringList heading;
    for (int c = 0; c < m_table->columnCount(); ++c)
        heading << cell(m_table->horizontalHeaderItem(c)->text());
    lines << heading.join(QLatin1Char(';'));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m_table->columnCount(); ++c)
            row << cell(m_table->item(r, c) ? m_table->item(r, c)->text() : QString());
        lines << row.join(QLatin1Char(';'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void ClassOverview::saveCsv()
{
    const std::optional<QString> file = m_dialogs.saveFileName(
        QStringLiteral("Klassenübersicht speichern"),
        QDir::home().filePath(QStringLiteral("Klasse %1.csv").arg(m_room.className())),
        QStringLiteral("CSV-Dateien (*.csv)"));
    if (!file)
        return;
    QFile out(*file);
    // With a byte order mark, so that spreadsheets read the umlauts right.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write("\xEF\xBB\xBF" + csv().toUtf8()) < 0)
        m_dialogs.message(QStringLiteral("Klassenübersicht"),
                          QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(*file), MessageIcon::Warning);
}
