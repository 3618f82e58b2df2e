#include "Controls.h"

#include "NumberText.h"

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
    emit changed();
    return true;
}

void ListControl::clear() {
    if (items_.isEmpty() && index_ == -1) return;
    items_.clear();
    index_ = -1;
    emit changed();
}

bool ListControl::setListIndex(int i) {
    if (i < -1 || i >= count()) return false;
    if (index_ != i) {
        index_ = i;
        emit changed();
    }
    if (i >= 0) emit click();
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
