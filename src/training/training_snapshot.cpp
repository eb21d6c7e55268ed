#include "training/training_snapshot.h"

#include "training/session_statistics.h"

#include <QDataStream>
#include <QIODevice>

namespace {

template<typename T, std::size_t N>
QDataStream &operator<<(QDataStream &out, const std::array<T, N> &values)
{
    for (const T &v : values)
        out << v;
    return out;
}

template<typename T, std::size_t N>
QDataStream &operator>>(QDataStream &in, std::array<T, N> &values)
{
    for (T &v : values)
        in >> v;
    return in;
}

template<std::size_t N>
QDataStream &operator<<(QDataStream &out, const std::bitset<N> &bits)
{
    return out << QByteArray::fromStdString(bits.to_string());
}

template<std::size_t N>
QDataStream &operator>>(QDataStream &in, std::bitset<N> &bits)
{
    QByteArray text;
    in >> text;
    if (text.size() == qsizetype(N))
        bits = std::bitset<N>(text.toStdString());
    else
        in.setStatus(QDataStream::ReadCorruptData);
    return in;
}

QDataStream &operator<<(QDataStream &out, const SessionStatistics::ProblemErrors &p)
{
    return out << p.problem << p.errors << p.byKind << p.unexplained << p.serial;
}

QDataStream &operator>>(QDataStream &in, SessionStatistics::ProblemErrors &p)
{
    return in >> p.problem >> p.errors >> p.byKind >> p.unexplained >> p.serial;
}

constexpr quint32 magic = 0x4d525453; // "MRTS"

} // namespace

void TrainingSnapshot::write(QDataStream &out, const Score &score)
{
    out << score.m_points << score.m_errors << score.m_solved;
}

void TrainingSnapshot::read(QDataStream &in, Score &score)
{
    in >> score.m_points >> score.m_errors >> score.m_solved;
}

void TrainingSnapshot::write(QDataStream &out, const ErrorEvidence &e)
{
    out << e.m_problem << e.m_problemNumber << e.m_errors << e.m_unexplained << e.m_explained << e.m_both
        << e.m_contradicted << e.m_problems << e.m_lastProblem << e.m_shown << e.m_evidence << e.m_occasions
        << e.m_fits << e.m_apart << e.m_rightRun << e.m_everNamed << e.m_beyond << e.m_factEvidence
        << e.m_factBeyond << e.m_factOccasions << e.m_factFits;
}

void TrainingSnapshot::read(QDataStream &in, ErrorEvidence &e)
{
    in >> e.m_problem >> e.m_problemNumber >> e.m_errors >> e.m_unexplained >> e.m_explained >> e.m_both
        >> e.m_contradicted >> e.m_problems >> e.m_lastProblem >> e.m_shown >> e.m_evidence >> e.m_occasions
        >> e.m_fits >> e.m_apart >> e.m_rightRun >> e.m_everNamed >> e.m_beyond >> e.m_factEvidence
        >> e.m_factBeyond >> e.m_factOccasions >> e.m_factFits;
}

void TrainingSnapshot::write(QDataStream &out, const SkillEstimates &s)
{
    out << s.m_parameters.prior << s.m_parameters.learn << s.m_parameters.guess << s.m_parameters.slip << s.m_known
        << s.m_observations << s.m_wrong << s.m_lastTries;
}

void TrainingSnapshot::read(QDataStream &in, SkillEstimates &s)
{
    in >> s.m_parameters.prior >> s.m_parameters.learn >> s.m_parameters.guess >> s.m_parameters.slip >> s.m_known
        >> s.m_observations >> s.m_wrong >> s.m_lastTries;
}

void TrainingSnapshot::write(QDataStream &out, const SessionStatistics &statistics)
{
    for (const SessionStatistics::Trainer &t : statistics.m_trainers) {
        out << t.singleSolved << t.gapSolved << t.rightDigits << t.errors << t.byKind;
        write(out, t.evidence);
        out << qint32(t.worst.size());
        for (const SessionStatistics::ProblemErrors &p : t.worst)
            out << p;
        out << t.current << t.estimateRightDigits << t.estimateErrors << t.skillsShown << t.tried << t.wrongAtFirst;
    }
    write(out, statistics.m_skills);
    out << statistics.m_serial;
}

void TrainingSnapshot::read(QDataStream &in, SessionStatistics &statistics)
{
    for (SessionStatistics::Trainer &t : statistics.m_trainers) {
        in >> t.singleSolved >> t.gapSolved >> t.rightDigits >> t.errors >> t.byKind;
        read(in, t.evidence);
        qint32 worst = 0;
        in >> worst;
        t.worst.clear();
        for (qint32 i = 0; i < worst && i <= SessionStatistics::worstKept && in.status() == QDataStream::Ok; ++i) {
            SessionStatistics::ProblemErrors p;
            in >> p;
            t.worst << p;
        }
        in >> t.current >> t.estimateRightDigits >> t.estimateErrors >> t.skillsShown >> t.tried >> t.wrongAtFirst;
    }
    read(in, statistics.m_skills);
    in >> statistics.m_serial;
}

QByteArray TrainingSnapshot::of(const Training &training)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << magic << qint32(version);
    for (const Score &score : training.scores)
        write(out, score);
    write(out, training.statistics);
    return bytes;
}

bool TrainingSnapshot::restore(const QByteArray &bytes, Training &training)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 stamp = 0;
    qint32 stampedVersion = 0;
    in >> stamp >> stampedVersion;
    if (stamp != magic || stampedVersion != version)
        return false;
    std::array<Score, trainerKindCount> scores;
    for (Score &score : scores)
        read(in, score);
    SessionStatistics statistics;
    read(in, statistics);
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return false;
    training.scores = scores;
    training.statistics = std::move(statistics);
    return true;
}
