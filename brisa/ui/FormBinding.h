#pragma once

#include <QHash>
#include <QLabel>
#include <QObject>

#include "form/Controls.h"
#include "form/MainForm.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace brisa::ui {

// Binds widgets to the headless controls, one way per control kind: the widget shows the
// control's state whenever it changes, and the user's actions on the widget are handed to the
// control, whose handlers decide. No widget keeps state of its own.
class FormBinding : public QObject {
    Q_OBJECT
  public:
    explicit FormBinding(QObject* parent = nullptr);

    void bind(form::TextBox& c, QLineEdit* w);
    void bind(form::TextBox& c, QPlainTextEdit* w);
    void bind(form::ListControl& c, QComboBox* w);
    void bind(form::ListControl& c, QListWidget* w);
    void bind(form::OptionButton& c, QRadioButton* w);
    void bind(form::CheckBox& c, QCheckBox* w);
    void bind(form::Label& c, QLabel* w);
    // A label that shows a result beside its caption: a screen reader speaks both
    // ("Dirección ip: 192.168.001.050").
    void bind(form::Label& c, QLabel* w, const QString& caption);
    void bind(form::CommandButton& c, QPushButton* w);
    // A frame or panel: a QGroupBox (its title follows the caption) or any container.
    void bind(form::Frame& c, QWidget* w);
    void bind(form::ProgressBar& c, QProgressBar* w);
    void bind(form::MenuItem& c, QAction* a);
    void bind(form::TabControl& c, QTabWidget* w);
    // The busy pointer becomes the application's wait cursor.
    void bind(form::MousePointer& c);
    // Focus requests of the form go to the bound widgets that can take the focus.
    void followFocus(form::MainForm& f);

    QWidget* widgetFor(const form::Control* c) const { return widgets_.value(c); }

  private:
    void common(form::Control& c, QWidget* w);
    void remember(form::Control& c, QWidget* w) { widgets_.insert(&c, w); }

    QHash<const form::Control*, QWidget*> widgets_;
    bool overrideCursor_ = false;
};

// A label that acts as a link: it reports clicks, takes the focus with Tab, follows the link
// with Enter or Space, and a screen reader offers it as a link that can be pressed.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickableLabel(QWidget* parent = nullptr);
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

}  // namespace brisa::ui
