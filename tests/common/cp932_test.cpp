#include "common/cp932.h"
#include "support/cp932_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace mokpe::common {
namespace {

QByteArray bytesOf(unsigned code)
{
    QByteArray b;
    if (code > 0xFF)
        b.append(static_cast<char>(code >> 8));
    b.append(static_cast<char>(code & 0xFF));
    return b;
}

std::optional<char16_t> readOne(unsigned code)
{
    const Cp932Decoded d = decodeCp932(bytesOf(code));
    if (!d.ok || d.text.size() != 1)
        return std::nullopt;
    return d.text.at(0).unicode();
}

// The code the character is written as, or 0 when it cannot be written.
unsigned writtenAs(char16_t c)
{
    const Cp932Encoded e = encodeCp932(QString(QChar(c)));
    if (!e.ok)
        return 0;
    unsigned code = 0;
    for (const char b : e.bytes)
        code = (code << 8) | static_cast<unsigned char>(b);
    return code;
}

bool isLead(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::vector<unsigned> allDoubleByteCodes()
{
    std::vector<unsigned> codes;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLead(lead))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F)
                codes.push_back((lead << 8) | trail);
        }
    }
    return codes;
}

std::optional<char16_t> expectedSingleByte(unsigned b)
{
    if (b < 0x80)
        return static_cast<char16_t>(b);
    if (b >= 0xA1 && b <= 0xDF)
        return static_cast<char16_t>(0xFF61 + (b - 0xA1));
    switch (b) {
    case 0x80:
        return 0x0080;
    case 0xA0:
        return 0xF8F0;
    case 0xFD:
        return 0xF8F1;
    case 0xFE:
        return 0xF8F2;
    case 0xFF:
        return 0xF8F3;
    default:
        return std::nullopt; // a lead byte on its own
    }
}

TEST(Cp932, EverySingleByteReadsAndWritesAsWindowsDoes)
{
    for (unsigned b = 0; b <= 0xFF; ++b) {
        SCOPED_TRACE(b);
        const std::optional<char16_t> expected = expectedSingleByte(b);
        EXPECT_EQ(isLead(b), !expected.has_value());
        const Cp932Decoded d = decodeCp932(bytesOf(b));
        if (!expected) {
            EXPECT_FALSE(d.ok);
            EXPECT_EQ(d.errorOffset, 0);
            continue;
        }
        ASSERT_TRUE(d.ok);
        ASSERT_EQ(d.text.size(), 1);
        EXPECT_EQ(d.text.at(0).unicode(), *expected);
        EXPECT_EQ(writtenAs(*expected), b);
    }
}

// Where several codes read as the same character Windows writes the character
// as the JIS X 0208 code, else the NEC row 13 code, else the IBM extension
// code, and only last the NEC-selected IBM extension code.
int preferenceRank(unsigned code)
{
    const unsigned lead = code >> 8;
    if (lead == 0x87)
        return 1;
    if (lead >= 0xFA && lead <= 0xFC)
        return 2;
    if (lead == 0xED || lead == 0xEE)
        return 3;
    return 0;
}

TEST(Cp932, EveryDoubleByteCodeWritesBackAsWindowsChooses)
{
    std::map<char16_t, std::vector<unsigned>> codesByChar;
    int readable = 0;
    for (const unsigned code : allDoubleByteCodes()) {
        if (const std::optional<char16_t> c = readOne(code)) {
            codesByChar[*c].push_back(code);
            ++readable;
        }
    }
    // JIS X 0208 6879, NEC row 13 83, NEC-selected IBM extensions 374, IBM
    // extensions 388, user-defined area 1880.
    EXPECT_EQ(readable, 9604);

    int notRoundTripping = 0;
    for (auto &[c, codes] : codesByChar) {
        std::stable_sort(codes.begin(), codes.end(),
                         [](unsigned a, unsigned b) { return preferenceRank(a) < preferenceRank(b); });
        ASSERT_LE(codes.size(), 3u) << std::hex << unsigned(c);
        if (codes.size() > 1) {
            EXPECT_LT(preferenceRank(codes[0]), preferenceRank(codes[1])) << std::hex << unsigned(c);
        }
        EXPECT_EQ(writtenAs(c), codes.front()) << std::hex << "U+" << unsigned(c);
        notRoundTripping += static_cast<int>(codes.size()) - 1;
    }
    EXPECT_EQ(notRoundTripping, 9 + 374 + 15);
}

struct Duplicate {
    unsigned code;
    char16_t character;
    unsigned written;
};

