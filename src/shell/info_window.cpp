#include "shell/info_window.h"

#include "platform/qt_dialogs.h"
#include "seams/dialogs.h"
#include "seams/services.h"
#include "shell/class_dialogs.h"
#include "shell/class_room.h"
#include "shell/report_window.h"
#include "training/session_statistics.h"
#include "widgets/clickable_label.h"
#include "widgets/plain_look.h"
#include "widgets/window_geometry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QResizeEvent>
#include <QShowEvent>

namespace {

constexpr int infoWidth = 520;
constexpr int infoHeight = 388;

const char *const noticeText =
    "Freeware: Das Programm darf kostenlos benutzt und weitergegeben,\r\n"
    "aber nicht verkauft werden.";

const char *const newChildTitle = "Neues Kind";
const char *const newChildText =
    "Für das nächste Kind neu beginnen?\r"
    "\r"
    "Punkte, Fehler und Fortschritt aller Trainer und die\r"
    "Auswertung beginnen wieder bei null; ein angefangenes\r"
    "Memory beginnt neu.\r"
    "Die Auswertung vorher drucken oder kopieren, wenn sie noch\r"
    "gebraucht wird. Die Schalter und die Druckersperre bleiben.\r\r";

QString contactText()
{
    return QStringLiteral("Malrechnen, Version %1\r\n"
                          "Übungsprogramm für die schriftliche Multiplikation")
        .arg(QStringLiteral(MALRECHNEN_VERSION));
}

} // namespace

InfoWindow::InfoWindow(Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
    , m_scaler(this, QSize(infoWidth, infoHeight))
{
    setObjectName(QStringLiteral("ZEPLABEL"));
    setWindowTitle(QStringLiteral("Programm-Info"));
    // Drawn at this size; opens scaled to the screen like the menu and scales with the window.
    setMinimumSize(infoWidth, infoHeight);
    resize(infoWidth, infoHeight);

    auto *banner = new QFrame(this);
    banner->setGeometry(0, 0, infoWidth, 64);
    banner->setAutoFillBackground(true);
    setColour(banner, QPalette::Window, QColor(0, 0, 128));
    auto *title = new QLabel(QStringLiteral("M u l t i p l i k a t i o n"), banner);
    title->setObjectName(QStringLiteral("title"));
    title->setGeometry(88, 0, infoWidth - 100, 64);
    title->setFont(sizedFont(title->font(), 22, true));
    setColour(title, QPalette::WindowText, Qt::white);

    m_picture = new TileLabel(QStringLiteral("×"), QColor(200, 140, 0), this);
    m_picture->setObjectName(QStringLiteral("Bild1"));
    m_picture->setGeometry(16, 4, 56, 56);
    m_picture->setFont(sizedFont(m_picture->font(), 18, true));
    m_picture->setCursor(Qt::PointingHandCursor);
    m_picture->setToolTip(QStringLiteral("Schließen"));

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("Bezeichnung6"));
    m_notice->setGeometry(24, 80, infoWidth - 48, 56);
    m_notice->setWordWrap(true);

    m_contact = new QLabel(this);
    m_contact->setObjectName(QStringLiteral("Bezeichnung7"));
    m_contact->setGeometry(24, 144, infoWidth - 48, 44);
    setColour(m_contact, QPalette::WindowText, QColor(0, 0, 96));

    // The switches of the run: each box shows its value and sets it.
    const auto runSwitch = [this](const char *caption, const char *name, int top, bool Training::*value,
                                  const char *tip) {
        auto *box = new QCheckBox(QString::fromUtf8(caption), this);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(24, top, 300, 28);
        box->setChecked(m_services.training.*value);
        box->setToolTip(QString::fromUtf8(tip));
        connect(box, &QCheckBox::toggled, this, [this, value](bool on) { m_services.training.*value = on; });
    };
    // A new info window starts locked, whatever an earlier one was left at.
    services.training.printLocked = true;
    runSwitch("  Druckmodus deaktivieren", "Kontroll1", 196, &Training::printLocked,
              "Angekreuzt: Drucken nur mit Kennwort");
    runSwitch("  Tipps nach Fehlern zeigen", "Tipps", 226, &Training::hintsShown,
              "Nach einer falschen Ziffer erklärt ein Tipp den Rechenschritt");
    runSwitch("  Überschlag rechnen", "Ueberschlag", 256, &Training::estimateFirst,
              "Jede Malaufgabe beginnt mit einem Überschlag; gilt ab der nächsten Aufgabe");
    runSwitch("  Aufgaben passend zum Kind auswählen", "Passend", 286, &Training::fitToChild,
              "Die Trainer wählen Aufgaben, die üben, was das Kind noch nicht sicher kann");

    auto *report = new QPushButton(QStringLiteral("Auswertung"), this);
    report->setObjectName(QStringLiteral("Auswertungsknopf"));
    report->setGeometry(infoWidth - 24 - 160, 198, 160, 34);
    report->setToolTip(QStringLiteral("Was in diesem Programmlauf geübt wurde, mit den Fehlern"));
    connect(report, &QPushButton::clicked, this, &InfoWindow::showReport);

    auto *newChild = new QPushButton(QStringLiteral("Neues Kind"), this);
    newChild->setObjectName(QStringLiteral("NeuesKind"));
    newChild->setGeometry(infoWidth - 24 - 160, 242, 160, 34);
    newChild->setToolTip(
        QStringLiteral("Punkte, Fehler, Fortschritt und Auswertung für das nächste Kind auf null"));
    connect(newChild, &QPushButton::clicked, this, &InfoWindow::askNewChild);

    auto *okay = new ClickableLabel(this);
    okay->setObjectName(QStringLiteral("Bezeichnung1"));
    okay->setText(QStringLiteral("O k a y"));
    okay->setAlignment(Qt::AlignCenter);
    okay->setGeometry((infoWidth - 120) / 2, 336, 120, 36);
    okay->setCursor(Qt::PointingHandCursor);
    okay->setFont(sizedFont(okay->font(), 15, true));
    okay->setStyleSheet(QStringLiteral("background-color: rgb(0, 0, 128); color: white;"
                                       " border-radius: 6px;"));

    connect(m_picture, &ClickableLabel::clicked, this, &InfoWindow::HideWindow);
    connect(okay, &ClickableLabel::clicked, this, &InfoWindow::HideWindow);
}

