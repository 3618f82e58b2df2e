#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ProgramWindow.h"
#include "QtPrinters.h"

using namespace brisa;

namespace {

// The page after one action. `compiled` is what became of the compile result made before the
// sequence: 'P' Programar shown and result kept, 'h' Programar hidden and result kept,
// '-' Programar hidden and result cleared.
struct Step {
    const char* action;
    const char* freeBlocks;
    const char* used;
    const char* pri1;
    const char* pri2;
    int freeIndex;
    int usedIndex;
    QString msg;
    char compiled;
    bool memH = false;
};

struct Sequence {
    const char* name;
    const char* freeBlocks;
    const char* used;
    const char* pri1;
    const char* pri2;
    std::vector<Step> steps;
};

const QString NoMsg;
QString count(int n) { return QStringLiteral("\r\n%1 Bloques").arg(n); }

void play(const Sequence& s) {
    SCOPED_TRACE(s.name);
    ProgramWindow w;
    w.load(s.freeBlocks, s.used, s.pri1, s.pri2);
    w.act(QStringLiteral("compilar"));
    const QStringList compiledList = w.form.lstCompilado.items();
    const QString report = w.form.lbCompilado.caption();
    ASSERT_FALSE(report.isEmpty());
    w.form.lbMsg.setCaption(QString());

    for (size_t i = 0; i < s.steps.size(); ++i) {
        const Step& step = s.steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i + 1 << " " << step.action);
        w.act(QString::fromLatin1(step.action));
        EXPECT_EQ(w.form.lstBlockFree.items(), blockList(step.freeBlocks));
        EXPECT_EQ(w.form.lstUsed.items(), blockList(step.used));
        EXPECT_EQ(w.form.txtPri[0].text(), QString::fromLatin1(step.pri1));
        EXPECT_EQ(w.form.txtPri[1].text(), QString::fromLatin1(step.pri2));
        EXPECT_EQ(w.form.lstBlockFree.listIndex(), step.freeIndex);
        EXPECT_EQ(w.form.lstUsed.listIndex(), step.usedIndex);
        EXPECT_EQ(w.form.lbMsg.caption(), step.msg);
        EXPECT_EQ(w.form.cmdProgramar.visible(), step.compiled == 'P');
        if (step.compiled == '-') {
            EXPECT_EQ(w.form.lstCompilado.count(), 0);
            EXPECT_EQ(w.form.lbCompilado.caption(), QString());
        } else {
            EXPECT_EQ(w.form.lstCompilado.items(), compiledList);
            EXPECT_EQ(w.form.lbCompilado.caption(), report);
        }
        EXPECT_EQ(w.form.mnMemH.checked(), step.memH);
        EXPECT_EQ(w.session.memH, step.memH);
    }
}

}  // namespace

