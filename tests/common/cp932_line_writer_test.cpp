#include "common/cp932_line_writer.h"

#include "common/cp932.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

TEST(Cp932LineWriter, LongTextCrossesChunksUnchanged)
{
    // Lines of mixed widths, long enough to be converted in several pieces.
    QStringList lines;
    for (int i = 0; i < 20000; ++i)
        lines.append(
            QStringLiteral("%1,旅費交通費,ﾁｬｰｼﾞ,～,\\,%2").arg(i).arg(QString(i % 7, QChar(0x3000))));
    QByteArray expected;
    for (const QString &line : lines)
        expected += encodeCp932(line).bytes + "\r\n";

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Cp932LineWriter writer(buffer);
    for (const QString &line : lines) {
        writer.append(line);
        writer.endLine();
    }
    EXPECT_EQ(writer.finish(), QString());
    EXPECT_EQ(buffer.data(), expected);
}

TEST(Cp932LineWriter, ACharacterCp932CannotHoldStopsTheWritingAndIsPlaced)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Cp932LineWriter writer(buffer);
    for (int i = 0; i < 5000; ++i) {
        writer.append(i == 4321 ? QStringLiteral("ab😀") : QStringLiteral("line %1").arg(i));
        writer.endLine();
    }
    writer.append(QStringLiteral("after"));
    const QString error = writer.finish();
    EXPECT_TRUE(error.startsWith(QStringLiteral("4322行目3文字目の文字")));
    EXPECT_TRUE(error.endsWith(QStringLiteral("は，Shift_JIS(CP932)で書き出せません．")));
    EXPECT_TRUE(writer.failed());
    // Nothing of the piece with the bad character, nor after it, reached the device.
    EXPECT_FALSE(buffer.data().contains("line 4320"));
    EXPECT_FALSE(buffer.data().contains("after"));
}

struct BadCharacterPlace {
    QStringList texts; // each ends a line, "\n" inside a text also ends one
    QString place;
};

TEST(Cp932LineWriter, TheBadCharacterIsPlacedByLineAndCharacter){
    // Full-width characters take two bytes and count as one; a line feed inside
    // a text starts a new line.
    const std::vector<BadCharacterPlace> cases = {
        {{QStringLiteral("é")}, QStringLiteral("1行目1文字目")},
        {{QStringLiteral("ab"), QStringLiteral("仮払金ｱ,é")}, QStringLiteral("2行目6文字目")},
        {{QStringLiteral("旅費\n交通é")}, QStringLiteral("2行目3文字目")},
        // glibc writes U+00A5 as 0x5C; Windows holds it only by best fit.
        {{QStringLiteral("\\～"), QStringLiteral(""), QStringLiteral("\u00a5x😀")},
#ifdef Q_OS_WIN
         QStringLiteral("3行目1文字目")},
#else
         QStringLiteral("3行目3文字目")},
#endif
    };
for (const BadCharacterPlace &c : cases) {
    SCOPED_TRACE(c.place.toStdString());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Cp932LineWriter writer(buffer);
    for (const QString &text : c.texts) {
        writer.append(text);
        writer.endLine();
    }
    const QString error = writer.finish();
    EXPECT_TRUE(error.startsWith(c.place + QStringLiteral("の文字"))) << error.toStdString();
    EXPECT_TRUE(buffer.data().isEmpty());
}
} // namespace

TEST(Cp932LineWriter, LastingTextsGiveTheBytesOfTheirCharacters)
{
    // Texts that stay where they are come again and again, beside texts that
    // change in place (a row number in one buffer) and ones too long to be
    // remembered: every line holds the bytes of what it was given.
    const QStringList cells = {QStringLiteral("旅費交通"),
                               QStringLiteral("電子マネー"),
                               QStringLiteral("場 JR東 渋谷 出 JR東 上野　"),
                               QString(50, QChar(0x3000)),
                               QStringLiteral("210"),
                               QString()};
    QString number;
    QByteArray expected;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Cp932LineWriter writer(buffer);
    for (int i = 0; i < 3000; ++i) {
        const QString &cell = cells.at(i % cells.size());
        number.setNum(i);
        writer.appendLasting(u"1000,0,\"");
        writer.appendLasting(cell);
        writer.append(QLatin1Char('"'));
        writer.append(number);
        writer.appendLasting(QStringView(cell).left(3));
        writer.endLine();
        expected +=
            encodeCp932(QStringLiteral("1000,0,\"") + cell + QLatin1Char('"') + number + cell.left(3)).bytes +
            "\r\n";
    }
    EXPECT_EQ(writer.finish(), QString());
    EXPECT_EQ(buffer.data(), expected);
}

TEST(Cp932LineWriter, ALastingTextCp932CannotHoldIsPlacedLikeAnyOther)
{
    const QString summary = QStringLiteral("ab\u00e9");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Cp932LineWriter writer(buffer);
    writer.appendLasting(u"旅費");
    writer.endLine();
    writer.appendLasting(u"旅費");
    writer.appendLasting(summary);
    writer.endLine();
    EXPECT_TRUE(writer.finish().startsWith(QStringLiteral("2行目5文字目の文字")));
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(Cp932LineWriter, AFailingDeviceIsReported)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    Cp932LineWriter writer(buffer);
    writer.append(QStringLiteral("x"));
    writer.endLine();
    EXPECT_FALSE(writer.finish().isEmpty());
}

TEST(Cp932Encoder, OneConverterServesManyTextsAfterARefusal)
{
    Cp932Encoder encoder;
    ASSERT_TRUE(encoder.valid());
    EXPECT_EQ(encoder.firstUnencodable(QStringLiteral("plain ascii")), -1);
    EXPECT_EQ(encoder.firstUnencodable(QStringLiteral("日本語①")), -1);
    EXPECT_EQ(encoder.firstUnencodable(QStringLiteral("日本語\u00e9")), 3);
    // Asked again, the remembered answers give the same places.
    EXPECT_EQ(encoder.firstUnencodable(QStringLiteral("\u00e9日本語")), 0);
    EXPECT_EQ(encoder.firstUnencodable(QStringLiteral("ab😀")), 2);
    QByteArray out;
    EXPECT_EQ(encoder.encodeAppend(QStringLiteral("ア～"), out), -1);
    EXPECT_EQ(out, QByteArray("\x83\x41\x81\x60"));
}

} // namespace mokpe::common
} // namespace mokpe::common
