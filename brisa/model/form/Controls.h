#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace brisa::form {

// What a window control shows, kept apart from any widget. Widgets only mirror these objects
// and forward the user's actions to them, so the program's logic runs (and is tested) headless.
// Each control emits `changed()` after any change of its state; a selection (list position,
// option, check box) also emits `click()`, synchronously, as a user's choice would.

// Enabled and visible, common to every control kind.
class Control : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& tip);
    // Why the control is disabled, said instead of its tooltip while it is: a greyed frame
    // that does not say why sends the technician looking for a fault.
    QString disabledTip() const { return disabledTip_; }
    void setDisabledTip(const QString& tip);
    // The tooltip to show now.
    QString shownToolTip() const {
        return !enabled_ && !disabledTip_.isEmpty() ? disabledTip_ : toolTip_;
    }

  signals:
    void changed();

  private:
    bool enabled_ = true;
    bool visible_ = true;
    QString toolTip_;
    QString disabledTip_;
};

// An entry field. A text assigned by the program is cut to the maximum length, as the widget
// does; the numeric range is for the widget's validator and for `accepts`.
//
// A field holds one line: every value is kept on a line of its own in the files, and the
// node's texts take no line breaks. A line break that comes in (pasted, or from any caller)
// becomes a space.
class TextBox : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    QString text() const { return text_; }
    void setText(const QString& text);
    // The text with every CR, LF or CR LF turned into one space.
    static QString oneLine(const QString& text);
    int maxLength() const { return maxLength_; }  // 0: no limit
    void setMaxLength(int n);
    struct Range {
        int min;
        int max;
    };
    std::optional<Range> range() const { return range_; }
    void setRange(int min, int max) { range_ = Range{min, max}; }
    // Only ASCII letters and digits (the node's e-mail password travels in a mail subject).
    bool alphanumeric() const { return alphanumeric_; }
    void setAlphanumeric(bool on) { alphanumeric_ = on; }
    // Whether the user may leave this text in the field: within the length, only letters and
    // digits where so restricted, and, for a field with a range, empty or a decimal number
    // inside it.
    bool accepts(const QString& text) const;
    // A key that ends the field and moves on to the next one without being typed into it
    // (the "." between the octets of an address); none by default.
    QChar advanceKey() const { return advanceKey_; }
    void setAdvanceKey(QChar key) { advanceKey_ = key; }
    // The user typed the advance key.
    void advance() { emit advanced(); }
    // Read-only fields show a text the user cannot edit.
    bool locked() const { return locked_; }
    void setLocked(bool on);
    // The user confirmed the field (Enter).
    void confirm() { emit confirmed(); }

  signals:
    void confirmed();
    void advanced();

  private:
    bool locked_ = false;
    bool alphanumeric_ = false;
    QString text_;
    int maxLength_ = 0;
    std::optional<Range> range_;
    QChar advanceKey_;
};

// Whether two selections hold the same rows in the same order. Qt's own comparison of two
// empty QList<int> hands null pointers to memcmp, undefined behaviour the sanitizer reports.
bool sameRows(const QList<int>& a, const QList<int>& b);

