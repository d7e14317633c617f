#pragma once
// The stored login password: RC4 under the fixed key "205837146920583714",
// written as upper-case hexadecimal text.
#include <QString>

namespace moquan {

inline const QString kDefaultPassword = QStringLiteral("ruvel");

QString ScramblePassword(const QString &password);
QString UnscramblePassword(const QString &scrambled);

} // namespace moquan
