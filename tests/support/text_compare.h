#pragma once

#include <QByteArray>

namespace mokpe::test {

// Fails the test when the bytes differ, naming the first line that differs
// and showing both lines decoded from CP932 (a byte dump says little).
void expectSameCp932Bytes(const QByteArray &actual, const QByteArray &expected);

} // namespace mokpe::test