// A drop-down list or a list box: entries addressed by position, -1 for none.
//
// The selection: `listIndex()` is the current entry, and choosing one entry (setListIndex)
// selects just that entry. A list box that lets the user select several entries at once
// (multiSelect) holds them in `selection()`; the current entry need not be among them.
class ListControl : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    int count() const { return int(items_.size()); }
    QStringList items() const { return items_; }
    QString item(int i) const { return items_.value(i); }
    void addItem(const QString& text);
    // Inserts before position i (at the end for i == count()); the selection stays on its entry.
    bool insertItem(int i, const QString& text);
    bool removeItem(int i);
    void clear();
    int listIndex() const { return index_; }
    // Selects a position; -1 selects nothing. A position outside the list is refused and
    // changes nothing. Selecting an entry emits click(), even when it was already selected.
    bool setListIndex(int i);
    // The selected entry's text, or empty with none selected.
    QString text() const { return items_.value(index_); }
    // First position whose text is exactly `text`, or -1.
    int find(const QString& text) const { return int(items_.indexOf(text)); }

    bool multiSelect() const { return multiSelect_; }
    void setMultiSelect(bool on) { multiSelect_ = on; }
    // The selected positions, ascending.
    QList<int> selection() const { return selected_; }
    // Selects `rows` (positions outside the list are dropped; only the current entry where
    // the list takes one entry at a time) with `current` as the current entry. Emits click()
    // as setListIndex does, when there is a current entry.
    bool setSelection(QList<int> rows, int current);
    // The user activated the current entry (double click, Enter).
    void activate() { emit activated(); }

  signals:
    void click();
    void activated();

  private:
    QStringList items_;
    int index_ = -1;
    QList<int> selected_;
    bool multiSelect_ = false;
};

class ComboBox : public ListControl {
    Q_OBJECT
  public:
    using ListControl::ListControl;
};

class ListBox : public ListControl {
    Q_OBJECT
  public:
    using ListControl::ListControl;
};

class OptionGroup;

// An option button. Selecting one deselects the others of its group.
class OptionButton : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    bool value() const { return value_; }
    // true selects it (and emits click(), even when already selected); false just clears it.
    void setValue(bool on);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);

  signals:
    void click();

  private:
    friend class OptionGroup;
    void setValueSilently(bool on);

    bool value_ = false;
    QString caption_;
    OptionGroup* group_ = nullptr;
};

// The options that exclude one another (the window's frame around them).
class OptionGroup {
  public:
    void add(OptionButton& b);
    // Position of the selected option in the group, or -1.
    int selected() const;

  private:
    friend class OptionButton;
    QVector<OptionButton*> members_;
};

// A check box: 0 unchecked, 1 checked. Any non-zero value checks it.
class CheckBox : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    int value() const { return value_; }
    // Emits click(), as a user's tick does.
    void setValue(int v);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    // The user pressed Enter on it (focus moves follow).
    void confirm() { emit confirmed(); }

  signals:
    void click();
    void confirmed();

  private:
    int value_ = 0;
    QString caption_;
};

// A label, button or frame; clicking a label or a button is forwarded as press().
class Label : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    // The user clicked it.
    void press() { emit click(); }

  signals:
    void click();

  private:
    QString caption_;
};

class CommandButton : public Label {
    Q_OBJECT
  public:
    using Label::Label;

    // The user pressed the button. A hidden or disabled button cannot be pressed.
    void press() {
        if (enabled() && visible()) emit click();
    }
};

// A frame or panel: its enabled state governs the controls inside it.
class Frame : public Label {
    Q_OBJECT
  public:
    using Label::Label;
};

// A progress bar: value between 0 and max.
class ProgressBar : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    double max() const { return max_; }
    void setMax(double m);
    double value() const { return value_; }
    void setValue(double v);

  private:
    double max_ = 100;
    double value_ = 0;
};

// A menu entry, possibly with a check mark.
class MenuItem : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    bool checked() const { return checked_; }
    void setChecked(bool on);
    // The user chose the entry.
    void choose() { emit click(); }

  signals:
    void click();

  private:
    QString caption_;
    bool checked_ = false;
};

// A tab control: page captions and the page shown. Showing another page emits click().
class TabControl : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    QStringList captions() const { return captions_; }
    void setCaptions(const QStringList& c);
    int currentPage() const { return page_; }
    // Refused (false) for a page that does not exist.
    bool setCurrentPage(int page);

  signals:
    void click();

  private:
    QStringList captions_;
    int page_ = 0;
};

// The application's mouse pointer: busy (hourglass) while an exchange with the node runs.
class MousePointer : public Control {
    Q_OBJECT
  public:
    using Control::Control;

    bool busy() const { return busy_; }
    void setBusy(bool on);

  private:
    bool busy_ = false;
};

}  // namespace brisa::form
