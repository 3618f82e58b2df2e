// The block map on the "Programa" page: which cell a point hits at two sizes, clicks and
// double clicks reaching the lists, the keyboard, and each cell named for a screen reader.
#include <gtest/gtest.h>

#include <QAccessible>

#include "BlockMapWidget.h"
#include "QtPrinters.h"
#include "WindowFixture.h"

using brisa::exchange::BlockMap;
using brisa::ui::BlockMapGeometry;
using brisa::ui::BlockMapWidget;

namespace {

// Square cells as large as the room allows, the grid and the legend column beside it centred
// together.
struct HitCase {
    QSize size;
    int legend;
    int cell;
    int left;
    // A point and the block it hits (-1: none).
    std::vector<std::pair<QPoint, int>> hits;
};

TEST(BlockMapGeometry, CellUnderAPointAtTwoSizes) {
    const HitCase cases[] = {
        // Height-bound: 416 / 16 = 26 px cells; 416 + 4 + 100 = 520 px centred in 600.
        {QSize(600, 416), 100, 26, 40,
         {{{40, 0}, 0},
          {{39, 0}, -1},
          {{40 + 25, 25}, 0},
          {{40 + 26, 0}, 1},
          {{40 + 415, 0}, 15},
          {{40 + 416, 0}, -1},
          {{40, 26}, 16},
          {{40 + 3 * 26 + 13, 12 * 26 + 13}, 195},
          {{40 + 415, 415}, 255},
          {{40 + 415, 416}, -1},
          {{500, 10}, -1}}},
        // Width-bound: (300 - 104 - 4) / 16 = 12 px cells, nothing left over.
        {QSize(300, 500), 104, 12, 0,
         {{{0, 0}, 0},
          {{-1, 5}, -1},
          {{11, 11}, 0},
          {{12, 12}, 17},
          {{191, 191}, 255},
          {{192, 100}, -1},
          {{100, 192}, -1},
          {{7 * 12, 11 * 12 + 6}, 183}}},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width() << "x" << c.size.height());
        const BlockMapGeometry g = BlockMapGeometry::forSize(c.size, c.legend);
        EXPECT_EQ(g.cell, c.cell);
        EXPECT_EQ(g.grid, QRect(c.left, 0, 16 * c.cell, 16 * c.cell));
        EXPECT_EQ(g.legend, QRect(c.left + 16 * c.cell + BlockMapGeometry::Gap, 0, c.legend, 16 * c.cell));
        for (auto [point, block] : c.hits) {
            EXPECT_EQ(g.blockAt(point), block) << point.x() << "," << point.y();
            if (block >= 0) {
                EXPECT_TRUE(g.cellRect(block).contains(point)) << block;
            }
        }
    }
    // No room for a cell: nothing is hit.
    const BlockMapGeometry none = BlockMapGeometry::forSize(QSize(120, 100), 110);
    EXPECT_EQ(none.cell, 0);
    EXPECT_EQ(none.blockAt(QPoint(0, 0)), -1);
}

class BlockMapOnPage : public WindowFixture {
  protected:
    BlockMapOnPage() {
        showPage(3);
        map = window.findChild<BlockMapWidget*>(QStringLiteral("blockMap"));
    }
    QPoint centre(int block) const { return map->geometryNow().cellRect(block).center(); }
    BlockMapWidget* map = nullptr;
};

