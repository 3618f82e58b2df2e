#include <gtest/gtest.h>

#include <QSignalSpy>

#include "QtPrinters.h"
#include "form/Controls.h"

using namespace brisa::form;

TEST(ListControlTest, PositionOutsideTheListIsRefusedAndChangesNothing) {
    ComboBox list;
    for (const char* e : {"a", "b", "c"}) list.addItem(QLatin1String(e));
    ASSERT_TRUE(list.setListIndex(1));
    QSignalSpy clicks(&list, &ListControl::click);
    QSignalSpy changes(&list, &Control::changed);
    for (int bad : {3, 20, -2}) {
        EXPECT_FALSE(list.setListIndex(bad)) << bad;
        EXPECT_EQ(list.listIndex(), 1);
    }
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(changes.count(), 0);

    EXPECT_TRUE(list.setListIndex(-1));
    EXPECT_EQ(list.text(), QString());
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ListControlTest, ChoosingTheSameEntryAgainStillClicks) {
    ListBox list;
    list.addItem(QStringLiteral("x"));
    QSignalSpy clicks(&list, &ListControl::click);
    list.setListIndex(0);
    list.setListIndex(0);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ListControlTest, RemovingAnEntryKeepsTheSelectionOnTheSameEntry) {
    ListBox list;
    for (const char* e : {"000", "001", "002"}) list.addItem(QLatin1String(e));
    list.setListIndex(2);
    EXPECT_TRUE(list.removeItem(0));
    EXPECT_EQ(list.text(), QStringLiteral("002"));
    EXPECT_TRUE(list.removeItem(1));
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_FALSE(list.removeItem(-1));
}

TEST(ListControlTest, InsertingKeepsTheSelectionOnTheSameEntry) {
    ListBox list;
    for (const char* e : {"000", "002"}) list.addItem(QLatin1String(e));
    list.setListIndex(1);
    QSignalSpy clicks(&list, &ListControl::click);
    EXPECT_TRUE(list.insertItem(1, QStringLiteral("001")));
    EXPECT_TRUE(list.insertItem(3, QStringLiteral("003")));
    EXPECT_FALSE(list.insertItem(5, QStringLiteral("x")));
    EXPECT_FALSE(list.insertItem(-1, QStringLiteral("x")));
    EXPECT_EQ(list.items(), QStringList({"000", "001", "002", "003"}));
    EXPECT_EQ(list.text(), QStringLiteral("002"));
    EXPECT_EQ(clicks.count(), 0);  // the user chose nothing
}

TEST(CommandButtonTest, OnlyAVisibleEnabledButtonCanBePressed) {
    CommandButton b;
    QSignalSpy clicks(&b, &CommandButton::click);
    b.press();
    EXPECT_EQ(clicks.count(), 1);
    b.setVisible(false);
    b.press();
    b.setVisible(true);
    b.setEnabled(false);
    b.press();
    EXPECT_EQ(clicks.count(), 1);
}

TEST(OptionButtonTest, SelectingOneDeselectsTheRestOfItsGroupOnly) {
    std::array<OptionButton, 3> a;
    OptionButton other;
    OptionGroup group;
    for (auto& b : a) group.add(b);
    other.setValue(true);
    QSignalSpy clicks(&a[2], &OptionButton::click);

    a[0].setValue(true);
    a[2].setValue(true);
    EXPECT_FALSE(a[0].value());
    EXPECT_TRUE(a[2].value());
    EXPECT_EQ(group.selected(), 2);
    EXPECT_TRUE(other.value());
    EXPECT_EQ(clicks.count(), 1);

    a[2].setValue(false);  // clearing selects nothing else
    EXPECT_EQ(group.selected(), -1);
}

TEST(TextBoxTest, LengthAndRange) {
    TextBox t;
    t.setMaxLength(5);
    t.setRange(0, 65535);
    t.setText(QStringLiteral("1234567"));
    EXPECT_EQ(t.text(), QStringLiteral("12345"));
    struct Case {
        const char* text;
        bool accepted;
    };
    for (const Case& c :
         {Case{"40000", true}, Case{"65535", true}, Case{"65536", false}, Case{"-1", false},
          Case{"", true}, Case{"12a", false}, Case{"123456", false}})
        EXPECT_EQ(t.accepts(QLatin1String(c.text)), c.accepted) << c.text;
}

