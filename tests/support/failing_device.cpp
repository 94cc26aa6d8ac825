#include "support/failing_device.h"

#include <algorithm>

namespace mokpe::test {

FailingDevice::FailingDevice(qint64 capacity, QString reason)
    : capacity_(capacity), reason_(std::move(reason))
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 FailingDevice::readData(char *, qint64)
{
    return -1;
}

qint64 FailingDevice::writeData(const char *data, qint64 size)
{
    if (failed_) {
        ++writesAfterFailure_;
        return -1;
    }
    const qint64 room = capacity_ - written_.size();
    const qint64 taken = std::min(room, size);
    written_.append(data, static_cast<qsizetype>(taken));
    if (taken < size) {
        failed_ = true;
        setErrorString(reason_);
        // A short write where some bytes fitted, a failure where none did.
        return taken > 0 ? taken : -1;
    }
    return size;
}

} // namespace mokpe::test