TEST(Cp932, KnownDuplicatesWriteTheWindowsCode)
{
    std::vector<Duplicate> cases = {
        // NEC row 13 symbols that JIS X 0208 has too.
        {0x8790, u'≒', 0x81E0},
        {0x8791, u'≡', 0x81DF},
        {0x8792, u'∫', 0x81E7},
        {0x8795, u'√', 0x81E3},
        {0x8796, u'⊥', 0x81DB},
        {0x8797, u'∠', 0x81DA},
        {0x879A, u'∵', 0x81E6},
        {0x879B, u'∩', 0x81BF},
        {0x879C, u'∪', 0x81BE},
        // IBM extensions that NEC row 13 or JIS X 0208 has too.
        {0xFA54, u'￢', 0x81CA},
        {0xFA58, u'㈱', 0x878A},
        {0xFA59, u'№', 0x8782},
        {0xFA5A, u'℡', 0x8784},
        {0xFA5B, u'∵', 0x81E6},
        // NEC-selected IBM extensions go to the IBM extension code.
        {0xED40, u'纊', 0xFA5C},
        {0xEEEC, u'黑', 0xFC4B},
        {0xEEEF, u'ⅰ', 0xFA40},
        {0xEEF8, u'ⅹ', 0xFA49},
        {0xEEF9, u'￢', 0x81CA},
        {0xEEFA, u'￤', 0xFA55},
        {0xEEFB, u'＇', 0xFA56},
        {0xEEFC, u'＂', 0xFA57},
    };
    for (unsigned i = 0; i < 10; ++i)
        cases.push_back({0xFA4A + i, static_cast<char16_t>(u'Ⅰ' + i), 0x8754 + i});
    for (const Duplicate &d : cases) {
        SCOPED_TRACE(d.code);
        EXPECT_EQ(readOne(d.code), d.character);
        EXPECT_EQ(readOne(d.written), d.character);
        EXPECT_EQ(writtenAs(d.character), d.written);
    }
}

TEST(Cp932, NecSelectedRangeHoldsOnlyIbmCharacters)
{
    std::map<char16_t, unsigned> ibmCodes;
    for (unsigned code = 0xFA40; code <= 0xFC4B; ++code) {
        if (const std::optional<char16_t> c = readOne(code))
            ibmCodes.emplace(*c, code);
    }
    int count = 0;
    for (unsigned code = 0xED40; code <= 0xEEFC; ++code) {
        const std::optional<char16_t> c = readOne(code);
        if (!c)
            continue;
        ++count;
        ASSERT_TRUE(ibmCodes.contains(*c)) << std::hex << code;
        EXPECT_EQ(writtenAs(*c), *c == u'￢' ? 0x81CAu : ibmCodes.at(*c)) << std::hex << code;
    }
    EXPECT_EQ(count, 374);
    EXPECT_EQ(readOne(0xEEED), std::nullopt);
    EXPECT_EQ(readOne(0xEEEE), std::nullopt);
}

TEST(Cp932, UserDefinedAreaIsThePrivateUseArea)
{
    char16_t expected = 0xE000;
    for (unsigned lead = 0xF0; lead <= 0xF9; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const unsigned code = (lead << 8) | trail;
            EXPECT_EQ(readOne(code), expected) << std::hex << code;
            EXPECT_EQ(writtenAs(expected), code);
            ++expected;
        }
    }
    EXPECT_EQ(expected, 0xE758);
}

