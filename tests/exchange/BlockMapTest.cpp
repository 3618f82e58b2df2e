// The block map follows every operation on the block selection, and a click or double click
// on a cell acts through the lists and buttons of the page.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ProgramWindow.h"
#include "QtPrinters.h"
#include "exchange/BlockMap.h"

using namespace brisa;
using exchange::BlockMap;
using State = BlockMap::State;

namespace {

// "0-4 192" -> {0, 1, 2, 3, 4, 192}.
std::set<int> blocks(const char* text) {
    std::set<int> out;
    for (const QString& word : QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts)) {
        const QStringList ends = word.split(u'-');
        for (int b = ends.first().toInt(); b <= ends.last().toInt(); ++b) out.insert(b);
    }
    return out;
}

struct MapCase {
    const char* name;
    // The page before: free list, used list, priority fields, inspection list.
    const char* freeBlocks;
    const char* used;
    const char* pri1;
    const char* pri2;
    const char* inspected;
    // Actions as ProgramWindow takes them, and "map N" / "map2 N": a click / double click on
    // block N of the map.
    std::vector<const char*> actions;
    // Every block of the map afterwards: these free, these used, the priority blocks (-1:
    // none); every other block unavailable.
    const char* expectFree;
    const char* expectUsed;
    int expectPri1;
    int expectPri2;
    int selected;
};

const MapCase Cases[] = {
    {"Reset", "5-9", "40", "50", "", "", {"borrar"}, "0-31", "", -1, -1, 0},
    {"Use", "0-4", "", "", "", "", {"free 2", "usar"}, "0-1 3-4", "2", -1, -1, 2},
    {"UseSeveral", "0-4", "9", "", "", "", {"free 1,3", "usar"}, "0 2 4", "1 3 9", -1, -1, 3},
    {"Remove", "0-2", "10 11", "", "", "", {"used 0", "quitar"}, "0-2 10", "11", -1, -1, 11},
    // Back in the free list, but not its current entry: nothing is selected.
    {"RemoveTheLast", "0-2", "10", "", "", "", {"used 0", "quitar"}, "0-2 10", "", -1, -1, -1},
    {"Priority1", "0-3", "", "", "", "", {"free 1", "pri1"}, "0 2-3", "", 1, -1, 2},
    {"Priority2FromTheLast", "0-3", "", "", "", "", {"free 3", "pri2"}, "0-2", "", -1, 3, 2},
    {"ClearPriority", "0-2", "", "", "007", "", {"sinpri2"}, "0-2 7", "", -1, -1, -1},
    {"HighMemoryOn", "0-1", "", "", "", "", {"memh"}, "0-1 192-255", "", -1, -1, -1},
    {"HighMemoryOff", "0-1", "", "", "", "",
     {"memh", "free 2", "usar", "free 3", "pri1", "memh"}, "0-1", "", -1, -1, -1},
    {"APrograma", "0-31", "7", "", "", "005 200 010", {"aprg"}, "0-4 6-9 11-31", "5 200 10", -1, -1, 10},
    {"APrgEmpty", "0-3", "7", "", "", "", {"aprg"}, "0-31", "", -1, -1, 0},
    // A damaged file may name a block twice: the map shows its strongest place.
    {"DuplicateEntries", "5 6 7", "5", "", "006", "", {}, "7", "5", -1, 6, -1},
    // The map's own clicks.
    {"ClickAFreeBlock", "0-4", "8", "", "", "", {"map 3"}, "0-4", "8", -1, -1, 3},
    {"ClickAUsedBlock", "0-4", "8 9", "", "", "", {"map 9"}, "0-4", "8 9", -1, -1, 9},
    {"ClickAPriorityBlock", "0-4", "", "12", "", "", {"map 12"}, "0-4", "", 12, -1, 12},
    {"ClickNothing", "0-4", "", "", "", "", {"free 1", "map 100"}, "0-4", "", -1, -1, 1},
    {"DoubleClickAFreeBlock", "0-4", "8", "", "", "", {"map2 3"}, "0-2 4", "8 3", -1, -1, 3},
    {"DoubleClickAUsedBlock", "0-4", "8 9", "", "", "", {"used 0", "map2 9"}, "0-4 9", "8", -1, -1, 8},
    {"DoubleClickAPriorityBlock", "0-4", "", "", "012", "", {"map2 12"}, "0-4 12", "", -1, -1, -1},
    {"DoubleClickNothing", "0-4", "8", "", "", "", {"map2 40"}, "0-4", "8", -1, -1, -1},
    {"DoubleClickAHighBlock", "0-1", "", "", "", "", {"memh", "map2 255"}, "0-1 192-254", "255", -1, -1, 255},
};

