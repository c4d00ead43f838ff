// The archive: exact bytes of the binary conventions, object tags and their failures, whole
// text lines, and reading that never goes past the end.
#include "platform/core/Archive.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include <clocale>
#include <cmath>

using velmor::Archive;
using velmor::ArchiveException;

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

constexpr std::array<std::string_view, 2> kKnown = {"VelmorNudo", "VelmorViga"};

ArchiveException::Cause readTagFailure(const std::string& data)
{
    Archive ar = Archive::ForLoading(data, false);
    try {
        ar.ReadObjectTag(kKnown);
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "the tag was accepted";
    return ArchiveException::BadFormat;
}

} // namespace

TEST(ArchiveBinary, WordsDoublesAndShortIntsAreLittleEndian)
{
    Archive ar = Archive::ForStoring(false);
    ar.WriteWord(0x1234);
    ar.WriteDWord(0xA1B2C3D4u);
    ar.WriteDouble(1.0);
    ar.WriteShortInt(-1);
    ar.WriteShortInt(70000); // only the low 16 bits survive
    EXPECT_EQ(ar.Bytes(), bytes({0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,
                                 0xFF, 0xFF, 0x70, 0x11}));

    Archive in = Archive::ForLoading(ar.Bytes(), false);
    EXPECT_EQ(in.ReadWord(), 0x1234);
    EXPECT_EQ(in.ReadDWord(), 0xA1B2C3D4u);
    EXPECT_EQ(in.ReadDouble(), 1.0);
    EXPECT_EQ(in.ReadShortInt(), 65535) << "read back zero-extended";
    EXPECT_EQ(in.ReadShortInt(), 70000 & 0xFFFF);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveBinary, StringsAndCountsTakeTheirLongForms)
{
    struct Case
    {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, bytes({0})},
        {18, bytes({18})},
        {254, bytes({254})},
        {255, bytes({0xFF, 0xFF, 0x00})},
        {65533, bytes({0xFF, 0xFD, 0xFF})},
        {65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
    };
    for (const Case& c : cases) {
        Archive ar = Archive::ForStoring(false);
        const std::string text(c.length, 'x');
        ar.WriteString(text);
        EXPECT_EQ(ar.Bytes().substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(ar.Bytes().size(), c.prefix.size() + c.length);
        Archive in = Archive::ForLoading(ar.Bytes(), false);
        EXPECT_EQ(in.ReadString(), text);
    }

    Archive ar = Archive::ForStoring(false);
    ar.WriteCount(3);
    ar.WriteCount(0xFFFE);
    ar.WriteCount(0xFFFF);
    EXPECT_EQ(ar.Bytes(), bytes({3, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    Archive in = Archive::ForLoading(ar.Bytes(), false);
    EXPECT_EQ(in.ReadCount(), 3u);
    EXPECT_EQ(in.ReadCount(), 0xFFFEu);
    EXPECT_EQ(in.ReadCount(), 0xFFFFu);
}

TEST(ArchiveBinary, TruncatedValuesThrowWithoutReadingPastTheEnd)
{
    // A string that announces 4 billion bytes in a 7-byte file.
    Archive huge = Archive::ForLoading(bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), false);
    EXPECT_THROW(huge.ReadString(), ArchiveException);
    Archive shortDouble = Archive::ForLoading(bytes({1, 2, 3}), false);
    EXPECT_THROW(shortDouble.ReadDouble(), ArchiveException);
    Archive empty = Archive::ForLoading("", false);
    try {
        empty.ReadWord();
        FAIL();
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.cause(), ArchiveException::EndOfFile);
    }
}

TEST(ArchiveTags, ClassesAndObjectsShareOneIndexCounter)
{
    Archive ar = Archive::ForStoring(false);
    ar.WriteObjectTag("VelmorNudo"); // class 1, object 2
    ar.WriteObjectTag("VelmorNudo"); // object 3
    ar.WriteObjectTag("VelmorViga"); // class 4, object 5
    ar.WriteObjectTag("VelmorViga"); // object 6
    const std::string expected =
        bytes({0xFF, 0xFF, 1, 0, 10, 0}) + "VelmorNudo" + bytes({0x01, 0x80}) +
        bytes({0xFF, 0xFF, 1, 0, 10, 0}) + "VelmorViga" + bytes({0x04, 0x80});
    EXPECT_EQ(ar.Bytes(), expected);

    Archive in = Archive::ForLoading(ar.Bytes(), false);
    EXPECT_EQ(in.ReadObjectTag(kKnown), "VelmorNudo");
    EXPECT_EQ(in.ReadObjectTag(kKnown), "VelmorNudo");
    EXPECT_EQ(in.ReadObjectTag(kKnown), "VelmorViga");
    EXPECT_EQ(in.ReadObjectTag(kKnown), "VelmorViga");
}

TEST(ArchiveTags, BigClassIndexUsesTheLongTag)
{
    Archive ar = Archive::ForStoring(false);
    for (int i = 0; i < 0x7FFF; ++i)
        ar.WriteObjectTag("VelmorNudo"); // class index 1; fills indices up to 0x8000
    ar.WriteObjectTag("VelmorViga");     // class index 0x8001
    ar.WriteObjectTag("VelmorViga");
    const std::string tail = ar.Bytes().substr(ar.Bytes().size() - 6);
    EXPECT_EQ(tail, bytes({0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80}));
    Archive in = Archive::ForLoading(ar.Bytes(), false);
    std::string last;
    for (int i = 0; i < 0x8001; ++i)
        last = in.ReadObjectTag(kKnown);
    EXPECT_EQ(last, "VelmorViga");
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveTags, HostileTagsAreRefused)
{
    struct Case
    {
        const char* name;
        std::string data;
        ArchiveException::Cause cause;
    };
    const Case cases[] = {
        {"unknown class", bytes({0xFF, 0xFF, 1, 0, 6, 0}) + "CWnd00", ArchiveException::BadClass},
        {"schema 2", bytes({0xFF, 0xFF, 2, 0, 10, 0}) + "VelmorNudo", ArchiveException::BadSchema},
        {"undefined index", bytes({0x05, 0x80}), ArchiveException::BadClass},
        {"back-reference", bytes({0x01, 0x00}), ArchiveException::BadIndex},
        {"null reference", bytes({0x00, 0x00}), ArchiveException::BadIndex},
        {"name past the end", bytes({0xFF, 0xFF, 1, 0, 60, 0}) + "Velmor", ArchiveException::EndOfFile},
        {"huge name", bytes({0xFF, 0xFF, 1, 0, 0xFF, 0xFF}), ArchiveException::BadClass},
        {"big tag past the end", bytes({0xFF, 0x7F, 1}), ArchiveException::EndOfFile},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readTagFailure(c.data), c.cause) << c.name;
}

TEST(ArchiveText, LinesAreReadWholeWhateverTheirLength)
{
    const std::string longLine(5000, 'a');
    Archive in = Archive::ForLoading("first \n" + longLine + "\r\n\nlast", true);
    std::string line;
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "first ");
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, longLine);
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(in.ReadLine(line));
    EXPECT_THROW(in.ReadLineOrThrow(), ArchiveException);
}

