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

void StderrMessagePresenter::information(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

void StderrMessagePresenter::warning(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

}  // namespace brisa::ui
