#include "trainers/common/score_bar.h"

#include "training/score.h"
#include "widgets/design_scaler.h"
#include "widgets/reading_font.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

// The star climbs its track one step per solved problem.
constexpr int markerBottom = 4680; // twips
constexpr int markerStep = 240;
constexpr int markerTopmost = markerBottom - Score::problemsPerMemory * markerStep;
constexpr int markerSize = 24;
constexpr int markerLeft = 14;

QPixmap markerPixmap(int size)
{
    const qreal ratio = 4.0; // stays sharp in a maximised window
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? size / 2.0 - 1 : size / 4.5;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(size / 2.0 + radius * std::cos(angle), size / 2.0 + radius * std::sin(angle));
    }
    painter.setPen(QPen(QColor(160, 100, 0), 1.5));
    painter.setBrush(QColor(255, 200, 0));
    painter.drawPolygon(star);
    return pixmap;
}

// A counter: its caption, its value and the hidden mirror of the value.
std::pair<QLabel *, QLabel *> addCounter(QWidget *window, const char *caption, const char *name,
                                         const char *mirror, QPoint at)
{
    auto *title = new QLabel(QString::fromUtf8(caption), window);
    title->setGeometry(at.x(), at.y(), 60, 28);
    QFont font = title->font();
    font.setPixelSize(15);
    title->setFont(font);
    auto *value = new QLabel(QStringLiteral("0"), window);
    value->setObjectName(QLatin1String(name));
    value->setGeometry(at.x() + 64, at.y(), 60, 28);
    QFont digits = readingFont(true);
    digits.setPixelSize(20);
    value->setFont(digits);
    value->setAccessibleDescription(QString::fromUtf8(caption).chopped(1));
    auto *copy = new QLabel(QStringLiteral("0"), window);
    copy->setObjectName(QLatin1String(mirror));
    copy->hide();
    return {value, copy};
}

} // namespace

ScoreBar::ScoreBar(QWidget *window, DesignScaler &scaler, QPoint points, QPoint errors)
    : m_scaler(scaler)
{
    std::tie(m_points, m_pointsMirror) = addCounter(window, "Punkte:", "Bezeichnung16", "Bezeichnung22", points);
    std::tie(m_errors, m_errorsMirror) = addCounter(window, "Fehler:", "Bezeichnung15", "Bezeichnung23", errors);

    auto *track = new QFrame(window);
    track->setObjectName(QStringLiteral("progressTrack"));
    track->setGeometry(markerLeft + markerSize / 2 - 3, twipsToPx(markerTopmost), 6,
                       twipsToPx(markerBottom - markerTopmost) + markerSize);
    track->setStyleSheet(QStringLiteral("background-color: rgb(200, 210, 230); border-radius: 3px;"));
    m_marker = new QLabel(window);
    m_marker->setObjectName(QStringLiteral("Bild1"));
    m_marker->setPixmap(markerPixmap(markerSize));
    m_marker->setScaledContents(true);
    m_marker->setToolTip(QStringLiteral("Gelöste Aufgaben"));
}

void ScoreBar::show(const Score &score)
{
    const QString points = QString::number(score.points());
    const QString errors = QString::number(score.errors());
    m_points->setText(points);
    m_pointsMirror->setText(points);
    m_errors->setText(errors);
    m_errorsMirror->setText(errors);
    // A pupil who leaves the Memory notice alone keeps solving: the count goes on, the
    // marker waits at the top of its track instead of leaving the window.
    const int goal = Score::problemsPerMemory;
    const int steps = qMin(score.solvedSinceMemory(), goal);
    m_scaler.setDesignGeometry(m_marker, QRect(markerLeft, twipsToPx(markerBottom - steps * markerStep),
                                               markerSize, markerSize));
    m_marker->setAccessibleDescription(
        QStringLiteral("Fortschritt: %1 von %2 Aufgaben gelöst").arg(steps).arg(goal));
}