TEST(ArchiveText, NumbersUseTheDecimalPointInAnyLocale)
{
    // A locale with a decimal comma, where one is installed; the "C" rules hold regardless.
    const char* saved = std::setlocale(LC_ALL, nullptr);
    const std::string restore = saved ? saved : "C";
    for (const char* name : {"fr_FR.UTF-8", "de_DE.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name))
            break;
    Archive ar = Archive::ForStoring(true);
    ar.WriteFormat("(%lf, %g) \n", 1.5, 2.25);
    EXPECT_EQ(ar.Bytes(), "(1.500000, 2.25) \n");
    double a = 0, b = 0;
    EXPECT_EQ(Archive::ScanLine("(1.500000, 2.25) ", "(%lf, %lf)", &a, &b), 2);
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 2.25);
    std::setlocale(LC_ALL, restore.c_str());
}

namespace {

// What the scanning gives for one line: whether it matched, then each field's value (doubles
// by their bits, so that -0 and 0 differ).
struct Scanned
{
    bool ok = false;
    std::vector<std::string> fields;
    bool operator==(const Scanned&) const = default;
};

// The fields of the file's formats, all three kinds, and a way to read them back.
struct Fields
{
    int i[7];
    double d[4];
    char s[64];
};

std::vector<std::string> valuesOf(const Fields& f, const std::string& kinds)
{
    std::vector<std::string> out;
    int ni = 0, nd = 0;
    for (char k : kinds) {
        if (k == 'd')
            out.push_back(std::to_string(f.i[ni++]));
        else if (k == 'f')
            out.push_back(std::to_string(std::bit_cast<std::uint64_t>(f.d[nd++])));
        else
            out.push_back(f.s);
    }
    return out;
}

struct FormatCase
{
    const char* format;
    const char* kinds; // the conversions in order: d, f or s
};

// Every format the text form is read with, scanned as ScanExact scans it (the quick way
// first) and as sscanf alone scans it.
Scanned scanBoth(const FormatCase& c, const std::string& line, bool quick)
{
    Fields f;
    std::memset(&f, 0x5a, sizeof f);
    Fields before = f;
    bool ok = false;
    void* targets[8];
    int ni = 0, nd = 0, n = 0;
    for (const char* k = c.kinds; *k; ++k)
        targets[n++] = *k == 'd' ? static_cast<void*>(&f.i[ni++])
                       : *k == 'f' ? static_cast<void*>(&f.d[nd++])
                                   : static_cast<void*>(f.s);
    if (quick) {
        ok = Archive::QuickScanExact(line, c.format, targets, n);
        if (!ok) {
            EXPECT_EQ(std::memcmp(&f, &before, sizeof f), 0) << "nothing assigned: " << line;
        }
    } else {
        int consumed = -1;
        const std::string whole = std::string(c.format) + " %n";
        int got = 0;
        switch (n) {
        case 1: got = Archive::ScanLine(line, whole.c_str(), targets[0], &consumed); break;
        case 2: got = Archive::ScanLine(line, whole.c_str(), targets[0], targets[1], &consumed); break;
        case 3:
            got = Archive::ScanLine(line, whole.c_str(), targets[0], targets[1], targets[2], &consumed);
            break;
        case 4:
            got = Archive::ScanLine(line, whole.c_str(), targets[0], targets[1], targets[2],
                                    targets[3], &consumed);
            break;
        default:
            got = Archive::ScanLine(line, whole.c_str(), targets[0], targets[1], targets[2],
                                    targets[3], targets[4], targets[5], targets[6], &consumed);
            break;
        }
        ok = got == n && consumed >= 0 && size_t(consumed) == line.size();
    }
    Scanned s;
    s.ok = ok;
    if (ok)
        s.fields = valuesOf(f, c.kinds);
    return s;
}

} // namespace

TEST(ArchiveText, QuickScanningAgreesWithSscanfWheneverItAnswers)
{
    const FormatCase formats[] = {
        {"%63s %d", "sd"},
        {"%63s", "s"},
        {"(%lf, %lf)", "ff"},
        {"(%lf, %lf, %lf)", "fff"},
        {"(%lf, %lf, %lf, %lf)", "ffff"},
        {"A=%lf, Iy=%lf, Iz=%lf, J=%lf", "ffff"},
        {"Joint: %d", "d"},
        {"Type of support: %d (%d %d %d %d %d %d)", "ddddddd"},
    };
    const char* seeds[] = {
        "Beam 12 ", "Node 101", "constant_distributed_global_load", "(0.000000, -0.000000)",
        "(1.5, 2.25, -3.125) ", "(1e-5, 2E+300, 0.1, 123456789012345678901234567890)",
        "A=0.0015, Iy=1.2e-05, Iz=3.4e-06, J=0", "Joint: 1 ", "Type of support: 9 (1 1 1 0 0 1)",
        "(4.9e-324, 1e-400, 1e400, 2.2250738585072014e-308)", "Node 2147483647", "Node -2147483648",
        "Node -5", "a_word_of_seventy_letters_that_is_longer_than_the_sixty_three_allowed_ 3",
    };
    // Each seed line, and the seeds bent at random: characters put in, taken out or changed
    // for ones that could make or break a number.
    const std::string alphabet = "0123456789.-+eExXnNaAiIfF ,()=:\t_";
    std::mt19937 random(20261210);
    int quickAnswers = 0;
    for (const FormatCase& c : formats)
        for (const char* seed : seeds)
            for (int round = 0; round < 400; ++round) {
                std::string line = seed;
                for (int edits = round == 0 ? 0 : 1 + int(random() % 3); edits > 0; --edits) {
                    const size_t at = line.empty() ? 0 : random() % (line.size() + 1);
                    const char ch = alphabet[random() % alphabet.size()];
                    switch (random() % 3) {
                    case 0: line.insert(at, 1, ch); break;
                    case 1:
                        if (at < line.size())
                            line.erase(at, 1);
                        break;
                    default:
                        if (at < line.size())
                            line[at] = ch;
                        break;
                    }
                }
                const Scanned quick = scanBoth(c, line, true);
                if (!quick.ok)
                    continue;
                ++quickAnswers;
                EXPECT_EQ(quick, scanBoth(c, line, false)) << c.format << " on \"" << line << "\"";
            }
    // The quick way answers for the ordinary lines of a file.
    EXPECT_GT(quickAnswers, 1000);
    double x = 0, y = 0, z = 0;
    EXPECT_TRUE(Archive::ScanExact(std::string("(1.5, -0.25, 3e2) "), "(%lf, %lf, %lf)", &x, &y, &z));
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, -0.25);
    EXPECT_EQ(z, 300.0);
    // Left to sscanf, which reads them the same as before.
    EXPECT_TRUE(Archive::ScanExact(std::string("(+1.5, 0x10, inf)"), "(%lf, %lf, %lf)", &x, &y, &z));
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, 16.0);
    EXPECT_TRUE(std::isinf(z));
    EXPECT_FALSE(Archive::ScanExact(std::string("(0,0, 4,0, 0,0)"), "(%lf, %lf, %lf)", &x, &y, &z));
}
