#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "compiler/ProgrammingSequence.h"
#include "compiler/ScanList.h"

using namespace brisa::compiler;

namespace {
QStringList words(const char* s) { return QString::fromLatin1(s).split(u' ', Qt::SkipEmptyParts); }

ScanInput input(const char* pri1, const char* pri2, const char* used, bool highMemory = false) {
    ScanInput in;
    in.priority1 = QString::fromLatin1(pri1);
    in.priority2 = QString::fromLatin1(pri2);
    in.used = words(used);
    in.highMemory = highMemory;
    return in;
}
}  // namespace

TEST(ArmaRecorrido, PriorityBlocksRepeatAfterEveryCompletePair) {
    struct Case {
        const char* pri1;
        const char* pri2;
        const char* used;
        const char* scan;
        int total;
        int high;
        int priorities;
    };
    const Case cases[] = {
        {"", "", "000 001 002", "000 001 002", 3, 0, 0},
        {"010", "", "", "010", 1, 0, 1},
        {"010", "011", "000 001", "010 011 000 001 010 011", 6, 0, 2},
        {"250", "", "200 201", "250 200 201 250", 4, 3, 1},  // repeats not counted in H
        {"", "", "", "", 0, 0, 0},
        {"P1", "P2", "U0 U1 U2 U3 U4", "P1 P2 U0 U1 P1 P2 U2 U3 P1 P2 U4", 11, 0, 2},
        {"", "011", "000 001 002 003", "011 000 001 011 002 003 011", 7, 0, 1},
        {" ", "", "005", "005", 1, 0, 1},  // spaces: left out, yet counted in P
        {"192", "191", "255 191", "192 191 255 191 192 191", 6, 2, 2},
    };
    for (const Case& c : cases) {
        const ScanResult r = armaRecorrido(input(c.pri1, c.pri2, c.used));
        SCOPED_TRACE(testing::Message()
                     << "pri '" << c.pri1 << "' '" << c.pri2 << "' used " << c.used);
        EXPECT_EQ(r.scan, words(c.scan));
        EXPECT_EQ(r.total, c.total);
        EXPECT_EQ(r.highMemory, c.high);
        EXPECT_EQ(r.priorities, c.priorities);
        EXPECT_TRUE(r.programmable);
    }
}

TEST(ArmaRecorrido, EntriesKeepTheirTextExactly) {
    ScanInput in = input("", "", "");
    in.priority1 = QStringLiteral("07");
    in.used = {QStringLiteral("005"), QStringLiteral("5")};
    EXPECT_EQ(armaRecorrido(in).scan, (QStringList{QStringLiteral("07"), QStringLiteral("005"),
                                                   QStringLiteral("5"), QStringLiteral("07")}));
}

TEST(CompileReport, ElevenEntries) {
    const ScanResult r = armaRecorrido(input("010", "011", "000 001 002 003 004"));
    EXPECT_EQ(r.report, QStringLiteral("Recorrido total bloques: 11\r\n"
                                       "Tiempo estimado de scan: 1.1 seg.\r\n"
                                       "Bloques con prioridad: 2\r\n"));
}

TEST(CompileReport, UsesTheGivenDecimalSeparator) {
    ScanInput in = input("010", "011", "000 001 002 003 004");
    in.decimalSeparator = QStringLiteral(",");
    EXPECT_EQ(armaRecorrido(in).report, QStringLiteral("Recorrido total bloques: 11\r\n"
                                                       "Tiempo estimado de scan: 1,1 seg.\r\n"
                                                       "Bloques con prioridad: 2\r\n"));
}

TEST(CompileReport, HighMemoryLineOnlyWithTheFlag) {
    EXPECT_EQ(armaRecorrido(input("", "", "000 001 002", true)).report,
              QStringLiteral("Recorrido total bloques: 3\r\n"
                             "0 de memoria alta\r\n"
                             "Tiempo estimado de scan: 0.3 seg.\r\n"
                             "Bloques con prioridad: 0\r\n"));
    EXPECT_EQ(armaRecorrido(input("250", "", "200 201", true)).report,
              QStringLiteral("Recorrido total bloques: 4\r\n"
                             "3 de memoria alta\r\n"
                             "Tiempo estimado de scan: 0.4 seg.\r\n"
                             "Bloques con prioridad: 1\r\n"));
}

TEST(CompileReport, EmptySelection) {
    const ScanResult r = armaRecorrido(input("", "", ""));
    EXPECT_TRUE(r.scan.isEmpty());
    EXPECT_EQ(r.report, QStringLiteral("Recorrido total bloques: 0\r\n"
                                       "Tiempo estimado de scan: 0 seg.\r\n"
                                       "Bloques con prioridad: 0\r\n"));
}

TEST(CompileReport, ScanTimeIsTheShortestText) {
    // Binary tenths are not exact (3 x 0.1 = 0.30000000000000004): the text must not show it.
    const std::pair<int, const char*> cases[] = {
        {0, "0"},    {1, "0.1"},    {3, "0.3"},    {7, "0.7"},    {10, "1"},
        {11, "1.1"}, {123, "12.3"}, {192, "19.2"}, {1000, "100"}, {32767, "3276.7"},
    };
    for (const auto& [total, text] : cases)
        EXPECT_EQ(scanTimeText(total, QStringLiteral(".")), QString::fromLatin1(text)) << total;
}

// The node keeps only as many entries as its scan-list blocks carry; a longer list must not be
// offered for programming.
TEST(CompileReport, ScanListLongerThanTheNodeTakes) {
    struct Case {
        double hardware;
        double software;
        int used;
        bool programmable;
        int limit;
    };
    const Case cases[] = {
        {1, 1.0, 64, true, 64},   {1, 1.0, 65, false, 64},   {1, 1.5, 65, true, 192},
        {1, 2.0, 192, true, 192}, {1, 2.0, 193, false, 192}, {1, 2.0, 300, false, 192},
        {4, 1.5, 64, true, 64},   {4, 1.5, 65, false, 64},
    };
    for (const Case& c : cases) {
        ScanInput in;
        for (int i = 0; i < c.used; ++i)
            in.used << QStringLiteral("%1").arg(i % 192, 3, 10, QChar(u'0'));
        in.maxEntries = scanCapacity(c.hardware, c.software);
        const ScanResult r = armaRecorrido(in);
        SCOPED_TRACE(testing::Message()
                     << "hw " << c.hardware << " sw " << c.software << " entries " << c.used);
        EXPECT_EQ(in.maxEntries, c.limit);
        EXPECT_EQ(r.programmable, c.programmable);
        const QString line =
            QStringLiteral("El recorrido supera el máximo de %1 bloques del nodo\r\n").arg(c.limit);
        EXPECT_EQ(r.report.endsWith(line), !c.programmable) << r.report.toStdString();
        EXPECT_EQ(r.total, c.used);
    }
}

TEST(CompileReport, OverLongListReportInFull) {
    ScanInput in = input("010", "", "");
    for (int i = 0; i < 64; ++i) in.used << QStringLiteral("001");
    in.maxEntries = 64;
    EXPECT_EQ(armaRecorrido(in).report,
              QStringLiteral("Recorrido total bloques: 97\r\n"
                             "Tiempo estimado de scan: 9.7 seg.\r\n"
                             "Bloques con prioridad: 1\r\n"
                             "El recorrido supera el máximo de 64 bloques del nodo\r\n"));
}
