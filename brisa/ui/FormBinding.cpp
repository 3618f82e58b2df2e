#include "FormBinding.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QValidator>

namespace brisa::ui {

using namespace form;

namespace {

// Lets the user leave in the field only what the control accepts: its length, and for a
// numeric field a number within the range. Typing a digit too many is refused on the spot.
class TextBoxValidator : public QValidator {
  public:
    TextBoxValidator(const TextBox& box, QObject* parent) : QValidator(parent), box_(box) {}
    // A pasted line break becomes a space here already, so the widget shows what the field
    // keeps and the caret stays where it was.
    State validate(QString& input, int&) const override {
        input = TextBox::oneLine(input);
        if (box_.accepts(input)) return Acceptable;
        // A field that holds a text it would refuse (an old file put it there) lets the user
        // delete from it; otherwise not even the offending character could be taken out.
        const bool deleting = input.size() < box_.text().size() && !box_.accepts(box_.text());
        return deleting ? Acceptable : Invalid;
    }

  private:
    const TextBox& box_;
};

// Enter on a widget that has no confirm signal of its own (multi-line text, check box).
class EnterFilter : public QObject {
  public:
    EnterFilter(std::function<void()> onEnter, QObject* parent)
        : QObject(parent), onEnter_(std::move(onEnter)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        onEnter_();
        return true;
    }

  private:
    std::function<void()> onEnter_;
};

// The advance key of an entry field (the "." between address octets) moves on instead of
// being typed.
class AdvanceFilter : public QObject {
  public:
    AdvanceFilter(TextBox& box, QObject* parent) : QObject(parent), box_(box) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || box_.advanceKey().isNull()) return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->text() != QString(box_.advanceKey())) return false;
        box_.advance();
        return true;
    }

  private:
    TextBox& box_;
};

// Rebuilds a list widget's entries only when they differ, appending when entries were added.
template <typename Widget>
void syncItems(Widget* w, const QStringList& items, int count,
               const std::function<QString(int)>& itemAt) {
    bool prefix = count <= items.size();
    for (int i = 0; prefix && i < count; ++i) prefix = itemAt(i) == items[i];
    if (prefix && count == items.size()) return;
    if (!prefix) w->clear();
    w->addItems(items.mid(prefix ? count : 0));
}

}  // namespace

FormBinding::FormBinding(QObject* parent) : QObject(parent) {}

void FormBinding::common(Control& c, QWidget* w) {
    remember(c, w);
    w->setEnabled(c.enabled());
    // Only an explicit hide is undone: showing a child early would make it a window of its own.
    if (!c.visible())
        w->setVisible(false);
    else if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))
        w->setVisible(true);
    // A control without a tooltip of its own leaves the one the window gave the widget.
    if (!c.toolTip().isEmpty() || !c.disabledTip().isEmpty()) w->setToolTip(c.shownToolTip());
}

