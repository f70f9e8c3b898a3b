// The calculator service: starts a desktop calculator program and closes the ones it started.
#pragma once

#include <QList>
#include <QStringList>

namespace platform {

class Calculator {
public:
    virtual ~Calculator() = default;
    // Starts another calculator, detached, and returns at once. Nothing happens (and nothing is
    // reported) when there is no calculator to start.
    virtual void start() = 0;
    // Asks one calculator that we started and that still runs to close (the latest one first).
    virtual void closeOne() = 0;
};

// Does nothing: offscreen, tests, platforms without a desktop calculator.
class NullCalculator : public Calculator {
public:
    void start() override {}
    void closeOne() override {}
};

// Starts the first program of its list that is installed; closes one with a close request (SIGTERM),
// as its own close box would. Only processes it started itself are ever closed.
class DesktopCalculator : public Calculator {
public:
    // The calculators looked for, in order: names on PATH or absolute paths.
    static QStringList defaultPrograms();

    explicit DesktopCalculator(QStringList programs = defaultPrograms());

    void start() override;
    void closeOne() override;

    // The program that start() runs, or an empty text when none of the list is installed.
    QString program() const;
    // Process ids of the calculators we started that still run, oldest first.
    QList<qint64> running() const;

private:
    QStringList programs_;
    mutable QList<qint64> started_;
};

} // namespace platform
