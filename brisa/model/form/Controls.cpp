#include "Controls.h"

#include "NumberText.h"
#include "compiler/Text.h"

#include <algorithm>

namespace brisa::form {

void Control::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    emit changed();
}

void Control::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    emit changed();
}

void Control::setToolTip(const QString& tip) {
    if (toolTip_ == tip) return;
    toolTip_ = tip;
    emit changed();
}

void Control::setDisabledTip(const QString& tip) {
    if (disabledTip_ == tip) return;
    disabledTip_ = tip;
    emit changed();
}

QString TextBox::oneLine(const QString& text) {
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

void TextBox::setText(const QString& text) {
    const QString line = oneLine(text);
    const QString cut = maxLength_ > 0 ? line.left(maxLength_) : line;
    if (text_ == cut) return;
    text_ = cut;
    emit changed();
}

void TextBox::setMaxLength(int n) {
    maxLength_ = n;
    setText(text_);
}

bool TextBox::accepts(const QString& text) const {
    if (maxLength_ > 0 && text.size() > maxLength_) return false;
    if (alphanumeric_ && !compiler::isAsciiAlphanumeric(text)) return false;
    if (!range_ || text.isEmpty()) return true;
    const auto n = parseInteger(text);
    return n && *n >= range_->min && *n <= range_->max;
}

void ListControl::addItem(const QString& text) {
    items_.append(text);
    emit changed();
}

bool ListControl::insertItem(int i, const QString& text) {
    if (i < 0 || i > count()) return false;
    items_.insert(i, text);
    if (index_ >= i) ++index_;
    for (int& s : selected_)
        if (s >= i) ++s;
    emit changed();
    return true;
}

bool ListControl::removeItem(int i) {
    if (i < 0 || i >= count()) return false;
    items_.removeAt(i);
    if (index_ == i)
        index_ = -1;
    else if (index_ > i)
        --index_;
    selected_.removeOne(i);
    for (int& s : selected_)
        if (s > i) --s;
    emit changed();
    return true;
}

void ListControl::clear() {
    if (items_.isEmpty() && index_ == -1) return;
    items_.clear();
    index_ = -1;
    selected_.clear();
    emit changed();
}

bool sameRows(const QList<int>& a, const QList<int>& b) {
    return a.size() == b.size() && std::equal(a.cbegin(), a.cend(), b.cbegin());
}

bool ListControl::setListIndex(int i) {
    if (i < -1 || i >= count()) return false;
    const QList<int> only = i >= 0 ? QList<int>{i} : QList<int>{};
    if (index_ != i || !sameRows(selected_, only)) {
        index_ = i;
        selected_ = only;
        emit changed();
    }
    if (i >= 0) emit click();
    return true;
}

bool ListControl::setSelection(QList<int> rows, int current) {
    if (current < -1 || current >= count()) return false;
    if (!multiSelect_) return setListIndex(current);
    rows.removeIf([this](int r) { return r < 0 || r >= count(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (index_ != current || !sameRows(selected_, rows)) {
        index_ = current;
        selected_ = rows;
        emit changed();
    }
    if (current >= 0) emit click();
    return true;
}

void OptionButton::setValue(bool on) {
    if (on && group_) {
        for (OptionButton* other : group_->members_)
            if (other != this) other->setValueSilently(false);
    }
    setValueSilently(on);
    if (on) emit click();
}

void OptionButton::setValueSilently(bool on) {
    if (value_ == on) return;
    value_ = on;
    emit changed();
}

void OptionButton::setCaption(const QString& c) {
    if (caption_ == c) return;
    caption_ = c;
    emit changed();
}

void OptionGroup::add(OptionButton& b) {
    members_.append(&b);
    b.group_ = this;
}

int OptionGroup::selected() const {
    for (int i = 0; i < members_.size(); ++i)
        if (members_[i]->value()) return i;
    return -1;
}

void CheckBox::setValue(int v) {
    const int checked = v != 0 ? 1 : 0;
    if (value_ != checked) {
        value_ = checked;
        emit changed();
    }
    emit click();
}

void CheckBox::setCaption(const QString& c) {
    if (caption_ == c) return;
    caption_ = c;
    emit changed();
}

void Label::setCaption(const QString& c) {
    if (caption_ == c) return;
    caption_ = c;
    emit changed();
}

void TextBox::setLocked(bool on) {
    if (locked_ == on) return;
    locked_ = on;
    emit changed();
}

void ProgressBar::setMax(double m) {
    if (max_ == m) return;
    max_ = m;
    emit changed();
}

void ProgressBar::setValue(double v) {
    if (value_ == v) return;
    value_ = v;
    emit changed();
}

void MenuItem::setCaption(const QString& c) {
    if (caption_ == c) return;
    caption_ = c;
    emit changed();
}

void MenuItem::setChecked(bool on) {
    if (checked_ == on) return;
    checked_ = on;
    emit changed();
}

void TabControl::setCaptions(const QStringList& c) {
    captions_ = c;
    emit changed();
}

bool TabControl::setCurrentPage(int page) {
    if (page < 0 || page >= captions_.size()) return false;
    if (page_ != page) {
        page_ = page;
        emit changed();
    }
    emit click();
    return true;
}

void MousePointer::setBusy(bool on) {
    if (busy_ == on) return;
    busy_ = on;
    emit changed();
}

}  // namespace brisa::form
