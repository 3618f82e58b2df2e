#include "QtMessagePresenter.h"

#include <QMessageBox>
#include <cstdio>

namespace brisa::ui {

void QtMessagePresenter::information(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}

void QtMessagePresenter::warning(const QString& title, const QString& text) {
    QMessageBox::warning(parent_, title, text);
}

bool QtMessagePresenter::question(const QString& title, const QString& text) {
    // "No" is the default: Enter on a box that popped up unexpectedly keeps the work going.
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void StderrMessagePresenter::information(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

void StderrMessagePresenter::warning(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

}  // namespace brisa::ui