ReportWindow *InfoWindow::showReport()
{
    if (!m_report)
        m_report = new ReportWindow(m_services, this);
    m_report->hide(); // shown anew: the report is written as the run stands now
    // On the screen of the info window.
    m_report->setScreen(screen());
    m_report->move(screen()->availableGeometry().topLeft());
    m_report->show();
    m_report->raise();
    m_report->activateWindow();
    return m_report;
}

void InfoWindow::askNewChild()
{
    if (m_room && m_room->hasClass()) {
        Q_EMIT changeChildRequested();
        return;
    }
    const Answer answer = m_services.dialogs.question(QString::fromUtf8(newChildTitle),
                                                      QString::fromUtf8(newChildText),
                                                      MessageIcon::Question, Answer::No);
    if (answer != Answer::Yes)
        return;
    Q_EMIT newChildConfirmed();
    if (m_report && m_report->isVisible())
        m_report->refresh();
}

void InfoWindow::HideWindow()
{
    hide();
}

void InfoWindow::fillTexts()
{
    m_notice->setText(QtDialogs::displayText(QString::fromUtf8(noticeText)));
    m_contact->setText(QtDialogs::displayText(contactText()));
}

void InfoWindow::fitToSize()
{
    m_scaler.apply();
    // The boxes to tick grow with their captions.
    const QString indicator = QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                                  .arg(qRound(13 * m_scaler.scale()));
    for (QCheckBox *box : findChildren<QCheckBox *>())
        box->setStyleSheet(indicator);
}

void InfoWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (!m_sized) {
            m_scaler.sizeForScreenOnce();
            m_sized = true;
            fitToSize();
        }
        centreOnScreen(this, 4);
        fillTexts();
    }
    QWidget::showEvent(event);
}

void InfoWindow::resizeEvent(QResizeEvent *event)
{
    // Scaled once it has the size it opens at, not before.
    if (m_sized)
        fitToSize();
    QWidget::resizeEvent(event);
}

void InfoWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        HideWindow();
    else
        QWidget::keyPressEvent(event);
}

void InfoWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The window and the unlock with it are thrown away.
    m_services.training.printLocked = true;
    Q_EMIT closedByFrame();
}

void InfoWindow::setClassRoom(ClassRoom *room)
{
    m_room = room;
    m_classButton = new QPushButton(this);
    m_classButton->setObjectName(QStringLiteral("KlasseEinrichten"));
    m_classButton->setGeometry(infoWidth - 24 - 160, 286, 160, 34);
    connect(m_classButton, &QPushButton::clicked, this, &InfoWindow::openClass);
    m_storing = new QLabel(this);
    m_storing->setObjectName(QStringLiteral("Speicherstand"));
    m_storing->setGeometry(24, 321, infoWidth - 48, 15);
    m_storing->setFont(sizedFont(m_storing->font(), 11, false));
    connect(room, &ClassRoom::classChanged, this, &InfoWindow::showClassState);
    connect(room, &ClassRoom::storingFailed, this, [this](const QString &text) {
        showClassState();
        m_services.dialogs.message(QStringLiteral("Klasse"), text, MessageIcon::Warning);
    });
    showClassState();
}

void InfoWindow::showClassState()
{
    const bool hasClass = m_room->hasClass();
    m_classButton->setText(hasClass ? QStringLiteral("Klasse verwalten") : QStringLiteral("Klasse einrichten"));
    m_classButton->setToolTip(hasClass ? QStringLiteral("Kinder, Auskunft und Löschen; mit der PIN der Lehrkraft")
                                       : QStringLiteral("Eine Klasse anlegen: Malrechnen merkt sich dann jedes Kind"));
    if (auto *newChild = findChild<QPushButton *>(QStringLiteral("NeuesKind"))) {
        newChild->setText(hasClass ? QStringLiteral("Kind wechseln") : QStringLiteral("Neues Kind"));
        newChild->setToolTip(hasClass ? QStringLiteral("Zurück zu „Wer rechnet?“; der Fortschritt bleibt gespeichert")
                                      : QStringLiteral("Punkte, Fehler, Fortschritt und Auswertung für das nächste Kind auf null"));
    }
    const QString state = m_room->storingState();
    m_storing->setText(state);
    m_storing->setToolTip(state);
}

void InfoWindow::openClass()
{
    if (!m_room->hasClass()) {
        ClassSetupDialog setup(*m_room, m_services.dialogs, this);
        setup.exec();
        return;
    }
    PinDialog pin(*m_room, this);
    if (pin.exec() != QDialog::Accepted)
        return;
    ClassDialog manage(*m_room, m_services.dialogs, this);
    manage.exec();
    showClassState();
}
