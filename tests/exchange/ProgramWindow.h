#pragma once

#include <QString>
#include <QStringList>

#include "Session.h"
#include "exchange/BlockSelection.h"
#include "form/MainForm.h"

// The "Programa" page of a main window, driven the way the user drives it.
struct ProgramWindow {
    brisa::form::MainForm form;
    brisa::Session session;
    QString separator = QStringLiteral(".");
    brisa::exchange::BlockSelection blocks{form, session, [this] { return separator; }};

    // The selection as a program file leaves it: lists filled, nothing selected.
    void load(const char* freeBlocks, const char* used, const char* pri1 = "",
              const char* pri2 = "");
    // One user action: "free N" / "used N" select an entry, "free N,M,..." several (the last
    // one current), "enter free" / "enter used" activate the list (double click, Enter); "usar", "quitar", "pri1", "pri2",
    // "sinpri1", "sinpri2", "memh", "compilar", "borrar", "aprg" press the control.
    void act(const QString& action);
};

// "000-002 192 7" -> 000 001 002 192 7: ranges in three-digit form, other words as written.
QStringList blockList(const char* text);

// What lbMsg shows for a block, optionally with the used-list count after it.
QString describe(int block, int usedCount = -1);
