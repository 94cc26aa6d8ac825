#pragma once

#include <QByteArray>
#include <QIODevice>

namespace mokpe::test {

// A device that takes the first `capacity` bytes written and then fails, as a
// disk that fills up in the middle of a file does: the write that crosses the
// capacity is cut short, every later one fails with `reason`.
class FailingDevice final : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity, QString reason = QStringLiteral("No space left on device"));
    // The bytes that reached the device.
    const QByteArray &written() const { return written_; }
    // Writes attempted after the device had failed.
    int writesAfterFailure() const { return writesAfterFailure_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    qint64 capacity_;
    QString reason_;
    QByteArray written_;
    bool failed_ = false;
    int writesAfterFailure_ = 0;
};

} // namespace mokpe::test