TEST(BlockSelection, OperationSequences) {
    const Sequence sequences[] = {
        {"Usar: the used list keeps the order of use; the last free entry leaves no selection",
         "003 010 020", "", "", "",
         {
             {"usar", "003 010 020", "", "", "", -1, -1, NoMsg, 'P'},  // nothing selected
             {"free 1", "003 010 020", "", "", "", 1, -1, describe(10), 'P'},
             {"usar", "003 020", "010", "", "", 1, 0, describe(10, 1), 'h'},
             {"free 0", "003 020", "010", "", "", 0, 0, describe(3), 'h'},
             {"usar", "020", "010 003", "", "", 0, 1, describe(3, 2), 'h'},
             {"usar", "", "010 003 020", "", "", -1, 2, describe(20, 3), 'h'},
             {"usar", "", "010 003 020", "", "", -1, 2, describe(20, 3), 'h'},
             // Back into an empty free list.
             {"used 0", "", "010 003 020", "", "", -1, 0, describe(10, 3), 'h'},
             {"quitar", "010", "003 020", "", "", -1, 0, count(2), '-'},
         }},
        {"Quitar: blocks return to their place; the selection moves up from the end",
         "000 005 030", "020 003 040", "", "",
         {
             {"quitar", "000 005 030", "020 003 040", "", "", -1, -1, NoMsg, 'P'},
             {"used 2", "000 005 030", "020 003 040", "", "", -1, 2, describe(40, 3), 'P'},
             {"quitar", "000 005 030 040", "020 003", "", "", -1, 1, count(2), '-'},
             {"quitar", "000 003 005 030 040", "020", "", "", -1, 0, count(1), '-'},
             {"quitar", "000 003 005 020 030 040", "", "", "", -1, -1, count(0), '-'},
         }},
        {"Several blocks at once; double click or Enter on a list does its button's move",
         "000-005", "", "", "",
         {
             {"free 1,3,4", "000-005", "", "", "", 4, -1, describe(4), 'P'},
             {"usar", "000 002 005", "001 003 004", "", "", 1, 2, describe(4, 3), 'h'},
             {"used 0,2", "000 002 005", "001 003 004", "", "", 1, 2, describe(4, 3), 'h'},
             {"quitar", "000 001 002 004 005", "003", "", "", 2, 0, count(1), '-'},
             {"enter used", "000-005", "", "", "", 2, -1, count(0), '-'},
             {"free 5", "000-005", "", "", "", 5, -1, describe(5), '-'},
             {"enter free", "000-004", "005", "", "", -1, 0, describe(5, 1), '-'},
         }},
        {"Quitar keeps the middle position while entries follow", "000", "001 002 003", "", "",
         {
             {"used 1", "000", "001 002 003", "", "", -1, 1, describe(2, 3), 'P'},
             {"quitar", "000 002", "001 003", "", "", -1, 1, count(2), '-'},
         }},
        {"Duplicates from a loaded file: Quitar adds none, clearing a priority does",
         "000 005 010", "005 007", "005", "7",
         {
             {"used 0", "000 005 010", "005 007", "005", "7", -1, 0, describe(5, 2), 'P'},
             {"quitar", "000 005 010", "007", "005", "7", -1, 0, count(1), '-'},
             {"sinpri1", "000 005 005 010", "007", "", "7", -1, 0, count(1), '-'},
             // Taken at its numeric place, whatever its text form.
             {"sinpri2", "000 005 005 7 010", "007", "", "", -1, 0, count(1), '-'},
         }},
        {"Priority blocks: only into an empty field; the selection stays inside the list",
         "001 002 003", "009", "", "",
         {
             {"pri1", "001 002 003", "009", "", "", -1, -1, NoMsg, 'P'},  // nothing selected
             {"free 2", "001 002 003", "009", "", "", 2, -1, describe(3), 'P'},
             {"pri1", "001 002", "009", "003", "", 1, -1, describe(2), 'h'},
             {"pri1", "001 002", "009", "003", "", 1, -1, describe(2), 'h'},  // field taken
             {"free 0", "001 002", "009", "003", "", 0, -1, describe(1), 'h'},
             {"pri2", "002", "009", "003", "001", 0, -1, describe(2), 'h'},
             {"sinpri1", "002 003", "009", "", "001", 0, -1, count(1), '-'},
             {"sinpri2", "001 002 003", "009", "", "", 1, -1, count(1), '-'},
             {"free 0", "001 002 003", "009", "", "", 0, -1, describe(1), '-'},
             {"sinpri2", "001 002 003", "009", "", "", 0, -1, describe(1), '-'},  // empty
         }},
        {"Priority from the only free entry leaves the free list empty", "004", "009", "", "",
         {
             {"free 0", "004", "009", "", "", 0, -1, describe(4), 'P'},
             {"pri2", "", "009", "", "004", -1, -1, describe(4), 'h'},
             {"pri1", "", "009", "", "004", -1, -1, describe(4), 'h'},
         }},
        {"High memory off takes 192..255 out of every list and field, keeps 0..191",
         "000 001", "190", "", "",
         {
             {"memh", "000 001 192-255", "190", "", "", -1, -1, NoMsg, 'P', true},
             {"free 10", "000 001 192-255", "190", "", "", 10, -1, describe(200), 'P', true},
             {"pri1", "000 001 192-199 201-255", "190", "200", "", 10, -1, describe(201), 'h',
              true},
             {"free 3", "000 001 192-199 201-255", "190", "200", "", 3, -1, describe(193), 'h',
              true},
             {"usar", "000 001 192 194-199 201-255", "190 193", "200", "", 3, 1, describe(193, 2),
              'h', true},
             {"free 0", "000 001 192 194-199 201-255", "190 193", "200", "", 0, 1, describe(0),
              'h', true},
             {"pri2", "001 192 194-199 201-255", "190 193", "200", "000", 0, 1, describe(1), 'h',
              true},
             {"memh", "001", "190", "", "000", 0, -1, describe(1), 'h', false},
             // Back on: the high blocks return in order after the ordinary ones.
             {"memh", "001 192-255", "190", "", "000", 0, -1, describe(1), 'h', true},
         }},
    };
    for (const Sequence& s : sequences) play(s);
}

