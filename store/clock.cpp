// The system clock and the installable replacement.
#include "store/clock.h"

namespace store {
namespace {
class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
const SystemClock systemClock;
const Clock* installed = nullptr;
} // namespace

const Clock& clock() {
    return installed ? *installed : systemClock;
}

void setClock(const Clock* c) {
    installed = c;
}

} // namespace store
