#include "common/cp932_line_writer.h"

#include "common/text_file.h"

#include <QIODevice>

namespace mokpe::common {

namespace {

// Characters gathered before they are converted and written.
constexpr qsizetype kChunkCharacters = 32 * 1024;

} // namespace

Cp932LineWriter::Cp932LineWriter(QIODevice &device) : device_(device)
{
    pending_.reserve(kChunkCharacters + 1024);
    if (!encoder_.valid())
        error_ = QStringLiteral("Shift_JIS(CP932)の変換を開始できません．");
}

void Cp932LineWriter::append(QStringView text)
{
    pending_.append(text);
}

void Cp932LineWriter::endLine()
{
    pending_.append(QLatin1String("\r\n"));
    if (pending_.size() >= kChunkCharacters)
        flush();
}

void Cp932LineWriter::flush()
{
    if (pending_.isEmpty() || failed()) {
        pending_.clear();
        return;
    }
    bytes_.clear();
    const qsizetype bad = encoder_.encodeAppend(pending_, bytes_);
    if (bad >= 0) {
        qint64 line = linesDone_ + 1;
        qsizetype lineStart = 0;
        for (qsizetype i = 0; i < bad; ++i) {
            if (pending_.at(i) == QLatin1Char('\n')) {
                ++line;
                lineStart = i + 1;
            }
        }
        error_ = QStringLiteral("%1行目%2文字目の文字%3は，Shift_JIS(CP932)で書き出せません．")
                     .arg(line)
                     .arg(bad - lineStart + 1)
                     .arg(describeCharacter(pending_.at(bad)));
        pending_.clear();
        return;
    }
    linesDone_ += pending_.count(QLatin1Char('\n'));
    pending_.clear();
    if (device_.write(bytes_) != bytes_.size()) {
        error_ = writeFailureReason(device_);
    }
}

QString Cp932LineWriter::finish()
{
    flush();
    return error_;
}

} // namespace mokpe::common
