#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "ConfigFiles.h"
#include "MainFormHandlers.h"
#include "MessagePresenter.h"
#include "Session.h"
#include "form/MainForm.h"

// Readable failure output for Qt texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Records the messages instead of showing them.
class RecordingPresenter : public brisa::MessagePresenter {
  public:
    struct Message {
        QString title, text;
    };
    void information(const QString& title, const QString& text) override {
        messages.append({title, text});
    }
    void warning(const QString& title, const QString& text) override {
        messages.append({title, text});
    }
    bool question(const QString& title, const QString& text) override {
        questions.append({title, text});
        return answer;
    }
    QList<Message> messages;
    QList<Message> questions;
    bool answer = false;  // what every question gets
};

// A folder where no file can be created or replaced. Root ignores folder permissions, so a
// root test run uses /proc, where nobody can create files.
class ReadOnlyFolder {
  public:
    ReadOnlyFolder();
    ~ReadOnlyFolder();
    QString path() const { return path_; }
    // Whether a file "Brisa.ini" was put there beforehand (not possible in /proc).
    bool hadFile() const { return hadFile_; }
    QByteArray originalBytes() const { return "[Sets]\r\nPort=5\r\n"; }
    QByteArray fileBytes() const;

  private:
    QTemporaryDir dir_;
    QString path_;
    bool hadFile_ = false;
};

// The main window's state with its fixed lists filled, as after the start-up's list filling,
// an application folder of its own, and the driver's port recorded.
class ModelFixture : public ::testing::Test {
  public:
    static void write(const QString& path, const QByteArray& bytes);
    static QByteArray read(const QString& path);

  protected:
    ModelFixture();

    QString settingsPath() const { return session.settingsPath(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    // Everything the window shows of the configuration, one line per control.
    QStringList windowState() const;
    // A configuration in which every field differs from its default.
    void fillEveryField();

    QTemporaryDir dir;
    brisa::Session session;
    brisa::form::MainForm form;
    RecordingPresenter messages;
    brisa::ConfigFiles files{session, form, messages};
    QList<int> pcPorts;  // every COMM handed to the driver
    int refusePortsAbove = 8;
    int driverPort = 1;  // the COMM the driver took last
    std::unique_ptr<brisa::MainFormHandlers> handlers;
};
