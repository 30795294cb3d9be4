#pragma once

#include "FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A user configuration folder of its own per test, with the INI file at the place the store
// looks for it on this platform.
class UserIniFixture : public ::testing::Test {
protected:
    QTemporaryDir Temp;
    FakePlatform Os;

    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("config"));
    }
    QString IniPath() const { return Temp.filePath(QStringLiteral("config/Tarvex/Solvista.ini")); }
    void WriteIni(const QByteArray& bytes) {
        ASSERT_TRUE(QDir().mkpath(Temp.filePath(QStringLiteral("config/Tarvex"))));
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadIni() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};
