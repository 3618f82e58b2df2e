#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "App.h"
#include "FakeSerialPort.h"
#include "ManualClock.h"
#include "QtPrinters.h"

// Messages go nowhere: these tests look at the window's state. Questions are recorded and
// get the answer the test chose.
class SilentPresenter : public brisa::MessagePresenter {
  public:
    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
    bool question(const QString&, const QString& text) override {
        questions << text;
        return answer;
    }
    QStringList questions;
    bool answer = false;
};

// The configurator's core on a scripted serial port and a manual clock, with the fixed lists
// filled as the start-up fills them.
class ExchangeFixture : public ::testing::Test {
  protected:
    ExchangeFixture();

    // Chooses the node type and software version as the user does.
    void chooseNode(bool ethernet, const QString& softVer);
    // A small block program, compiled into lstCompilado.
    void compileSomeBlocks();

    // The node acknowledges the last frame written (a write reply carries the bytes written).
    void acknowledge() { port->receive(port->written.last()); }
    // Acknowledges every write until the configurator sends nothing more.
    void acknowledgeAll();
    int lastBlock() const { return quint8(port->written.last().at(2)); }
    QList<int> blocksWritten(qsizetype from = 0) const;

    QTemporaryDir dir;
    SilentPresenter messages;
    testsupport::ManualClock clock;
    testsupport::FakeSerialPort* port;
    brisa::App app;
    brisa::form::MainForm& form;

  private:
    brisa::App::Options options();
};
