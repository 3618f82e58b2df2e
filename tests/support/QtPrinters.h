#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

// Readable failure messages for Qt strings (gtest would print them as arrays of code units).
namespace testing::internal {
template <>
class UniversalPrinter<QString> {
public:
    static void Print(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
};
template <>
class UniversalPrinter<QStringList> {
public:
    static void Print(const QStringList& l, std::ostream* os) {
        *os << "[";
        for (qsizetype i = 0; i < l.size(); ++i) *os << (i ? " | " : "") << l[i].toStdString();
        *os << "]";
    }
};
template <>
class UniversalPrinter<QByteArray> {
public:
    static void Print(const QByteArray& b, std::ostream* os) { *os << "hex " << b.toHex(' ').toStdString(); }
};
}  // namespace testing::internal
