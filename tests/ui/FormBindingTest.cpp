#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "FormBinding.h"
#include "QtPrinters.h"

using namespace brisa::form;
using brisa::ui::ClickableLabel;
using brisa::ui::FormBinding;

namespace {

// A shown window to put the widgets on, so that they take keys and clicks.
class FormBindingTest : public ::testing::Test {
  protected:
    FormBindingTest() {
        window.resize(400, 300);
        window.show();
    }
    template <typename W>
    W* add(W* w) {
        w->setParent(&window);
        w->show();
        return w;
    }
    QWidget window;
    FormBinding binding;
};

TEST_F(FormBindingTest, LineEditMirrorsTheFieldEnforcesItsLimitsAndConfirmsOnEnter) {
    TextBox ip;
    ip.setMaxLength(3);
    ip.setRange(0, 255);
    ip.setText(QStringLiteral("000"));
    auto* w = add(new QLineEdit);
    binding.bind(ip, w);
    EXPECT_EQ(w->text(), QStringLiteral("000"));
    EXPECT_EQ(w->maxLength(), 3);

    ip.setText(QStringLiteral("12"));
    ip.setToolTip(QStringLiteral("Dirección IP"));
    ip.setEnabled(false);
    EXPECT_EQ(w->text(), QStringLiteral("12"));
    EXPECT_EQ(w->toolTip(), QStringLiteral("Dirección IP"));
    EXPECT_FALSE(w->isEnabled());
    ip.setEnabled(true);

    // Typing: a digit that would leave the range is refused, the text goes to the control.
    w->clear();
    ip.setText(QString());
    w->setFocus();
    QTest::keyClicks(w, QStringLiteral("25"));
    QTest::keyClicks(w, QStringLiteral("9"));  // 259 > 255
    EXPECT_EQ(w->text(), QStringLiteral("25"));
    EXPECT_EQ(ip.text(), QStringLiteral("25"));
    QTest::keyClicks(w, QStringLiteral("5x"));
    EXPECT_EQ(ip.text(), QStringLiteral("255"));

    QSignalSpy confirmed(&ip, &TextBox::confirmed);
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_EQ(confirmed.count(), 1);
}

TEST_F(FormBindingTest, PastedLineBreaksBecomeSpacesInBothEntryWidgets) {
    TextBox smtp;
    smtp.setMaxLength(49);
    auto* line = add(new QLineEdit);
    binding.bind(smtp, line);
    TextBox msg;
    msg.setMaxLength(240);
    auto* plain = add(new QPlainTextEdit);
    binding.bind(msg, plain);

    QApplication::clipboard()->setText(QStringLiteral("smtp.x\r\n[Otra]\nZ"));
    line->setFocus();
    line->paste();
    EXPECT_EQ(smtp.text(), QStringLiteral("smtp.x [Otra] Z"));
    EXPECT_EQ(line->text(), QStringLiteral("smtp.x [Otra] Z"));

    plain->setFocus();
    plain->paste();
    EXPECT_EQ(msg.text(), QStringLiteral("smtp.x [Otra] Z"));
    EXPECT_EQ(plain->toPlainText(), QStringLiteral("smtp.x [Otra] Z"));
}

TEST_F(FormBindingTest, PlainTextEditKeepsOneLineWithinTheLengthAndConfirmsOnEnter) {
    TextBox msg;
    msg.setMaxLength(5);
    auto* w = add(new QPlainTextEdit);
    binding.bind(msg, w);
    msg.setText(QStringLiteral("hola"));
    EXPECT_EQ(w->toPlainText(), QStringLiteral("hola"));

    w->setFocus();
    w->moveCursor(QTextCursor::End);
    QTest::keyClicks(w, QStringLiteral("sol"));
    EXPECT_EQ(msg.text(), QStringLiteral("holas"));
    EXPECT_EQ(w->toPlainText(), QStringLiteral("holas"));

    QSignalSpy confirmed(&msg, &TextBox::confirmed);
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_EQ(w->toPlainText(), QStringLiteral("holas"));
}

TEST_F(FormBindingTest, ComboBoxMirrorsItemsAndSelectionAndForwardsChoices) {
    ComboBox list;
    auto* w = add(new QComboBox);
    binding.bind(list, w);
    for (const char* s : {"Nunca", "3", "10"}) list.addItem(QLatin1String(s));
    list.setListIndex(1);
    EXPECT_EQ(w->count(), 3);
    EXPECT_EQ(w->currentText(), QStringLiteral("3"));
    list.removeItem(0);
    EXPECT_EQ(w->itemText(0), QStringLiteral("3"));

    QSignalSpy clicks(&list, &ListControl::click);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Down);  // a choice with the keyboard
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FormBindingTest, ListWidgetMirrorsItemsAndSelectionAndForwardsChoices) {
    ListBox list;
    auto* w = add(new QListWidget);
    binding.bind(list, w);
    for (const char* s : {"000", "001", "002"}) list.addItem(QLatin1String(s));
    list.setListIndex(2);
    EXPECT_EQ(w->count(), 3);
    EXPECT_EQ(w->currentRow(), 2);
    list.clear();
    EXPECT_EQ(w->count(), 0);
    list.addItem(QStringLiteral("005"));
    list.addItem(QStringLiteral("007"));

    QSignalSpy clicks(&list, &ListControl::click);
    const QRect second = w->visualItemRect(w->item(1));
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(list.text(), QStringLiteral("007"));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FormBindingTest, RadioButtonsFollowTheGroupOfTheirControls) {
    OptionButton a, b;
    OptionGroup group;
    group.add(a);
    group.add(b);
    a.setCaption(QStringLiteral("Puerto A"));
    auto* wa = add(new QRadioButton);
    auto* wb = add(new QRadioButton);
    binding.bind(a, wa);
    binding.bind(b, wb);
    EXPECT_EQ(wa->text(), QStringLiteral("Puerto A"));
    b.setValue(true);
    EXPECT_TRUE(wb->isChecked());
    EXPECT_FALSE(wa->isChecked());

    QSignalSpy clicks(&a, &OptionButton::click);
    QTest::mouseClick(wa, Qt::LeftButton);
    EXPECT_TRUE(a.value());
    EXPECT_FALSE(b.value());
    EXPECT_FALSE(wb->isChecked());
    EXPECT_EQ(clicks.count(), 1);
    // Clicking the selected option again leaves it selected.
    QTest::mouseClick(wa, Qt::LeftButton);
    EXPECT_TRUE(wa->isChecked());
    EXPECT_TRUE(a.value());
}