TEST(Cp932, CharactersThatDifferFromOtherShiftJisTables)
{
    const struct {
        unsigned code;
        char16_t character;
    } cases[] = {
        {0x5C, u'\\'},   {0x7E, u'~'},    {0x815C, u'―'},  {0x815F, u'＼'},
        {0x8160, u'～'}, {0x8161, u'∥'},  {0x817C, u'－'}, {0x8191, u'￠'},
        {0x8192, u'￡'}, {0x81CA, u'￢'}, {0x8740, u'①'},  {0xF040, u'\uE000'},
        {0x82A0, u'あ'}, {0x889F, u'亜'}, {0xB1, u'ｱ'},    {0xDF, u'ﾟ'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(readOne(c.code), c.character);
        EXPECT_EQ(writtenAs(c.character), c.code);
    }
}

// Nine JIS-style forms: glibc writes them as their Windows counterparts' codes
// (which read back as the counterparts); Windows holds them only by best fit,
// which the converter refuses, so there CP932 cannot hold them.
TEST(Cp932, JisFormsAreWrittenAsTheSystemWritesThem)
{
    const struct {
        char16_t character;
        unsigned glibcCode;
    } cases[] = {
        {u'\u00A2', 0x8191}, {u'\u00A3', 0x8192}, {u'\u00A5', 0x5C},
        {u'\u00AC', 0x81CA}, {u'\u2014', 0x815C}, {u'\u2016', 0x8161},
        {u'\u203E', 0x7E},   {u'\u2212', 0x817C}, {u'\u301C', 0x8160},
    };
    for (const auto &c : cases) {
#ifdef Q_OS_WIN
        EXPECT_EQ(writtenAs(c.character), 0u) << std::hex << unsigned(c.character);
#else
        EXPECT_EQ(writtenAs(c.character), c.glibcCode) << std::hex << unsigned(c.character);
#endif
    }
}

TEST(Cp932, TextCp932CannotHoldFailsAtItsCharacter)
{
    const struct {
        QString text;
        qsizetype index;
        char16_t character;
    } cases[] = {
        {QStringLiteral("ab\u00E9c"), 2, u'\u00E9'},  {QStringLiteral("x\U0001F600"), 1, 0xD83D},
        {QStringLiteral("値段\u20AC"), 2, u'\u20AC'}, {QStringLiteral("\uD55C"), 0, u'\uD55C'},
        {QStringLiteral("ｱ\u00A6"), 1, u'\u00A6'},
    };
    for (const auto &c : cases) {
        const Cp932Encoded e = encodeCp932(c.text);
        EXPECT_FALSE(e.ok) << c.text.toStdString();
        EXPECT_EQ(e.errorIndex, c.index);
        EXPECT_EQ(e.errorChar.unicode(), c.character);
    }
}

TEST(Cp932, MixedTextRoundTrips)
{
    const QString text = QStringLiteral("2026/11/05,ﾊﾞｽ等,東京都交通局\\\u0080,①№㈱\uE000\uF8F3 ~");
    const Cp932Encoded e = encodeCp932(text);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.bytes, QByteArray("2026/11/05,\xCA\xDE\xBD\x93\x99,\x93\x8C\x8B\x9E\x93\x73\x8C\xF0\x92\xCA"
                                  "\x8B\xC7\\\x80,\x87\x40\x87\x82\x87\x8A\xF0\x40\xFF ~"));
    const Cp932Decoded d = decodeCp932(e.bytes);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.text, text);
}

TEST(Cp932, BadBytesAreReportedWithTheirOffset)
{
    const struct {
        QByteArray bytes;
        qsizetype offset;
        QString before;
    } cases[] = {
        {QByteArray("ab\x81"), 2, QStringLiteral("ab")},            // lead byte at the end
        {QByteArray("\x82\xA0\x81\x20x"), 2, QStringLiteral("あ")}, // trail byte out of range
        {QByteArray("\x81\x7F"), 0, QString()},
        {QByteArray("\xEE\xED"), 0, QString()}, // an unassigned code
    };
    for (const auto &c : cases) {
        const Cp932Decoded d = decodeCp932(c.bytes);
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.errorOffset, c.offset);
        EXPECT_EQ(d.text, c.before);
    }
    EXPECT_TRUE(decodeCp932({}).ok);
    EXPECT_TRUE(encodeCp932({}).ok);
}

