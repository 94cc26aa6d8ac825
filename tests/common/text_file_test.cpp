#include "common/text_file.h"

#include "support/file_helpers.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

using test::fileBytes;
using test::writeBytes;

struct SplitCase {
    const char *name;
    QString text;
    QStringList lines;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.name;
}

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, Splits)
{
    EXPECT_EQ(splitLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitLinesTest,
    ::testing::Values(SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}}, SplitCase{"LoneLf", "a\nb\n", {"a", "b"}},
                      SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
                      SplitCase{"NoFinalLineEnd", "a\r\nb", {"a", "b"}},
                      SplitCase{"FinalLineEndMakesNoEmptyLine", "a\r\n", {"a"}}, SplitCase{"Empty", "", {}},
                      SplitCase{"OneLineEndAlone", "\r\n", {""}},
                      SplitCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
                      SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                      SplitCase{"BlankLinesKept", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
                      SplitCase{"SpacesKept", " a \r\n\t", {" a ", "\t"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TextFileTest : ::testing::Test {
    test::TempFolder folder;
    QString path(const QString &name = QStringLiteral("f.txt")) const { return folder.file(name); }
    TextReadResult read(const QByteArray &bytes, TextEncoding encoding)
    {
        writeBytes(path(), bytes);
        return readTextFile(path(), encoding);
    }
};

TEST_F(TextFileTest, Cp932IsReadByDefault)
{
    const TextReadResult r =
        read("\x97\x98\x97\x70\x94\x4E\x8C\x8E\x93\xFA\r\n\xB1\r\n", TextEncoding::Cp932);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.wasUtf8);
    EXPECT_EQ(r.lines, (QStringList{QStringLiteral("利用年月日"), QStringLiteral("ｱ")}));
}

// Which encoding a card history is read in, for files built to look like the
// other one.
struct EncodingCase {
    const char *name;
    QByteArray bytes;
    QStringList lines;
    bool utf8;
};

void PrintTo(const EncodingCase &c, std::ostream *os)
{
    *os << c.name;
}

class EncodingChoiceTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingChoiceTest, ReadsJapaneseTextInTheRightEncoding)
{
    const EncodingCase &c = GetParam();
    const TextReadResult r = decodeTextBytes(c.bytes, TextEncoding::Cp932OrUtf8, QStringLiteral("h.csv"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.wasUtf8, c.utf8);
    EXPECT_EQ(r.lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Histories, EncodingChoiceTest,
    ::testing::Values(
        // CP932 half-width katakana pairs that are valid two-byte UTF-8: "ﾄｰ"
        // would be "İ", "ﾎｱﾎｲ" Greek.
        EncodingCase{
            "HalfWidthPairIsCp932", "2008/07/19,\xC4\xB0\r\n", {QStringLiteral("2008/07/19,ﾄｰ")}, false},
        EncodingCase{"HalfWidthPairsLikeGreekAreCp932",
                     "\xCE\xB1\xCE\xB2,\xC4\xB0\r\n",
                     {QStringLiteral("ﾎｱﾎｲ,ﾄｰ")},
                     false},
        EncodingCase{"KanjiIsCp932",
                     "\x97\x98\x97\x70\x94\x4E\x8C\x8E\x93\xFA\r\n\xB1\r\n",
                     {QStringLiteral("利用年月日"), QStringLiteral("ｱ")},
                     false},
        // ASCII reads the same either way.
        EncodingCase{"AsciiIsCp932", "Edy\\100\r\n", {QStringLiteral("Edy\\100")}, false},
        EncodingCase{"Utf8WithoutByteOrderMark",
                     QStringLiteral("利用年月日,ﾄｰ\r\nｱ\r\n").toUtf8(),
                     {QStringLiteral("利用年月日,ﾄｰ"), QStringLiteral("ｱ")},
                     true},
        EncodingCase{"Utf8WithByteOrderMark",
                     "\xEF\xBB\xBF" + QStringLiteral("利用年月日\r\nｱ\r\n").toUtf8(),
                     {QStringLiteral("利用年月日"), QStringLiteral("ｱ")},
                     true},
        EncodingCase{"ByteOrderMarkBeforeAscii", "\xEF\xBB\xBFNo.\r\n", {QStringLiteral("No.")}, true},
        // Kana or kanji anywhere make two-byte characters UTF-8 too.
        EncodingCase{"Utf8TwoByteCharactersBesideKanji",
                     QStringLiteral("α×,利用\r\n").toUtf8(),
                     {QStringLiteral("α×,利用")},
                     true}),
    [](const auto &info) { return std::string(info.param.name); });

// Bytes that no history or table of the program holds, refused with the
// line they stand on or the encoding named.
struct RefusalCase {
    const char *name;
    QByteArray bytes;
    TextEncoding encoding;
    // %1: the file's name, %2 the line.
    QString error;
    int line = 0;
};

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kNulOnLine = QStringLiteral("ファイル「%1」の%2行目にNUL文字(0x00)があります．"
                                          "テキストファイルではないため，読み込めません．");
const QString kDamagedLine = QStringLiteral("ファイル「%1」の%2行目に，読み込めない文字があります．");
const QString kUtf16 = QStringLiteral("ファイル「%1」はUTF-16で書かれているため，読み込めません．\r\n"
                                      "Shift_JIS(CP932)かUTF-8で保存し直して下さい．");
const QString kUtf16Cp932Only =
    QStringLiteral("ファイル「%1」はUTF-16で書かれているため，読み込めません．\r\n"
                   "Shift_JIS(CP932)で保存し直して下さい．");

QByteArray utf16(const QString &text, bool bigEndian, bool byteOrderMark)
{
    QByteArray bytes;
    if (byteOrderMark)
        bytes += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1}
                           : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

// A UTF-8 history of `lines` data lines whose line `damaged` (from 1) has a
// kanji cut short.
QByteArray utf8HistoryDamagedOn(int lines, int damaged)
{
    QByteArray bytes = QStringLiteral("利用年月日,種別,利用駅,,,,,残額,備考\r\n").toUtf8();
    for (int n = 2; n <= lines; ++n) {
        bytes += QStringLiteral("2026/11/05,入場,新宿,,,,,%1,\r\n").arg(n).toUtf8();
        if (n == damaged)
            bytes.insert(bytes.size() - 3, "\xE6\x96");
    }
    return bytes;
}

class RefusedBytesTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedBytesTest, NamesTheLineOrTheEncoding)
{
    const RefusalCase &c = GetParam();
    const TextReadResult r = decodeTextBytes(c.bytes, c.encoding, QStringLiteral("h.csv"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.lines.isEmpty());
    const QString name = QStringLiteral("h.csv");
    EXPECT_EQ(r.error, c.line > 0 ? c.error.arg(name).arg(c.line) : c.error.arg(name));
}

INSTANTIATE_TEST_SUITE_P(
    OddInputs, RefusedBytesTest,
    ::testing::Values(
        RefusalCase{"NulInCp932",
                    QByteArrayLiteral("Edy\r\nok\r\n12\x00"
                                      "34\r\n"),
                    TextEncoding::Cp932OrUtf8, kNulOnLine, 3},
        RefusalCase{"NulInATable", QByteArrayLiteral("a\rb\r\x00"), TextEncoding::Cp932, kNulOnLine, 3},
        RefusalCase{"NulInUtf8", QStringLiteral("利用年月日\n").toUtf8() + '\0', TextEncoding::Cp932OrUtf8,
                    kNulOnLine, 2},
        RefusalCase{"Utf16LittleEndianWithMark", utf16(QStringLiteral("利用年月日,残額\r\n"), false, true),
                    TextEncoding::Cp932OrUtf8, kUtf16},
        RefusalCase{"Utf16BigEndianWithMark", utf16(QStringLiteral("利用年月日,残額\r\n"), true, true),
                    TextEncoding::Cp932OrUtf8, kUtf16},
        // Without a mark the zero bytes of digits, commas and line ends tell it.
        RefusalCase{"Utf16WithoutMark",
                    utf16(QStringLiteral("利用年月日,残額\r\n2026/11/05,,,,,,,980,\r\n"), false, false),
                    TextEncoding::Cp932OrUtf8, kUtf16},
        RefusalCase{"Utf16Table", utf16(QStringLiteral("0\r\n\r\n"), false, true), TextEncoding::Cp932,
                    kUtf16Cp932Only},
        // Damage deep in a UTF-8 history is told where it is, with or
        // without a byte order mark, and never read as CP932.
        RefusalCase{"DamagedUtf8OnLine33", utf8HistoryDamagedOn(40, 33), TextEncoding::Cp932OrUtf8,
                    kDamagedLine, 33},
        RefusalCase{"DamagedUtf8WithMarkOnLine33", "\xEF\xBB\xBF" + utf8HistoryDamagedOn(40, 33),
                    TextEncoding::Cp932OrUtf8, kDamagedLine, 33},
        RefusalCase{"DamagedUtf8OnTheLastLine", utf8HistoryDamagedOn(3, 3), TextEncoding::Cp932OrUtf8,
                    kDamagedLine, 3},
        // CP932 with a bad byte after CR-only line ends.
        RefusalCase{"InvalidCp932AfterCrOnly", "\x97\x98\x97\x70\r\x82\xA0\r\x85\x40\r",
                    TextEncoding::Cp932OrUtf8, kDamagedLine, 3},
        // A lead byte whose trail is the line end.
        RefusalCase{"LeadByteAtTheLineEnd", "ok\r\n\x82\r\nok\r\n", TextEncoding::Cp932, kDamagedLine, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DecodeTextBytes, LongLinesAndCrOnlyLineEndsAreRead)
{
    // A line of a million bytes, CP932 kana and ASCII mixed, between CR-only line ends.
    QByteArray longLine;
    for (int i = 0; i < 250000; ++i)
        longLine += "\x82\xA0"
                    "a,";
    const TextReadResult r = decodeTextBytes("\x97\x98\x97\x70\r" + longLine + "\rEdy",
                                             TextEncoding::Cp932OrUtf8, QStringLiteral("h.csv"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_FALSE(r.wasUtf8);
    ASSERT_EQ(r.lines.size(), 3);
    EXPECT_EQ(r.lines.at(0), QStringLiteral("利用"));
    EXPECT_EQ(r.lines.at(1), QStringLiteral("あa,").repeated(250000));
    EXPECT_EQ(r.lines.at(2), QStringLiteral("Edy"));
}

TEST(DecodeTextBytes, StrayHighBytesInAUtf8HistoryAreDamageButKanaInCp932IsNot)
{
    // A UTF-8 history with one stray byte is damaged UTF-8 ...
    QByteArray utf8 = utf8HistoryDamagedOn(5, 0);
    utf8.insert(utf8.indexOf("新宿"), '\xFF');
    TextReadResult r = decodeTextBytes(utf8, TextEncoding::Cp932OrUtf8, QStringLiteral("h.csv"));
    EXPECT_EQ(r.error, kDamagedLine.arg(QStringLiteral("h.csv")).arg(2));
    // ... while CP932 whose first kanji happens to form a UTF-8 sequence
    // ("\xE8\xA0" then half-width "ｱ") stays CP932: its kana do not.
    r = decodeTextBytes("\xE8\xA0\xB1,\x82\xA0\x82\xA2\x82\xA4\r\n", TextEncoding::Cp932OrUtf8,
                        QStringLiteral("h.csv"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_FALSE(r.wasUtf8);
    EXPECT_EQ(r.lines, QStringList{QStringLiteral("陟ｱ,あいう")});
}

TEST_F(TextFileTest, Utf8IsReadOnlyWhenAsked)
{
    const QByteArray utf8 = QStringLiteral("利用年月日\r\nｱ\r\n").toUtf8();
    const TextReadResult r = read(utf8, TextEncoding::Cp932);
    EXPECT_FALSE(r.wasUtf8);
    EXPECT_NE(r.lines, (QStringList{QStringLiteral("利用年月日"), QStringLiteral("ｱ")}));
}

TEST_F(TextFileTest, BadBytesAreReportedWithFileAndLine)
{
    const QString shown = QDir::toNativeSeparators(path());
    TextReadResult r = read("ok\r\nok\n\x81\x20\r\n", TextEncoding::Cp932);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.lines.isEmpty());
    EXPECT_EQ(r.error, QStringLiteral("ファイル「%1」の3行目に，読み込めない文字があります．").arg(shown));

    // Lone CR counts as a line end too.
    r = read("a\rb\r\x81", TextEncoding::Cp932OrUtf8);
    EXPECT_EQ(r.error, QStringLiteral("ファイル「%1」の3行目に，読み込めない文字があります．").arg(shown));

    // A byte order mark promises UTF-8; bad UTF-8 after it is refused,
    // naming its line.
    r = read("\xEF\xBB\xBF\xFF\r\n", TextEncoding::Cp932OrUtf8);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("ファイル「%1」の1行目に，読み込めない文字があります．").arg(shown));
    r = read("\xEF\xBB\xBF" + QStringLiteral("利用\r\nａ\nｂ\r").toUtf8() + "\xE5\x88\r\n",
             TextEncoding::Cp932OrUtf8);
    EXPECT_EQ(r.error, QStringLiteral("ファイル「%1」の4行目に，読み込めない文字があります．").arg(shown));
    // An overlong form is no UTF-8 either.
    r = read("\xEF\xBB\xBF"
             "a\r\n\xC0\xAF\r\n",
             TextEncoding::Cp932OrUtf8);
    EXPECT_EQ(r.error, QStringLiteral("ファイル「%1」の2行目に，読み込めない文字があります．").arg(shown));
}

TEST_F(TextFileTest, InvalidUtf8IsReadAsCp932)
{
    // 0xCA 0xDE is "ﾊﾞ" in CP932 and no UTF-8 sequence.
    const TextReadResult r = read("\xCA\xDE\xBD\r\n", TextEncoding::Cp932OrUtf8);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.wasUtf8);
    EXPECT_EQ(r.lines, QStringList{QStringLiteral("ﾊﾞｽ")});
}

TEST_F(TextFileTest, MissingFileIsReported)
{
    const QString missing = path(QStringLiteral("none.csv"));
    const TextReadResult r = readTextFile(missing);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith(
        QStringLiteral("ファイル「%1」を開けません．\r\n").arg(QDir::toNativeSeparators(missing))))
        << r.error.toStdString();
}

TEST_F(TextFileTest, LinesAreWrittenAsCp932WithCrLf)
{
    const QString file = path(QStringLiteral("out.csv"));
    EXPECT_EQ(
        writeCp932Lines(file, {QStringLiteral("000,0000,電子未決"), QString(), QStringLiteral("ｱ\\~ ")}),
        QString());
    EXPECT_EQ(fileBytes(file), QByteArray("000,0000,\x93\x64\x8E\x71\x96\xA2\x8C\x88\r\n\r\n\xB1\\~ \r\n"));
    EXPECT_EQ(writeCp932Lines(file, {}), QString());
    EXPECT_EQ(fileBytes(file), QByteArray());
}

TEST_F(TextFileTest, UnencodableCharacterKeepsTheOldFile)
{
    const QString file = path(QStringLiteral("out.csv"));
    writeBytes(file, "old\r\n");
    const QString error = writeCp932Lines(file, {QStringLiteral("ok"), QStringLiteral("caf\u00E9")});
    EXPECT_EQ(error, QStringLiteral("ファイル「%1」の2行目4文字目の文字「é」(U+00E9)は，"
                                    "Shift_JIS(CP932)で保存できないため，保存を中止しました．")
                         .arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(fileBytes(file), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.csv")});
}

TEST_F(TextFileTest, ALineEndInsideALineKeepsTheOldFile)
{
    // Read again, the line would be two: a user or an account pasted with a
    // line end into an editor's cell.
    const QString file = path(QStringLiteral("person.csv"));
    writeBytes(file, "old\r\n");
    for (const auto &[line, place] : {std::pair{QStringLiteral("山田\n太郎"), QStringLiteral("2行目3文字目")},
                                      std::pair{QStringLiteral("\r"), QStringLiteral("2行目1文字目")},
                                      std::pair{QStringLiteral("a\r\nb"), QStringLiteral("2行目2文字目")}}) {
        EXPECT_EQ(writeCp932Lines(file, {QStringLiteral("ok"), line}),
                  QStringLiteral("ファイル「%1」の%2に改行があるため，保存を中止しました．")
                      .arg(QDir::toNativeSeparators(file), place));
        EXPECT_EQ(fileBytes(file), QByteArray("old\r\n"));
    }
}

TEST_F(TextFileTest, EncodeLinesLeavesBytesUntouchedOnFailure)
{
    QByteArray bytes("keep");
    EXPECT_FALSE(encodeCp932Lines({QStringLiteral("\U0001F600")}, bytes, QStringLiteral("x")).isEmpty());
    EXPECT_EQ(bytes, QByteArray("keep"));
    EXPECT_TRUE(encodeCp932Lines({QStringLiteral("a")}, bytes, QStringLiteral("x")).isEmpty());
    EXPECT_EQ(bytes, QByteArray("a\r\n"));
}

TEST_F(TextFileTest, WriteIntoAMissingFolderIsReported)
{
    const QString file = folder.file(QStringLiteral("no/such/folder/out.csv"));
    const QString error = writeCp932Lines(file, {QStringLiteral("a")});
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．\r\n").arg(QDir::toNativeSeparators(file))))
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(writeFileAtomically(file, "x").startsWith(QStringLiteral("ファイル「")));
}

TEST_F(TextFileTest, AtomicWriteReplacesTheWholeFile)
{
    const QString file = path(QStringLiteral("out.bin"));
    writeBytes(file, "a much longer old content\r\n");
    EXPECT_EQ(writeFileAtomically(file, QByteArray("new\x00\xFF", 5)), QString());
    EXPECT_EQ(fileBytes(file), QByteArray("new\x00\xFF", 5));
}

} // namespace
} // namespace mokpe::common
