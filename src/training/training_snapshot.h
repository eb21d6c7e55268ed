#pragma once

#include <QByteArray>

class ErrorEvidence;
class QDataStream;
class Score;
class SessionStatistics;
class SkillEstimates;
struct Training;

// What a child's history has made of its training (points, errors, progress, statistics,
// evidence, skills), in bytes, so that a child with a long history opens without reading it
// all again. Only a cache: the history stays the source of truth, and a snapshot of another
// version is not read, so the history is read anew.
struct TrainingSnapshot
{
    // One more whenever a member, the reading of the history or the tutor's rules change.
    static constexpr int version = 2;

    static QByteArray of(const Training &training);
    // Restores the scores and statistics; the switches of the run stay. False (and
    // `training` untouched) if `bytes` are no snapshot of this version.
    static bool restore(const QByteArray &bytes, Training &training);

private:
    // Each class's members in the order they are declared.
    static void write(QDataStream &out, const Score &score);
    static void read(QDataStream &in, Score &score);
    static void write(QDataStream &out, const ErrorEvidence &evidence);
    static void read(QDataStream &in, ErrorEvidence &evidence);
    static void write(QDataStream &out, const SkillEstimates &skills);
    static void read(QDataStream &in, SkillEstimates &skills);
    static void write(QDataStream &out, const SessionStatistics &statistics);
    static void read(QDataStream &in, SessionStatistics &statistics);
};