TEST(Cp932, DescribeCharacterShowsPrintableCharactersThemselves)
{
    const struct {
        QString text;
        qsizetype index;
        QString described;
    } cases[] = {
        {QStringLiteral("é"), 0, QStringLiteral("「é」(U+00E9)")},
        {QStringLiteral("a\u0001"), 1, QStringLiteral("U+0001")},
        // Past the BMP: the character of both surrogates, not the first of them.
        {QStringLiteral("吉𠮷"), 1, QStringLiteral("「𠮷」(U+20BB7)")},
        {QStringLiteral("😀"), 0, QStringLiteral("「😀」(U+1F600)")},
        {QString(QChar(char16_t(0xD83D))), 0, QStringLiteral("U+D83D")},
        {QStringLiteral("x") + QChar(char16_t(0xDE00)), 1, QStringLiteral("U+DE00")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(describeCharacter(codePointAt(c.text, c.index)), c.described) << c.described.toStdString();
}

TEST(Cp932Encoder, EveryCharacterIsWrittenAsTheSystemWritesIt)
{
    // The encoder remembers each character's bytes: alone, again, and within
    // one long text they must be the system's, including the characters glibc
    // writes as a byte below 0x80 (U+00A5, U+203E). The characters glibc leaves
    // out that Windows writes as one byte keep that byte.
    const std::map<char16_t, QByteArray> windowsOnly = {
        {0x0080, "\x80"}, {0xF8F0, "\xA0"}, {0xF8F1, "\xFD"}, {0xF8F2, "\xFE"}, {0xF8F3, "\xFF"}};
    Cp932Encoder encoder;
    QString all;
    QByteArray expectedAll;
    int belowAscii = 0;
    for (unsigned u = 0; u <= 0xFFFF; ++u) {
        const auto c = static_cast<char16_t>(u);
        std::optional<QByteArray> expected = QChar::isSurrogate(c) ? std::nullopt : test::systemCp932Bytes(c);
        if (!expected && windowsOnly.count(c))
            expected = windowsOnly.at(c);
        const QString text(QChar{c});
        for (int pass = 0; pass < 2; ++pass) {
            QByteArray out("x");
            const qsizetype bad = encoder.encodeAppend(text, out);
            ASSERT_EQ(bad, expected ? -1 : 0) << std::hex << "U+" << u;
            ASSERT_EQ(out, QByteArray("x") + expected.value_or(QByteArray())) << std::hex << "U+" << u;
            ASSERT_EQ(encoder.firstUnencodable(text), bad) << std::hex << "U+" << u;
        }
        if (expected) {
            all.append(QChar{c});
            expectedAll.append(*expected);
            belowAscii +=
                u >= 0x80 && expected->size() == 1 && static_cast<unsigned char>(expected->at(0)) < 0x80;
        }
    }
#ifdef Q_OS_WIN
    EXPECT_EQ(belowAscii, 0);
#else
    EXPECT_EQ(belowAscii, 2);
#endif
    QByteArray out;
    EXPECT_EQ(encoder.encodeAppend(all, out), -1);
    EXPECT_EQ(out, expectedAll);
}

} // namespace
} // namespace mokpe::common

namespace mokpe::common {
namespace {

// The system's reading of one code after `prefix` (ASCII), with the five single
// bytes Windows adds where the system does not read them: the text before the
// first bad byte and that byte's offset (-1 when none).
std::pair<QString, qsizetype> systemReading(const QByteArray &prefix, const QByteArray &code)
{
    const QString before = QString::fromLatin1(prefix);
    if (const std::optional<QString> text = test::systemCp932Text(code); text && text->size() == 1)
        return {before + *text, -1};
    const auto byte = static_cast<unsigned char>(code.at(0));
    if (code.size() == 1 && !isLead(byte)) {
        if (const std::optional<char16_t> single = expectedSingleByte(byte))
            return {before + QChar(*single), -1};
    }
    return {before, prefix.size()};
}

TEST(Cp932Decoder, EveryCodeIsReadAsTheSystemReadsIt)
{
    // The decoder remembers each code's character: alone, again, after ASCII
    // and within one long text it must read as the system reads it, and a bad
    // code must stop the reading at its first byte wherever it stands.
    Cp932Decoder decoder;
    std::vector<QByteArray> codes;
    for (unsigned b = 0x01; b <= 0xFF; ++b)
        codes.push_back(bytesOf(b));
    for (unsigned lead = 0x81; lead <= 0xFF; ++lead) {
        if (!isLead(lead))
            continue;
        for (unsigned trail = 0x00; trail <= 0xFF; ++trail)
            codes.push_back(bytesOf(lead << 8 | trail));
    }
    QByteArray good;
    QString goodText;
    int bad = 0;
    for (const QByteArray &code : codes) {
        for (const QByteArray &prefix : {QByteArray(), QByteArray(), QByteArray("a,1")}) {
            const QByteArray bytes = prefix + code;
            const auto [expected, expectedBad] = systemReading(prefix, code);
            qsizetype errorOffset = -2;
            const QString text = decoder.decode(bytes.constData(), bytes.size(), errorOffset);
            ASSERT_EQ(errorOffset, expectedBad) << bytes.toHex().constData();
            ASSERT_EQ(text, expected) << bytes.toHex().constData();
        }
        const auto [expected, expectedBad] = systemReading({}, code);
        if (expectedBad < 0) {
            good += code;
            goodText += expected;
        } else {
            ++bad;
        }
    }
    EXPECT_GT(bad, 0);
    qsizetype errorOffset = -2;
    EXPECT_EQ(decoder.decode(good.constData(), good.size(), errorOffset), goodText);
    EXPECT_EQ(errorOffset, -1);
    // A lead byte at the end of a long text has no trail.
    const QByteArray cut = good + QByteArray("\x82");
    EXPECT_EQ(decoder.decode(cut.constData(), cut.size(), errorOffset), goodText);
    EXPECT_EQ(errorOffset, good.size());
}

} // namespace
} // namespace mokpe::common
