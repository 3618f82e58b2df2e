#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "App.h"
#include "ModelFixture.h"

// A configurator without windows over an application folder of its own, with the system's
// number conventions as the test says and a fixed list of serial devices.
class AppFixture : public ::testing::Test {
  protected:
    AppFixture() {
        brisa::App::Options o;
        o.listDevices = [this] { return devices; };
        app = std::make_unique<brisa::App>(messages, std::move(o));
        app->regionalSettings = [this] { return regional; };
    }

    QString folder() const { return dir.path(); }
    QString settingsPath() const { return dir.filePath(QStringLiteral("Brisa.ini")); }
    void writeSettings(const QByteArray& bytes) {
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray settingsBytes() const {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void startUp() { app->startUp(folder()); }

    QTemporaryDir dir;
    RecordingPresenter messages;
    brisa::RegionalSettings regional{QStringLiteral("."), QStringLiteral(","), QStringLiteral(".")};
    QList<ztklink::SerialDevice> devices;
    std::unique_ptr<brisa::App> app;
};