TEST_F(FormBindingTest, CheckBoxMirrorsItsValueAndForwardsTicksAndEnter) {
    CheckBox chk;
    chk.setCaption(QStringLiteral("El servidor requiere autenticación"));
    auto* w = add(new QCheckBox);
    binding.bind(chk, w);
    EXPECT_EQ(w->text(), chk.caption());
    chk.setValue(1);
    EXPECT_TRUE(w->isChecked());

    QSignalSpy clicks(&chk, &CheckBox::click);
    QTest::mouseClick(w, Qt::LeftButton);
    EXPECT_EQ(chk.value(), 0);
    EXPECT_EQ(clicks.count(), 1);

    QSignalSpy enter(&chk, &CheckBox::confirmed);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1);
}

TEST_F(FormBindingTest, LabelsShowTheirCaptionAndLinkLabelsForwardClicks) {
    Label lb;
    auto* w = add(new ClickableLabel);
    binding.bind(lb, w);
    lb.setCaption(QStringLiteral("PC COM3:"));
    EXPECT_EQ(w->text(), QStringLiteral("PC COM3:"));
    lb.setVisible(false);
    EXPECT_FALSE(w->isVisible());
    lb.setVisible(true);
    EXPECT_TRUE(w->isVisible());

    QSignalSpy clicks(&lb, &Label::click);
    QTest::mouseClick(w, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FormBindingTest, ButtonsMirrorCaptionAndVisibilityAndForwardClicks) {
    CommandButton cmd;
    cmd.setCaption(QStringLiteral("&Programar "));
    auto* w = add(new QPushButton);
    binding.bind(cmd, w);
    EXPECT_EQ(w->text(), QStringLiteral("&Programar "));
    cmd.setVisible(false);
    EXPECT_TRUE(w->isHidden());
    cmd.setVisible(true);
    EXPECT_FALSE(w->isHidden());

    QSignalSpy clicks(&cmd, &Label::click);
    QTest::mouseClick(w, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    cmd.setEnabled(false);
    QTest::mouseClick(w, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FormBindingTest, FrameEnablesWhatItHolds) {
    Frame panel;
    auto* box = add(new QGroupBox);
    auto* inside = new QLineEdit(box);
    binding.bind(panel, box);
    panel.setEnabled(false);
    EXPECT_FALSE(inside->isEnabled());
    panel.setEnabled(true);
    EXPECT_TRUE(inside->isEnabled());
    panel.setCaption(QStringLiteral("Puerto RS-485"));
    EXPECT_EQ(box->title(), QStringLiteral("Puerto RS-485"));
}

TEST_F(FormBindingTest, ProgressBarFollowsMaxAndValue) {
    ProgressBar bar;
    auto* w = add(new QProgressBar);
    binding.bind(bar, w);
    bar.setMax(14);
    bar.setValue(7);
    EXPECT_EQ(w->maximum(), 14);
    EXPECT_EQ(w->value(), 7);
}

TEST_F(FormBindingTest, MenuActionsForwardChoicesAndShowTheHandlersCheckMark) {
    MenuItem memH;
    memH.setCaption(QStringLiteral("Activar memoria alta"));
    QAction action;
    action.setCheckable(true);
    binding.bind(memH, &action);
    EXPECT_EQ(action.text(), QStringLiteral("Activar memoria alta"));

    // A handler that refuses to tick it: the action must not show a tick of its own.
    QSignalSpy clicks(&memH, &MenuItem::click);
    action.trigger();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(action.isChecked());
    memH.setChecked(true);
    EXPECT_TRUE(action.isChecked());
    memH.setEnabled(false);
    EXPECT_FALSE(action.isEnabled());
}

TEST_F(FormBindingTest, TabWidgetMirrorsPagesAndForwardsPageChanges) {
    TabControl tabs;
    tabs.setCaptions({QStringLiteral("Ethernet"), QStringLiteral("e-mail")});
    auto* w = add(new QTabWidget);
    w->addTab(new QWidget, QString());
    w->addTab(new QWidget, QString());
    binding.bind(tabs, w);
    EXPECT_EQ(w->tabText(1), QStringLiteral("e-mail"));
    tabs.setCurrentPage(1);
    EXPECT_EQ(w->currentIndex(), 1);

    QSignalSpy clicks(&tabs, &TabControl::click);
    w->setCurrentIndex(0);  // as a click on the tab does
    EXPECT_EQ(tabs.currentPage(), 0);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FormBindingTest, BusyPointerIsTheApplicationsWaitCursor) {
    MousePointer pointer;
    binding.bind(pointer);
    pointer.setBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    pointer.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