TEST(BlockSelection, DescriptionShowsPlcAndModbusAddresses) {
    struct Case {
        const char* entry;
        const char* text;
    };
    const Case cases[] = {
        {"000", "Bloque 0\r\nDirecciones PLC: 0 a 15\r\nDirecciones de MODBUS: xxxx1 a xxx16"},
        {"005", "Bloque 5\r\nDirecciones PLC: 80 a 95\r\nDirecciones de MODBUS: xxx81 a xxx96"},
        {"031", "Bloque 31\r\nDirecciones PLC: 496 a 511\r\nDirecciones de MODBUS: xx497 a xx512"},
        {"191",
         "Bloque 191\r\nDirecciones PLC: 3056 a 3071\r\nDirecciones de MODBUS: x3057 a x3072"},
        // High memory: 4096 bytes further on, one Modbus address per word.
        {"192",
         "Bloque 192\r\nDirecciones PLC: 7168 a 7183\r\nDirecciones de MODBUS: x3585 a x3592"},
        {"255",
         "Bloque 255\r\nDirecciones PLC: 8176 a 8191\r\nDirecciones de MODBUS: x4089 a x4096"},
        // A damaged entry is described by its value; the Modbus text keeps its last five.
        {"7", "Bloque 7\r\nDirecciones PLC: 112 a 127\r\nDirecciones de MODBUS: xx113 a xx128"},
        {"20000",
         "Bloque 20000\r\nDirecciones PLC: 324096 a 324111\r\nDirecciones de MODBUS: 62049 a "
         "62056"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ProgramWindow w;
        w.form.lstBlockFree.addItem(QString::fromLatin1(c.entry));
        w.form.lstUsed.addItem(QStringLiteral("001"));
        w.form.lstUsed.addItem(QString::fromLatin1(c.entry));
        w.form.lstBlockFree.setListIndex(0);
        EXPECT_EQ(w.form.lbMsg.caption(), QString::fromUtf8(c.text));
        w.form.lstUsed.setListIndex(1);
        EXPECT_EQ(w.form.lbMsg.caption(), QString::fromUtf8(c.text) + "\r\nBloques usados = 2");
    }
}

class ProgramReset : public ::testing::Test {
  protected:
    ProgramReset() {
        for (int k = 1; k <= 255; ++k) {
            w.form.cbId232.addItem(QString::number(k));
            w.form.cbId485.addItem(QString::number(k));
        }
        for (int p = 0; p <= 5; ++p) {
            w.form.cbBaudios232.addItem(QString::number(600 << p));
            w.form.cbBaudios485.addItem(QString::number(600 << p));
        }
        // A program in use, compiled and queried, with high memory on.
        w.load("000-005 030", "010 200", "201", "007");
        w.act(QStringLiteral("memh"));
        w.act(QStringLiteral("compilar"));
        w.form.lbProgramado.setCaption(QStringLiteral("Programado!"));
        for (form::Label* label : w.form.nodeInfoLabels()) label->setCaption(QStringLiteral("x"));
        w.form.cbBaudios232.setListIndex(0);
        w.form.cbBaudios485.setListIndex(1);
        w.form.cbId232.setListIndex(7);
        w.form.cbId485.setListIndex(9);
    }

    void expectEmptyProgram() {
        EXPECT_EQ(w.form.lstBlockFree.items(), blockList("000-031"));
        EXPECT_EQ(w.form.lstBlockFree.listIndex(), 0);
        EXPECT_EQ(w.form.txtPri[0].text(), QString());
        EXPECT_EQ(w.form.txtPri[1].text(), QString());
        EXPECT_FALSE(w.form.mnMemH.checked());
        EXPECT_FALSE(w.session.memH);
        EXPECT_EQ(w.form.lstCompilado.count(), 0);
        EXPECT_EQ(w.form.lbCompilado.caption(), QString());
        EXPECT_EQ(w.form.lbProgramado.caption(), QString());
        for (form::Label* label : w.form.nodeInfoLabels())
            EXPECT_EQ(label->caption(), QString()) << label->objectName().toStdString();
        EXPECT_EQ(w.form.cbBaudios232.text(), QStringLiteral("4800"));
        EXPECT_EQ(w.form.cbBaudios485.text(), QStringLiteral("19200"));
        EXPECT_EQ(w.form.cbId232.text(), QStringLiteral("1"));
        EXPECT_EQ(w.form.cbId485.text(), QStringLiteral("1"));
    }

    ProgramWindow w;
};

TEST_F(ProgramReset, StartsAnEmptyProgramAndLeavesProgramarAsItWas) {
    ASSERT_TRUE(w.form.cmdProgramar.visible());
    w.act(QStringLiteral("borrar"));
    expectEmptyProgram();
    EXPECT_EQ(w.form.lstUsed.count(), 0);
    EXPECT_EQ(w.form.lbMsg.caption(), describe(0));
    EXPECT_TRUE(w.form.cmdProgramar.visible());
}

TEST_F(ProgramReset, APrograma) {
    struct Case {
        const char* inspected;
        const char* used;
        const char* freeBlocks;
        QString msg;
    };
    const Case cases[] = {
        {"", "", "000-031", describe(0)},
        // The second 005 finds no free entry left; 200 was never free: both stay used.
        {"005 200 003 005", "005 200 003 005", "000-002 004 006-031", describe(5, 4)},
        {"31 000", "31 000", "001-030", describe(0, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inspected);
        w.form.lstInspec.clear();
        for (const QString& b : blockList(c.inspected)) w.form.lstInspec.addItem(b);
        w.act(QStringLiteral("aprg"));
        EXPECT_EQ(w.form.lstUsed.items(), blockList(c.used));
        EXPECT_EQ(w.form.lstUsed.listIndex(), w.form.lstUsed.count() - 1);
        EXPECT_EQ(w.form.lstBlockFree.items(), blockList(c.freeBlocks));
        EXPECT_EQ(w.form.lbMsg.caption(), c.msg);
        EXPECT_FALSE(w.session.memH);
    }
}

// While a programming run sends the blocks, the buttons are disabled: the lists do not move
// on double click or Enter either.
TEST(BlockSelection, ActivatingAListMovesNothingWhileItsButtonIsDisabled) {
    ProgramWindow w;
    w.load("000 001", "002");
    w.act(QStringLiteral("free 0"));
    w.act(QStringLiteral("used 0"));
    w.form.cmdAdd.setEnabled(false);
    w.form.cmdQuita.setEnabled(false);
    w.act(QStringLiteral("enter free"));
    w.act(QStringLiteral("enter used"));
    EXPECT_EQ(w.form.lstBlockFree.items(), blockList("000 001"));
    EXPECT_EQ(w.form.lstUsed.items(), blockList("002"));
}