TEST(TextBoxTest, LineBreaksBecomeSpaces) {
    struct Case {
        const char* in;
        const char* kept;
    };
    for (const Case& c :
         {Case{"smtp.x\n[Otra]", "smtp.x [Otra]"}, Case{"a\r\nb", "a b"}, Case{"a\rb\n", "a b "},
          Case{"\n\r\n", "  "}, Case{"uno\r\n\r\ndos", "uno  dos"}}) {
        TextBox t;
        t.setText(QLatin1String(c.in));
        EXPECT_EQ(t.text(), QLatin1String(c.kept)) << c.in;
    }
    // The length counts the text kept.
    TextBox t;
    t.setMaxLength(3);
    t.setText(QStringLiteral("a\r\nbc"));
    EXPECT_EQ(t.text(), QStringLiteral("a b"));
}

TEST(CheckBoxTest, AnyNonZeroChecks) {
    CheckBox c;
    QSignalSpy clicks(&c, &CheckBox::click);
    c.setValue(-1);
    EXPECT_EQ(c.value(), 1);
    c.setValue(0);
    EXPECT_EQ(c.value(), 0);
    EXPECT_EQ(clicks.count(), 2);
}

// A list box that takes several entries: the selection follows inserts and removals, and
// choosing one entry selects just that one again.
TEST(ListControlTest, SeveralSelectedEntriesFollowTheirEntries) {
    ListBox list;
    list.setMultiSelect(true);
    for (const char* e : {"000", "001", "002", "003"}) list.addItem(QLatin1String(e));
    QSignalSpy clicks(&list, &ListControl::click);
    ASSERT_TRUE(list.setSelection({3, 1, 9, -4, 1}, 3));  // outside and repeated: dropped
    EXPECT_EQ(list.selection(), (QList<int>{1, 3}));
    EXPECT_EQ(list.text(), QStringLiteral("003"));
    EXPECT_EQ(clicks.count(), 1);

    list.insertItem(0, QStringLiteral("x"));
    EXPECT_EQ(list.selection(), (QList<int>{2, 4}));
    list.removeItem(2);
    EXPECT_EQ(list.selection(), (QList<int>{3}));
    EXPECT_EQ(list.text(), QStringLiteral("003"));

    list.setListIndex(0);
    EXPECT_EQ(list.selection(), (QList<int>{0}));
    list.setListIndex(-1);
    EXPECT_TRUE(list.selection().isEmpty());
    EXPECT_FALSE(list.setSelection({0}, 7));  // no such current entry

    // A list that takes one entry at a time keeps only the current one.
    ListBox single;
    for (const char* e : {"a", "b"}) single.addItem(QLatin1String(e));
    single.setSelection({0, 1}, 1);
    EXPECT_EQ(single.selection(), (QList<int>{1}));
}

TEST(TextBoxTest, LettersAndDigitsOnly) {
    TextBox t;
    t.setMaxLength(4);
    t.setAlphanumeric(true);
    for (const char* ok : {"", "ab12", "Z9", "0000"}) EXPECT_TRUE(t.accepts(QLatin1String(ok))) << ok;
    for (const QString& bad : {QStringLiteral("ab 1"), QStringLiteral("a-b"), QStringLiteral("año"),
                              QStringLiteral("a.b"), QStringLiteral("abcde")})
        EXPECT_FALSE(t.accepts(bad)) << bad.toStdString();
}

TEST(ControlTest, ADisabledControlSaysWhyInItsTooltip) {
    Frame f;
    f.setToolTip(QStringLiteral("Red"));
    f.setDisabledTip(QStringLiteral("Sólo en nodos Ethernet ModBus"));
    EXPECT_EQ(f.shownToolTip(), QStringLiteral("Red"));
    QSignalSpy changes(&f, &Control::changed);
    f.setEnabled(false);
    EXPECT_EQ(f.shownToolTip(), QStringLiteral("Sólo en nodos Ethernet ModBus"));
    EXPECT_EQ(changes.count(), 1);
}