void FormBinding::bind(TextBox& c, QLineEdit* w) {
    w->setValidator(new TextBoxValidator(c, w));
    auto sync = [&c, w, this] {
        common(c, w);
        w->setMaxLength(c.maxLength() > 0 ? c.maxLength() : 32767);
        w->setReadOnly(c.locked());
        if (w->text() != c.text()) w->setText(c.text());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    connect(w, &QLineEdit::textEdited, &c, [&c, sync](const QString& t) {
        c.setText(t);
        sync();
    });
    connect(w, &QLineEdit::returnPressed, &c, &TextBox::confirm);
    w->installEventFilter(new AdvanceFilter(c, w));
}

void FormBinding::bind(TextBox& c, QPlainTextEdit* w) {
    w->setTabChangesFocus(true);
    auto sync = [&c, w, this] {
        common(c, w);
        w->setReadOnly(c.locked());
        if (w->toPlainText() != c.text()) {
            const QSignalBlocker block(w);
            w->setPlainText(c.text());
        }
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    connect(w, &QPlainTextEdit::textChanged, &c, [&c, w, sync] {
        QString t = TextBox::oneLine(w->toPlainText());  // one paragraph, as the node stores it
        if (!c.accepts(t) && c.maxLength() > 0) t.truncate(c.maxLength());
        c.setText(t);
        if (w->toPlainText() != c.text()) {
            // Keep the caret where the user was typing.
            QTextCursor cursor = w->textCursor();
            const int at = qMin(cursor.position(), int(c.text().size()));
            sync();
            cursor = w->textCursor();
            cursor.setPosition(at);
            w->setTextCursor(cursor);
        }
    });
    w->installEventFilter(new EnterFilter([&c] { c.confirm(); }, w));
}

void FormBinding::bind(ListControl& c, QComboBox* w) {
    auto sync = [&c, w, this] {
        const QSignalBlocker block(w);
        common(c, w);
        syncItems(w, c.items(), w->count(), [w](int i) { return w->itemText(i); });
        if (w->currentIndex() != c.listIndex()) w->setCurrentIndex(c.listIndex());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    connect(w, &QComboBox::activated, &c, [&c, sync](int i) {
        c.setListIndex(i);
        sync();
    });
}

void FormBinding::bind(ListControl& c, QListWidget* w) {
    w->setSelectionMode(c.multiSelect() ? QAbstractItemView::ExtendedSelection
                                        : QAbstractItemView::SingleSelection);
    const auto selectedRows = [w] {
        QList<int> rows;
        for (int i = 0; i < w->count(); ++i)
            if (w->item(i)->isSelected()) rows << i;
        return rows;
    };
    auto sync = [&c, w, this, selectedRows] {
        const QSignalBlocker block(w);
        common(c, w);
        syncItems(w, c.items(), w->count(), [w](int i) { return w->item(i)->text(); });
        if (w->currentRow() == c.listIndex() && sameRows(selectedRows(), c.selection())) return;
        w->clearSelection();
        w->setCurrentRow(c.listIndex(), QItemSelectionModel::NoUpdate);
        for (int r : c.selection()) w->item(r)->setSelected(true);
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    // A click moves the current row and the selection one after the other: both are taken.
    auto take = [&c, w, sync, selectedRows] {
        c.setSelection(selectedRows(), w->currentRow());
        sync();
    };
    connect(w, &QListWidget::currentRowChanged, &c, take);
    connect(w, &QListWidget::itemSelectionChanged, &c, take);
    connect(w, &QListWidget::itemActivated, &c, [&c] { c.activate(); });
}

void FormBinding::bind(OptionButton& c, QRadioButton* w) {
    // The control's group decides which option is on, not the widget's parent.
    w->setAutoExclusive(false);
    auto sync = [&c, w, this] {
        common(c, w);
        w->setText(c.caption());
        w->setChecked(c.value());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    // Whatever checks the widget (a click, a key, an assistive tool's toggle) selects the
    // option in its group and runs its handlers; an option is not cleared by itself.
    connect(w, &QRadioButton::toggled, &c, [&c, sync](bool on) {
        if (on && !c.value()) c.setValue(true);
        sync();
    });
}

void FormBinding::bind(CheckBox& c, QCheckBox* w) {
    auto sync = [&c, w, this] {
        common(c, w);
        w->setText(c.caption());
        w->setChecked(c.value() != 0);
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    // Toggled, not clicked: an assistive tool's toggle reaches the control too.
    connect(w, &QCheckBox::toggled, &c, [&c, sync](bool on) {
        if (on != (c.value() != 0)) c.setValue(on ? 1 : 0);
        sync();
    });
    w->installEventFilter(new EnterFilter([&c] { c.confirm(); }, w));
}

void FormBinding::bind(Label& c, QLabel* w) {
    auto sync = [&c, w, this] {
        common(c, w);
        w->setText(c.caption());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    if (auto* link = qobject_cast<ClickableLabel*>(w))
        connect(link, &ClickableLabel::clicked, &c, &Label::press);
}

void FormBinding::bind(Label& c, QLabel* w, const QString& caption) {
    bind(c, w);
    auto name = [&c, w, caption] { w->setAccessibleName(caption + QStringLiteral(": ") + c.caption()); };
    name();
    connect(&c, &Control::changed, w, name);
}

void FormBinding::bind(CommandButton& c, QPushButton* w) {
    auto sync = [&c, w, this] {
        common(c, w);
        if (!c.caption().isEmpty()) w->setText(c.caption());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    connect(w, &QPushButton::clicked, &c, &CommandButton::press);
}

void FormBinding::bind(Frame& c, QWidget* w) {
    auto sync = [&c, w, this] {
        common(c, w);
        if (auto* box = qobject_cast<QGroupBox*>(w); box && !c.caption().isEmpty())
            box->setTitle(c.caption());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
}

void FormBinding::bind(ProgressBar& c, QProgressBar* w) {
    auto sync = [&c, w, this] {
        common(c, w);
        w->setRange(0, qMax(1, qRound(c.max())));
        w->setValue(qBound(0, qRound(c.value()), w->maximum()));
    };
    sync();
    connect(&c, &Control::changed, w, sync);
}

void FormBinding::bind(MenuItem& c, QAction* a) {
    auto sync = [&c, a] {
        a->setText(c.caption());
        a->setEnabled(c.enabled());
        a->setVisible(c.visible());
        a->setChecked(c.checked());
    };
    sync();
    connect(&c, &Control::changed, a, sync);
    connect(a, &QAction::triggered, &c, [&c, sync] {
        c.choose();
        sync();  // the check mark is the handler's to set, not the action's
    });
}

void FormBinding::bind(TabControl& c, QTabWidget* w) {
    auto sync = [&c, w, this] {
        const QSignalBlocker block(w);
        common(c, w);
        const QStringList captions = c.captions();
        for (int i = 0; i < w->count() && i < captions.size(); ++i) w->setTabText(i, captions[i]);
        if (w->currentIndex() != c.currentPage()) w->setCurrentIndex(c.currentPage());
    };
    sync();
    connect(&c, &Control::changed, w, sync);
    connect(w, &QTabWidget::currentChanged, &c, [&c, sync](int page) {
        c.setCurrentPage(page);
        sync();
    });
}

void FormBinding::bind(MousePointer& c) {
    auto sync = [&c, this] {
        if (c.busy() == overrideCursor_) return;
        overrideCursor_ = c.busy();
        if (overrideCursor_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    sync();
    connect(&c, &Control::changed, this, sync);
}

void FormBinding::followFocus(MainForm& f) {
    connect(&f, &MainForm::focusRequested, this, [this](Control* c) {
        QWidget* w = widgetFor(c);
        if (!w || !w->isEnabled()) return;
        w->setFocus(Qt::OtherFocusReason);
        // What the user types next replaces the field ("000" would take no digit).
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    });
}

namespace {

// What a screen reader sees of a link label: a link with its text, that can be pressed.
class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(ClickableLabel* w) : QAccessibleWidget(w, QAccessible::Link) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit static_cast<ClickableLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* linkAccessible(const QString& className, QObject* o) {
    if (className == QLatin1String("brisa::ui::ClickableLabel"))
        if (auto* w = qobject_cast<ClickableLabel*>(o)) return new LinkAccessible(w);
    return nullptr;
}

void prepareLink(ClickableLabel* l) {
    static const bool installed = [] {
        QAccessible::installFactory(linkAccessible);
        return true;
    }();
    (void)installed;
    l->setFocusPolicy(Qt::StrongFocus);
}

}  // namespace

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) { prepareLink(this); }

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    prepareLink(this);
}

void ClickableLabel::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit clicked();
            return;
        default:
            QLabel::keyPressEvent(e);
    }
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint())) emit clicked();
}

}  // namespace brisa::ui