// The same clicks land on the same blocks whatever size the window gives the map.
TEST_F(BlockMapOnPage, ClicksReachTheListsAtTwoSizes) {
    ASSERT_NE(map, nullptr);
    brisa::form::MainForm& f = app->form;
    f.cmdRstProg.press();
    for (QSize size : {QSize(500, 520), QSize(260, 300)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        map->setFixedSize(size);
        QApplication::processEvents();
        ASSERT_EQ(map->size(), size);
        const int firstUsed = f.lstUsed.count();
        QTest::mouseClick(map, Qt::LeftButton, {}, centre(20));
        EXPECT_EQ(f.lstBlockFree.text(), QStringLiteral("020"));
        EXPECT_TRUE(f.lbMsg.caption().startsWith(QStringLiteral("Bloque 20\r\n")));
        EXPECT_EQ(app->blockMap.selectedBlock(), 20);

        QTest::mouseDClick(map, Qt::LeftButton, {}, centre(20));
        EXPECT_EQ(f.lstUsed.items().mid(firstUsed), QStringList{"020"});
        EXPECT_EQ(app->blockMap.cell(20).state, BlockMap::State::Used);
        QTest::mouseDClick(map, Qt::LeftButton, {}, centre(20));
        EXPECT_EQ(app->blockMap.cell(20).state, BlockMap::State::Free);
        // Outside the grid and on a block no list has: nothing happens.
        QTest::mouseClick(map, Qt::LeftButton, {}, centre(20));
        const QStringList freeBefore = f.lstBlockFree.items();
        QTest::mouseDClick(map, Qt::LeftButton, {}, centre(100));
        QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(map->width() - 1, map->height() - 1));
        EXPECT_EQ(f.lstBlockFree.items(), freeBefore);
        EXPECT_EQ(app->blockMap.selectedBlock(), 20);
    }
}

TEST_F(BlockMapOnPage, TheKeyboardWalksTheCellsAndUsesThem) {
    ASSERT_NE(map, nullptr);
    brisa::form::MainForm& f = app->form;
    f.cmdRstProg.press();
    ASSERT_TRUE(focus(map));
    QTest::keyClick(map, Qt::Key_Home);
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left})
        QTest::keyClick(map, k);
    EXPECT_EQ(map->focusBlock(), 17);
    QTest::keyClick(map, Qt::Key_Space);
    EXPECT_EQ(f.lstBlockFree.text(), QStringLiteral("017"));
    QTest::keyClick(map, Qt::Key_Return);
    EXPECT_EQ(f.lstUsed.items(), QStringList{"017"});
    // The edges hold.
    QTest::keyClick(map, Qt::Key_End);
    QTest::keyClick(map, Qt::Key_Right);
    QTest::keyClick(map, Qt::Key_Down);
    EXPECT_EQ(map->focusBlock(), 255);
}

// Each cell is an accessible item named by its block and state, found at its place on the
// screen, and its name follows the lists.
TEST_F(BlockMapOnPage, EachCellIsNamedByItsState) {
    ASSERT_NE(map, nullptr);
    brisa::form::MainForm& f = app->form;
    f.cmdRstProg.press();
    f.lstBlockFree.setListIndex(5);
    f.cmdAddPri2.press();
    map->setFixedSize(400, 440);
    QApplication::processEvents();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(map);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Mapa de bloques"));
    ASSERT_EQ(a->childCount(), 256);
    const std::pair<int, const char*> names[] = {
        {0, "Bloque 0: libre"},
        {5, "Bloque 5: prioritario 2"},
        {6, "Bloque 6: libre"},
        {40, "Bloque 40: no disponible"},
        {200, "Bloque 200: memoria alta, no disponible"},
    };
    for (auto [block, name] : names) {
        QAccessibleInterface* cell = a->child(block);
        ASSERT_NE(cell, nullptr) << block;
        EXPECT_EQ(cell->role(), QAccessible::ListItem);
        EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8(name));
        EXPECT_EQ(a->indexOfChild(cell), block);
        EXPECT_EQ(cell->parent(), a);
        const QPoint onScreen = map->mapToGlobal(centre(block));
        EXPECT_EQ(a->childAt(onScreen.x(), onScreen.y()), cell) << block;
        EXPECT_TRUE(cell->rect().contains(onScreen)) << block;
    }
    // The tooltip's description is the cell's: lbMsg's addresses and the state.
    EXPECT_EQ(a->child(5)->text(QAccessible::Description), app->blockMap.toolTip(5));
    EXPECT_TRUE(a->child(6)->state().selected);  // "Bloque prioritario 2" selected the next one

    f.mnMemH.choose();
    EXPECT_EQ(a->child(200)->text(QAccessible::Name), QStringLiteral("Bloque 200: memoria alta, libre"));
    f.lstBlockFree.setListIndex(0);
    f.cmdAdd.press();
    EXPECT_EQ(a->child(0)->text(QAccessible::Name), QStringLiteral("Bloque 0: usado"));
    EXPECT_TRUE(a->child(0)->state().selected);
    EXPECT_FALSE(a->child(6)->state().selected);
}

}  // namespace
