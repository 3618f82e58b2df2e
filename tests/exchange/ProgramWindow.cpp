#include "ProgramWindow.h"

#include <gtest/gtest.h>

using brisa::exchange::BlockSelection;

QStringList blockList(const char* text) {
    QStringList out;
    for (const QString& word : QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts)) {
        const QStringList ends = word.split(u'-');
        if (ends.size() != 2) {
            out << word;
            continue;
        }
        for (int b = ends[0].toInt(); b <= ends[1].toInt(); ++b) out << BlockSelection::blockText(b);
    }
    return out;
}

QString describe(int block, int usedCount) {
    QString text = BlockSelection::blockDescription(block);
    if (usedCount >= 0) text += QStringLiteral("\r\nBloques usados = %1").arg(usedCount);
    return text;
}

void ProgramWindow::load(const char* freeBlocks, const char* used, const char* pri1,
                         const char* pri2) {
    for (const QString& b : blockList(freeBlocks)) form.lstBlockFree.addItem(b);
    for (const QString& b : blockList(used)) form.lstUsed.addItem(b);
    form.txtPri[0].setText(QString::fromLatin1(pri1));
    form.txtPri[1].setText(QString::fromLatin1(pri2));
}

void ProgramWindow::act(const QString& action) {
    const QStringList words = action.split(u' ');
    brisa::form::ListBox* list = words.size() != 2     ? nullptr
                                 : words[0] == u"free" ? &form.lstBlockFree
                                 : words[0] == u"used" ? &form.lstUsed
                                 : words[1] == u"free" ? &form.lstBlockFree
                                 : words[1] == u"used" ? &form.lstUsed
                                                       : nullptr;
    if (list && words[0] == u"enter") {
        list->activate();
    } else if (list && words[1].contains(u',')) {
        QList<int> rows;
        for (const QString& r : words[1].split(u',')) rows << r.toInt();
        list->setSelection(rows, rows.last());
    } else if (list) {
        list->setListIndex(words[1].toInt());
    } else if (action == u"usar")
        form.cmdAdd.press();
    else if (action == u"quitar")
        form.cmdQuita.press();
    else if (action == u"pri1")
        form.cmdAddPri1.press();
    else if (action == u"pri2")
        form.cmdAddPri2.press();
    else if (action == u"sinpri1")
        form.cmdRemovePri1.press();
    else if (action == u"sinpri2")
        form.cmdRemovePri2.press();
    else if (action == u"memh")
        form.mnMemH.choose();
    else if (action == u"compilar")
        form.cmdCompilar.press();
    else if (action == u"borrar")
        form.cmdRstProg.press();
    else if (action == u"aprg")
        form.cmdAPrg.press();
    else
        ADD_FAILURE() << "unknown action " << action.toStdString();
}
