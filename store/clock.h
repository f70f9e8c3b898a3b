// The program's notion of "now": replaceable, so that tests and benchmarks can fix today.
#pragma once

#include <QDateTime>

namespace store {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The clock in force; the system clock unless one was installed.
const Clock& clock();

// Installs a clock (nullptr brings back the system clock). The caller keeps ownership.
void setClock(const Clock* c);

// A clock that always answers the same moment.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void set(QDateTime at) { at_ = std::move(at); }

private:
    QDateTime at_;
};

} // namespace store
