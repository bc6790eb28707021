#pragma once
// Import files for tests: written in the working folder, byte for byte.

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace test {

inline QString writeImportFile(const QString& name, const std::string& bytes)
{
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), qint64(bytes.size()));
    return QFileInfo(f).absoluteFilePath();
}

}  // namespace test