class BlockMapFollows : public ::testing::TestWithParam<MapCase> {};

TEST_P(BlockMapFollows, EveryBlockSelectionOperation) {
    const MapCase& c = GetParam();
    ProgramWindow w;
    BlockMap map(w.form);
    w.load(c.freeBlocks, c.used, c.pri1, c.pri2);
    for (const QString& b : blockList(c.inspected)) w.form.lstInspec.addItem(b);
    // A cell read before the actions must not be served stale afterwards.
    (void)map.cell(0);
    int announced = 0;
    QObject::connect(&map, &BlockMap::changed, [&] { ++announced; });

    for (const char* action : c.actions) {
        const QStringList words = QString::fromLatin1(action).split(u' ');
        if (words[0] == u"map")
            map.click(words[1].toInt());
        else if (words[0] == u"map2")
            map.doubleClick(words[1].toInt());
        else
            w.act(QString::fromLatin1(action));
    }
    const std::set<int> freeSet = blocks(c.expectFree), usedSet = blocks(c.expectUsed);
    for (int b = 0; b < BlockMap::Blocks; ++b) {
        SCOPED_TRACE(testing::Message() << "block " << b);
        const BlockMap::Cell cell = map.cell(b);
        const int priority = b == c.expectPri1 ? 1 : b == c.expectPri2 ? 2 : 0;
        const State expected = priority      ? State::Priority
                               : usedSet.count(b) ? State::Used
                               : freeSet.count(b) ? State::Free
                                                  : State::Unavailable;
        ASSERT_EQ(int(cell.state), int(expected));
        EXPECT_EQ(cell.priority, priority);
        EXPECT_EQ(cell.highMemory, b >= 192);
        EXPECT_EQ(cell.selected, b == c.selected);
    }
    EXPECT_EQ(map.selectedBlock(), c.selected);
    if (!c.actions.empty() && std::string(c.name) != "DoubleClickNothing") {
        EXPECT_GT(announced, 0) << "a view would not repaint";
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, BlockMapFollows, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// A click shows the block's description in lbMsg, as selecting it in its list does; the
// tooltip holds the same addresses.
TEST(BlockMap, AClickSelectsTheBlockInItsListAndTheTooltipSaysWhereItLies) {
    ProgramWindow w;
    BlockMap map(w.form);
    w.load("0-9 13-31", "10 11 12", "", "192");
    map.click(31);
    EXPECT_EQ(w.form.lstBlockFree.listIndex(), 28);
    EXPECT_EQ(w.form.lbMsg.caption(), describe(31));
    map.click(12);
    EXPECT_EQ(w.form.lstUsed.listIndex(), 2);
    EXPECT_EQ(w.form.lbMsg.caption(), describe(12, 3));

    EXPECT_EQ(map.toolTip(31), QStringLiteral("Bloque 31\nDirecciones PLC: 496 a 511\n"
                                              "Direcciones de MODBUS: xx497 a xx512\nLibre"));
    EXPECT_EQ(map.toolTip(192), QStringLiteral("Bloque 192\nDirecciones PLC: 7168 a 7183\n"
                                               "Direcciones de MODBUS: x3585 a x3592\n"
                                               "Memoria alta, prioritario 2"));
    EXPECT_EQ(map.accessibleName(100), QStringLiteral("Bloque 100: no disponible"));
    EXPECT_EQ(map.accessibleName(11), QStringLiteral("Bloque 11: usado"));
    for (int outside : {-1, 256, 100000}) {
        EXPECT_EQ(int(map.cell(outside).state), int(State::Unavailable));
        EXPECT_TRUE(map.toolTip(outside).isEmpty());
        map.click(outside);
        map.doubleClick(outside);
    }
    EXPECT_EQ(w.form.lstUsed.count(), 3);
}

// While an exchange runs the buttons are disabled: a double click moves nothing either.
TEST(BlockMap, ADoubleClickGoesThroughTheButtons) {
    ProgramWindow w;
    BlockMap map(w.form);
    w.load("0-4", "8", "", "");
    w.form.cmdAdd.setEnabled(false);
    w.form.cmdQuita.setEnabled(false);
    map.doubleClick(2);
    map.doubleClick(8);
    EXPECT_EQ(w.form.lstBlockFree.items(), blockList("000-004"));
    EXPECT_EQ(w.form.lstUsed.items(), blockList("8"));
}

}  // namespace
